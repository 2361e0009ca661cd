// Compile To WrkFile through the window: the chooser, the overwrite question, the size question
// at the limit and one byte past it, refusals and write errors shown without a file left behind,
// and the file itself byte for byte as the core compiler writes it for the same slots.

#include "app/MainForm.h"
#include "formats/WorkFile.h"
#include "support/GuiFixture.h"
#include "support/TestHelpers.h"
#include "support/WindowScenes.h"
#include "views/ListViewColumns.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace scenes;
using orlamo::views::ToCore;

namespace {
const QString SaveDialog = QStringLiteral("SaveDialog");
const QByteArray OldContents = QByteArray(2'000'000, 'x'); // longer than any file written here

// What the core compiler writes for these slots.
QByteArray ReferenceBytes(GuiFixture& fixture, std::vector<orlamo::WAVE_DPTR> records) {
    const QString path = fixture.Path(QStringLiteral("reference.wrk"));
    const orlamo::CompileResult result = orlamo::CompileWorkFile(ToCore(path), records);
    if (!result.Ok)
        return {};
    return FileBytes(path);
}

// A playlist with a 16-bit voice of 600,000 bytes in slot 1 and an 8 kHz 8-bit voice in slot 3,
// so that the total is 600,000 + `secondSize`.
void OpenTwoVoices(GuiFixture& fixture, TFormMain& window, std::uint32_t secondSize) {
    OpenArchive(window, QStringLiteral("Station"), {{QStringLiteral("Doors"), {}}});
    orlamo::WAVE_DPTR first = WaveVoice(fixture, QStringLiteral("open.wav"), 600'000);
    const QString secondPath =
        fixture.WriteWave(QStringLiteral("Wave/beep.wav"), secondSize, 8000, 8);
    orlamo::WAVE_DPTR second = Voice(QStringLiteral("beep.wav"), secondSize, secondPath);
    second.FormatCode = 0;
    OpenPlayList(window, QStringLiteral("Door"), {{1, first}, {3, second}});
}
} // namespace

class CompileCommandTest : public QObject {
    Q_OBJECT
private slots:
    void compile_data();
    void compile();
    void chooserProposesTheLastWorkFile();
    void emptyPlayListGivesTheHeaderAlone();
    void refusedWaveWritesNothing_data();
    void refusedWaveWritesNothing();
    void writeErrorIsShown();
};

void CompileCommandTest::compile_data() {
    QTest::addColumn<std::uint32_t>("secondSize");
    QTest::addColumn<bool>("chooserCancelled");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("overwriteAnswer"); // 0: not asked
    QTest::addColumn<int>("sizeAnswer");      // 0: not asked
    QTest::addColumn<bool>("written");

    QTest::newRow("chooser cancelled") << 400'000u << true << false << 0 << 0 << false;
    QTest::newRow("1,000,000 bytes: no size question")
        << 400'000u << false << false << 0 << 0 << true;
    QTest::newRow("existing, overwrite No") << 400'000u << false << true << 7 << 0 << false;
    QTest::newRow("existing, overwrite Yes: replaced whole")
        << 400'000u << false << true << 6 << 0 << true;
    QTest::newRow("1,000,001 bytes, size No") << 400'001u << false << false << 0 << 7 << false;
    QTest::newRow("1,000,001 bytes, size Yes") << 400'001u << false << false << 0 << 6 << true;
    QTest::newRow("existing, overwrite Yes, size No")
        << 400'001u << false << true << 6 << 7 << false;
}

void CompileCommandTest::compile() {
    QFETCH(std::uint32_t, secondSize);
    QFETCH(bool, chooserCancelled);
    QFETCH(bool, existing);
    QFETCH(int, overwriteAnswer);
    QFETCH(int, sizeAnswer);
    QFETCH(bool, written);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenTwoVoices(fixture, window, secondSize);
    window.SetPlayListModified(true);
    const QString target = fixture.Path(QStringLiteral("out/door.wrk"));
    QDir().mkpath(fixture.Path(QStringLiteral("out")));
    if (existing)
        fixture.WriteFile(QStringLiteral("out/door.wrk"), OldContents);

    ScriptedSeam& seam = fixture.Seam();
    seam.QueueFile(SaveDialog, chooserCancelled ? QString() : target);
    if (overwriteAnswer)
        seam.ExpectMessage(CoverQuestion, overwriteAnswer);
    if (sizeAnswer)
        seam.ExpectMessage(SizeQuestion, sizeAnswer);
    QVERIFY(Trigger(window, "ActFile_SaveToWrkFile"));
    QVERIFY(seam.ScriptUsedUp());
    QVERIFY(seam.Unscripted.isEmpty());
    for (const ScriptedSeam::ShownMessage& box : seam.Messages) {
        if (box.Text == SizeQuestion) {
            QCOMPARE(box.Caption, QStringLiteral("Warining"));
            QCOMPARE(box.Icon, MessageIcon::Warning);
            QCOMPARE(box.Buttons, MessageButtons::YesNo);
        } else {
            QCOMPARE(box.Caption, QStringLiteral("Warning"));
            QCOMPARE(box.Icon, MessageIcon::Question);
            QCOMPARE(box.Buttons, MessageButtons::YesNo);
        }
    }

    if (!written) {
        QCOMPARE(FileBytes(target), existing ? OldContents : QByteArray());
    } else {
        const QByteArray bytes = FileBytes(target);
        QCOMPARE(bytes, ReferenceBytes(fixture, window.PlayList()->AllSlots()));
        QVERIFY(bytes.startsWith("ORMN"));
        QCOMPARE(bytes.size(), qsizetype(12 + 8 * 3 + 600'000 + secondSize));
        const orlamo::WorkFileReport report = orlamo::CheckWorkFile(ToCore(target));
        QVERIFY(report.Consistent);
        QCOMPARE(report.Entries, std::uint16_t(3));
        QCOMPARE(report.TotalSize, 600'000u + secondSize);
        // The slots learn where their data lies.
        QCOMPARE(window.PlayList()->Slot(1).DataOffset, 36u);
        QCOMPARE(window.PlayList()->Slot(3).DataOffset, 36u + 600'000u);
    }
    // Compiling is not a change of the playlist.
    QVERIFY(window.PlayListModified());
    QCOMPARE(window.PlayList()->UsedSlotCount(), 2);
    QCOMPARE(window.PlayList()->TotalSize(), std::int64_t(600'000 + secondSize));
}

void CompileCommandTest::chooserProposesTheLastWorkFile() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenTwoVoices(fixture, window, 1000);
    const QString target = fixture.Path(QStringLiteral("out/door.wrk"));
    QDir().mkpath(fixture.Path(QStringLiteral("out")));
    fixture.Seam().QueueFile(SaveDialog, target);
    QVERIFY(Trigger(window, "ActFile_SaveToWrkFile"));
    fixture.Seam().QueueFile(SaveDialog, QString());
    QVERIFY(Trigger(window, "ActFile_SaveToWrkFile"));

    QCOMPARE(fixture.Seam().FileRequests.size(), 2);
    const FileDialogRequest& first = fixture.Seam().FileRequests[0];
    QCOMPARE(first.Filter, QStringLiteral("wrk File(*.wrk);;All File(*.*)"));
    QCOMPARE(first.DefaultSuffix, QStringLiteral("wrk"));
    QVERIFY(first.Save);
    QCOMPARE(first.FileName, QString());
    const FileDialogRequest& second = fixture.Seam().FileRequests[1];
    QCOMPARE(second.FileName, target);
    QCOMPARE(second.Directory, fixture.Path(QStringLiteral("out")));
    QVERIFY(fixture.Seam().Messages.isEmpty());
}

void CompileCommandTest::emptyPlayListGivesTheHeaderAlone() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(window, QStringLiteral("Station"), {});
    OpenPlayList(window, QStringLiteral("Empty"), {});
    const QString target = fixture.Path(QStringLiteral("empty.wrk"));
    fixture.Seam().QueueFile(SaveDialog, target);
    QVERIFY(Trigger(window, "ActFile_SaveToWrkFile"));
    QCOMPARE(FileBytes(target), QByteArray("ORMN\x0B\x00\x00\x00\x00\x00\x00\x00", 12));
}

void CompileCommandTest::refusedWaveWritesNothing_data() {
    QTest::addColumn<QString>("problem");
    QTest::newRow("wave deleted") << "missing";
    QTest::newRow("wave rewritten with another size") << "changed";
    QTest::newRow("wave no longer a wave") << "refused";
}

// A wave that went wrong after the playlist was opened: the compile stops with the reason, and
// the work file already at the path stays as it was.
void CompileCommandTest::refusedWaveWritesNothing() {
    QFETCH(QString, problem);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenTwoVoices(fixture, window, 1000);
    const QString beep = fixture.Path(QStringLiteral("Wave/beep.wav"));
    if (problem == QStringLiteral("missing"))
        QFile::remove(beep);
    else if (problem == QStringLiteral("changed"))
        fixture.WriteWave(QStringLiteral("Wave/beep.wav"), 1200, 8000, 8);
    else
        fixture.WriteFile(QStringLiteral("Wave/beep.wav"), QByteArrayLiteral("not a wave"));
    const QString target = fixture.WriteFile(QStringLiteral("door.wrk"), OldContents);

    fixture.Seam().FailOnUnscripted = false;
    fixture.Seam().QueueFile(SaveDialog, target);
    fixture.Seam().ExpectMessage(CoverQuestion, 6);
    QVERIFY(Trigger(window, "ActFile_SaveToWrkFile"));
    QCOMPARE(fixture.Seam().Messages.size(), 2);
    const ScriptedSeam::ShownMessage& box = fixture.Seam().Messages[1];
    QVERIFY2(box.Text.contains(QStringLiteral("Slot 3")), qPrintable(box.Text));
    QVERIFY2(box.Text.contains(target), qPrintable(box.Text));
    QCOMPARE(box.Caption, QStringLiteral("Warning"));
    QCOMPARE(box.Icon, MessageIcon::Warning);
    QCOMPARE(FileBytes(target), OldContents);
}

void CompileCommandTest::writeErrorIsShown() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenTwoVoices(fixture, window, 1000);
    const QString target = fixture.Path(QStringLiteral("gone/door.wrk"));
    fixture.Seam().FailOnUnscripted = false;
    fixture.Seam().QueueFile(SaveDialog, target);
    QVERIFY(Trigger(window, "ActFile_SaveToWrkFile"));
    QCOMPARE(fixture.Seam().Messages.size(), 1);
    QVERIFY2(
        fixture.Seam().Messages[0].Text.contains(QStringLiteral("Unable to write to ") + target),
        qPrintable(fixture.Seam().Messages[0].Text));
    QVERIFY(!QFile::exists(target));
}

QTEST_MAIN(CompileCommandTest)
#include "CompileCommand_test.moc"
