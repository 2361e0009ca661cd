// Closing the window, by Exit or by its close box: every save prompt shown must let the close go
// on, a Cancel or a save that did not go through keeps the window open with its work, and after
// the archive's prompt stopped the close the playlist's prompt is not shown.

#include "app/MainForm.h"
#include "formats/PlayListFile.h"
#include "support/GuiFixture.h"
#include "support/TestHelpers.h"
#include "support/WindowScenes.h"
#include "views/ListViewColumns.h"

#include <QAction>
#include <QFile>
#include <QTest>

using namespace scenes;

namespace {

// How one of the two prompts is met in a row of the table.
enum class Answer { Unchanged, Cancel, No, YesSaved, YesNotSaved };

const char* AnswerName(Answer answer) {
    switch (answer) {
    case Answer::Unchanged:
        return "unchanged";
    case Answer::Cancel:
        return "Cancel";
    case Answer::No:
        return "No";
    case Answer::YesSaved:
        return "Yes, saved";
    case Answer::YesNotSaved:
        return "Yes, save cancelled";
    }
    return "";
}

int Button(Answer answer) {
    switch (answer) {
    case Answer::Cancel:
        return 2;
    case Answer::No:
        return 7;
    default:
        return 6;
    }
}

bool LetsGoOn(Answer answer) {
    return answer == Answer::Unchanged || answer == Answer::No || answer == Answer::YesSaved;
}
} // namespace

Q_DECLARE_METATYPE(Answer)

class CloseTest : public QObject {
    Q_OBJECT
private slots:
    void closeDecision_data();
    void closeDecision();
    void aFailedWriteKeepsTheWindowOpen();
};

void CloseTest::closeDecision_data() {
    QTest::addColumn<Answer>("archive");
    QTest::addColumn<Answer>("playList");
    QTest::addColumn<bool>("byExit");

    const Answer answers[] = {Answer::Unchanged, Answer::Cancel, Answer::No, Answer::YesSaved,
                              Answer::YesNotSaved};
    bool byExit = false;
    for (Answer archive : answers) {
        for (Answer playList : answers) {
            byExit = !byExit; // Exit and the close box take turns through the table
            QTest::addRow("archive %s, playlist %s, %s", AnswerName(archive), AnswerName(playList),
                          byExit ? "Exit" : "close box")
                << archive << playList << byExit;
        }
    }
}

void CloseTest::closeDecision() {
    QFETCH(Answer, archive);
    QFETCH(Answer, playList);
    QFETCH(bool, byExit);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(
        window, QStringLiteral("Station"),
        {{QStringLiteral("Doors"), {WaveVoice(fixture, QStringLiteral("open.wav"), 3000)}}});
    OpenPlayList(window, QStringLiteral("Door"),
                 {{3, WaveVoice(fixture, QStringLiteral("open.wav"), 3000)}});
    const QString archivePath = fixture.Path(QStringLiteral("station.arh"));
    const QString playListPath = fixture.Path(QStringLiteral("door.pla"));
    ScriptedSeam& seam = fixture.Seam();

    if (archive != Answer::Unchanged) {
        window.SetArchiveModified(true);
        seam.ExpectMessage(ArchivePrompt, Button(archive));
    }
    // A library with a file saves to it; one without asks for a file, and that is cancelled.
    if (archive == Answer::YesSaved)
        window.SetArchivePath(archivePath);
    if (archive == Answer::YesNotSaved)
        seam.QueueFile(QStringLiteral("SaveDialogBin"), QString());

    const bool playListAsked = playList != Answer::Unchanged && LetsGoOn(archive);
    if (playList != Answer::Unchanged)
        window.SetPlayListModified(true);
    if (playListAsked)
        seam.ExpectMessage(PlayListPrompt, Button(playList));
    if (playList == Answer::YesSaved)
        window.SetCurrentPlayListPath(playListPath);
    if (playListAsked && playList == Answer::YesNotSaved)
        seam.QueueFile(QStringLiteral("SaveDialogPlay"), QString());

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (byExit) {
        window.UpdateActions();
        QVERIFY(window.ActFile_Exit->isEnabled());
        window.ActFile_Exit->trigger();
    } else {
        window.close();
    }
    QVERIFY(seam.ScriptUsedUp());
    QVERIFY(seam.Unscripted.isEmpty());

    const bool closes = LetsGoOn(archive) && LetsGoOn(playList);
    QCOMPARE(!window.isVisible(), closes);
    // Only a closed window writes its placement.
    QCOMPARE(fixture.HasSetting(QStringLiteral("Version")), closes);
    QCOMPARE(QFile::exists(archivePath), archive == Answer::YesSaved);
    QCOMPARE(QFile::exists(playListPath), playListAsked && playList == Answer::YesSaved);

    // What a prompt did not let go stays open, with its unsaved changes.
    if (archive == Answer::Cancel || archive == Answer::YesNotSaved) {
        QCOMPARE(window.LibraryNodeCount(), 2);
        QVERIFY(window.ArchiveModified());
    }
    const bool playListKept = playList == Answer::Unchanged || !playListAsked ||
                              playList == Answer::Cancel || playList == Answer::YesNotSaved;
    QCOMPARE(window.PlayList().has_value(), playListKept);
    if (playListKept)
        QCOMPARE(window.PlayListModified(), playList != Answer::Unchanged);
}

// A save that is answered but cannot write keeps the window open too: the playlist's file here.
void CloseTest::aFailedWriteKeepsTheWindowOpen() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(window, QStringLiteral("Station"), {{QStringLiteral("Doors"), {}}});
    OpenPlayList(window, QStringLiteral("Door"),
                 {{1, WaveVoice(fixture, QStringLiteral("open.wav"), 3000)}});
    const QString unwritable = fixture.Path(QStringLiteral("gone/door.pla"));
    window.SetCurrentPlayListPath(unwritable);
    window.SetPlayListModified(true);
    fixture.Seam().ExpectMessage(PlayListPrompt, 6);
    fixture.Seam().ExpectMessage(QStringLiteral("Unable to write to ") + unwritable);
    QVERIFY(!window.close());
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(window.PlayList().has_value());
    QVERIFY(window.PlayListModified());
    QVERIFY(!fixture.HasSetting(QStringLiteral("Version")));
}

QTEST_MAIN(CloseTest)
#include "Close_test.moc"
