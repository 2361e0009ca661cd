// Where each file chooser starts: beside the file last used with it, else beside the open
// playlist's file (playlist and work-file choosers), else beside the archive's file, else in the
// home folder; a folder that has gone since is passed over.

#include "app/MainForm.h"
#include "support/GuiFixture.h"
#include "support/WindowScenes.h"

#include <QAction>
#include <QDir>
#include <QTest>

using namespace scenes;

namespace {
enum class Open { None, New, File };

struct Chooser {
    const char* ObjectName;
    const char* Action;
    QString FileDialogMemory::*LastUsed;
    const char* Suffix;
};

const Chooser Choosers[] = {
    {"OpenDialog_Archive", "ActFile_OpenArchive", &FileDialogMemory::OpenDialog_Archive, "arh"},
    {"SaveDialogBin", "ActFile_SaveAsArchive", &FileDialogMemory::SaveDialogBin, "arh"},
    {"OpenDialog_PlayList", "ActPL_OpenPlayList", &FileDialogMemory::OpenDialog_PlayList, "pla"},
    {"SaveDialogPlay", "ActPL_SaveAsPlayList", &FileDialogMemory::SaveDialogPlay, "pla"},
    {"SaveDialog", "ActFile_SaveToWrkFile", &FileDialogMemory::SaveDialogWrk, "wrk"},
};

bool ForPlayLists(const Chooser& chooser) {
    return QLatin1String(chooser.Suffix) != QLatin1String("arh");
}

// The folder a row expects; "~" is the home folder.
QString Expected(const GuiFixture& fixture, const QString& folder) {
    return folder == QLatin1String("~") ? QDir::homePath() : fixture.Path(folder);
}
} // namespace

Q_DECLARE_METATYPE(Open)

class ChooserFoldersTest : public QObject {
    Q_OBJECT
private slots:
    void eachChooserStartsBesideTheBestKnownFile_data();
    void eachChooserStartsBesideTheBestKnownFile();
};

void ChooserFoldersTest::eachChooserStartsBesideTheBestKnownFile_data() {
    QTest::addColumn<int>("chooser");
    QTest::addColumn<QString>("lastUsed"); // folder of the file last chosen in it; "" none
    QTest::addColumn<Open>("archive");
    QTest::addColumn<Open>("playList");
    QTest::addColumn<QString>("expected");
    for (int index = 0; index < int(std::size(Choosers)); ++index) {
        const Chooser& chooser = Choosers[index];
        const QByteArray name = QByteArray(chooser.ObjectName) + ", ";
        const QString own = ForPlayLists(chooser) ? QStringLiteral("lists") : QStringLiteral("lib");
        QTest::newRow(name + "last used wins") << index << QStringLiteral("used") << Open::File
                                               << Open::File << QStringLiteral("used");
        QTest::newRow(name + "last used folder gone")
            << index << QStringLiteral("gone") << Open::File << Open::File << own;
        QTest::newRow(name + "nothing chosen yet")
            << index << QString() << Open::File << Open::File << own;
        if (ForPlayLists(chooser))
            QTest::newRow(name + "playlist without a file")
                << index << QString() << Open::File << Open::New << QStringLiteral("lib");
        // The open choosers need no file open; the others need something to save.
        const bool opens = QByteArray(chooser.ObjectName).startsWith("Open");
        QTest::newRow(name + "no file known")
            << index << QString()
            << (chooser.ObjectName == QByteArray("OpenDialog_Archive") ? Open::None : Open::New)
            << (opens ? Open::None : Open::New) << QStringLiteral("~");
    }
}

void ChooserFoldersTest::eachChooserStartsBesideTheBestKnownFile() {
    QFETCH(int, chooser);
    QFETCH(QString, lastUsed);
    QFETCH(Open, archive);
    QFETCH(Open, playList);
    QFETCH(QString, expected);
    const Chooser& under = Choosers[chooser];
    GuiFixture fixture;
    for (const char* folder : {"used", "lib", "lists"})
        QVERIFY(QDir().mkpath(fixture.Path(QString::fromLatin1(folder))));
    TFormMain& window = fixture.CreateWindow();

    if (archive != Open::None)
        OpenArchive(window, QStringLiteral("Station"), {{QStringLiteral("Doors"), {}}});
    if (archive == Open::File)
        window.SetArchivePath(fixture.Path(QStringLiteral("lib/station.arh")));
    if (playList != Open::None)
        OpenPlayList(window, QStringLiteral("Door"), {});
    if (playList == Open::File)
        window.SetCurrentPlayListPath(fixture.Path(QStringLiteral("lists/door.pla")));
    if (!lastUsed.isEmpty())
        window.FileDialogs.*under.LastUsed =
            fixture.Path(lastUsed + QStringLiteral("/chosen.") + QLatin1String(under.Suffix));

    const QString objectName = QString::fromLatin1(under.ObjectName);
    fixture.Seam().QueueFile(objectName, QString()); // the user cancels
    window.UpdateActions();
    QAction* action = window.Action(QString::fromLatin1(under.Action));
    QVERIFY(action && action->isEnabled());
    action->trigger();

    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(fixture.Seam().FileRequests.size(), 1);
    QCOMPARE(fixture.Seam().FileRequests[0].ObjectName, objectName);
    QCOMPARE(fixture.Seam().FileRequests[0].Directory, Expected(fixture, expected));
}

QTEST_MAIN(ChooserFoldersTest)
#include "ChooserFolders_test.moc"
