// Files named on the command line, opened through the real window as a double click in a file
// manager would open them: an archive, a playlist beside the remembered archive, both, a missing
// file, files and options the editor does not take, and the save prompts that guard an open.

#include "app/CommandLineFiles.h"
#include "app/MainForm.h"
#include "formats/ArchiveFile.h"
#include "formats/PlayListFile.h"
#include "support/GuiFixture.h"
#include "support/TestHelpers.h"
#include "support/WindowScenes.h"
#include "views/ListViewColumns.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QUrl>

using namespace scenes;
using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
const QString FileTypeError = QStringLiteral("File type Error.");
const QString PlainCaption = QStringLiteral("Orlamo");

// The archive "Station" (bin Doors with the voice open.wav) at relativePath.
QString WriteStation(GuiFixture& fixture, const QString& relativePath) {
    orlamo::Library library;
    library.SetArchiveNode("Station");
    library.AddBin("Doors", {WaveVoice(fixture, QStringLiteral("open.wav"), 3000)});
    const QString path = fixture.Path(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!orlamo::SaveArchive(ToCore(path), library).Ok)
        QTest::qFail("the station was not written", __FILE__, __LINE__);
    return path;
}

// A playlist file whose slot 3 holds the voice close.wav (its wave file exists).
QString WriteDoorList(GuiFixture& fixture, const QString& relativePath) {
    orlamo::PlayList list;
    list.Slot(3) = WaveVoice(fixture, QStringLiteral("close.wav"), 2000);
    list.Slot(3).SlotNumber = 3;
    const QString path = fixture.Path(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!orlamo::WritePlayListFile(ToCore(path), "Door", list.AllSlots()).Ok)
        QTest::qFail("the playlist was not written", __FILE__, __LINE__);
    return path;
}

// An earlier run that ended with `archive` open.
void RememberArchive(GuiFixture& fixture, const QString& archive) {
    fixture.WriteEarlierRun();
    fixture.WriteSetting(QStringLiteral("ArchiveFilePath"), archive);
}

QString Caption(const QString& archivePath) {
    return PlainCaption + QStringLiteral(" - ") + archivePath;
}

// Changes the working folder for one test and puts it back afterwards.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString& folder) : Old(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~WorkingFolder() { QDir::setCurrent(Old); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    QString Old;
};
} // namespace

Q_DECLARE_METATYPE(CommandLineArgument)

class OpenFilesTest : public QObject {
    Q_OBJECT
private slots:
    void argumentsAreJudgedByTheirName_data();
    void argumentsAreJudgedByTheirName();
    void anArchiveOpensWithItsPathInTheCaption_data();
    void anArchiveOpensWithItsPathInTheCaption();
    void anArchiveTakesThePlaceOfTheRememberedOne();
    void aPlayListOpensBesideTheRememberedArchive_data();
    void aPlayListOpensBesideTheRememberedArchive();
    void anArchiveAndAPlayListOpenTogether();
    void aMissingFileIsNotFound_data();
    void aMissingFileIsNotFound();
    void filesAndOptionsNotTakenAreRefused_data();
    void filesAndOptionsNotTakenAreRefused();
    void noArgumentsStartAsBefore_data();
    void noArgumentsStartAsBefore();
    void savePromptsGuardTheOpen_data();
    void savePromptsGuardTheOpen();
};

void OpenFilesTest::argumentsAreJudgedByTheirName_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("filesOnly");
    QTest::addColumn<CommandLineArgument>("kind");
    const auto row = [](const char* name, const char* argument, bool filesOnly,
                        CommandLineArgument kind) {
        QTest::newRow(name) << QString::fromUtf8(argument) << filesOnly << kind;
    };
    row("archive", "/v/station.arh", false, CommandLineArgument::Archive);
    row("archive in capitals", "STATION.ARH", false, CommandLineArgument::Archive);
    row("playlist", "door.Pla", false, CommandLineArgument::PlayList);
    row("work file", "/v/station.wrk", false, CommandLineArgument::WorkFile);
    row("file address", "file:///v/a%20b.pla", false, CommandLineArgument::PlayList);
    row("no suffix", "/v/station", false, CommandLineArgument::OtherFile);
    row("suffix only inside", "/v/station.arh.bak", false, CommandLineArgument::OtherFile);
    row("folder named like an archive", "/v/old.arh/", false, CommandLineArgument::OtherFile);
    row("long option", "--frobnicate", false, CommandLineArgument::Option);
    row("short option", "-x", false, CommandLineArgument::Option);
    row("a dash alone is a name", "-", false, CommandLineArgument::OtherFile);
    row("dash name after --", "--odd.arh", true, CommandLineArgument::Archive);
}

void OpenFilesTest::argumentsAreJudgedByTheirName() {
    QFETCH(QString, argument);
    QFETCH(bool, filesOnly);
    QFETCH(CommandLineArgument, kind);
    QCOMPARE(ClassifyCommandLineArgument(argument, filesOnly), kind);
}

void OpenFilesTest::anArchiveOpensWithItsPathInTheCaption_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("absolute path") << QStringLiteral("absolute");
    QTest::newRow("relative path") << QStringLiteral("relative");
    QTest::newRow("file address") << QStringLiteral("url");
    QTest::newRow("after --") << QStringLiteral("dashes");
}

void OpenFilesTest::anArchiveOpensWithItsPathInTheCaption() {
    QFETCH(QString, how);
    GuiFixture fixture;
    const QString path = WriteStation(fixture, QStringLiteral("my voices/station.arh"));
    TFormMain& window = fixture.CreateWindow();
    QCOMPARE(window.windowTitle(), PlainCaption);

    QStringList arguments{path};
    std::unique_ptr<WorkingFolder> workingFolder;
    if (how == QLatin1String("relative")) {
        workingFolder = std::make_unique<WorkingFolder>(fixture.Root());
        arguments = {QStringLiteral("my voices/station.arh")};
    } else if (how == QLatin1String("url")) {
        arguments = {QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)};
        QVERIFY(arguments[0].contains(QStringLiteral("%20")));
    } else if (how == QLatin1String("dashes")) {
        arguments.prepend(QStringLiteral("--"));
    }
    OpenCommandLineFiles(window, arguments);

    QVERIFY2(fixture.Seam().Messages.isEmpty(),
             qPrintable(fixture.Seam().MessageTexts().join(QLatin1Char('|'))));
    QVERIFY(window.Library().HasArchive());
    QCOMPARE(FromCore(window.Library().ArchiveName()), QStringLiteral("Station"));
    // The path is whole, whatever the argument looked like: the next run reopens it from
    // anywhere.
    QCOMPARE(window.CurrentArchivePath(), path);
    QCOMPARE(window.windowTitle(), Caption(path));
    QVERIFY(!window.ArchiveModified());
    QVERIFY(window.Action(QStringLiteral("ActFile_SaveArchive"))->isEnabled());
    // Open Archive proposes the file opened and starts beside it.
    fixture.Seam().QueueFile(QStringLiteral("OpenDialog_Archive"), QString());
    window.Action(QStringLiteral("ActFile_OpenArchive"))->trigger();
    QCOMPARE(fixture.Seam().FileRequests.size(), 1);
    QCOMPARE(fixture.Seam().FileRequests[0].FileName, path);
    QCOMPARE(fixture.Seam().FileRequests[0].Directory, QFileInfo(path).absolutePath());
    QVERIFY(fixture.CloseAndDestroyWindow());
    QCOMPARE(fixture.ReadSetting(QStringLiteral("ArchiveFilePath")).toString(), path);
}

void OpenFilesTest::anArchiveTakesThePlaceOfTheRememberedOne() {
    GuiFixture fixture;
    RememberArchive(fixture, WriteStation(fixture, QStringLiteral("old/station.arh")));
    const QString other = WriteStation(fixture, QStringLiteral("new/hall.arh"));
    TFormMain& window = fixture.CreateWindow();
    QVERIFY(window.Library().HasArchive());

    // Nothing is changed at start, so no prompt comes up.
    OpenCommandLineFiles(window, {other});
    QVERIFY(fixture.Seam().Messages.isEmpty());
    QCOMPARE(window.CurrentArchivePath(), other);
    QCOMPARE(window.windowTitle(), Caption(other));
}

void OpenFilesTest::aPlayListOpensBesideTheRememberedArchive_data() {
    QTest::addColumn<bool>("remembered");
    QTest::newRow("remembered archive") << true;
    // A first run has no archive; the playlist stands on its own (its slots name their files).
    QTest::newRow("no archive") << false;
}

void OpenFilesTest::aPlayListOpensBesideTheRememberedArchive() {
    QFETCH(bool, remembered);
    GuiFixture fixture;
    const QString station = WriteStation(fixture, QStringLiteral("lib/station.arh"));
    if (remembered)
        RememberArchive(fixture, station);
    const QString list = WriteDoorList(fixture, QStringLiteral("lists/door.pla"));
    TFormMain& window = fixture.CreateWindow();

    OpenCommandLineFiles(window, {list});

    QVERIFY2(fixture.Seam().Messages.isEmpty(),
             qPrintable(fixture.Seam().MessageTexts().join(QLatin1Char('|'))));
    QCOMPARE(window.Library().HasArchive(), remembered);
    QCOMPARE(window.CurrentArchivePath(), remembered ? station : QString());
    QCOMPARE(window.windowTitle(), remembered ? Caption(station) : PlainCaption);
    QVERIFY(window.PlayList().has_value());
    QCOMPARE(window.CurrentPlayListPath(), list);
    QCOMPARE(FromCore(window.PlayList()->Slot(3).FileName), QStringLiteral("close.wav"));
    QCOMPARE(window.PlayList()->UsedSlotCount(), 1);
    QVERIFY(!window.PlayListModified());
    // The playlist is what the window shows, as after Open PlayList.
    QVERIFY(!window.BinViewShown());
    QCOMPARE(window.HeaderText(), QStringLiteral("Play List Name = door"));
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 1"));
    QVERIFY(window.Action(QStringLiteral("ActPL_SavePlayList"))->isEnabled());
}

void OpenFilesTest::anArchiveAndAPlayListOpenTogether() {
    GuiFixture fixture;
    const QString station = WriteStation(fixture, QStringLiteral("lib/station.arh"));
    const QString list = WriteDoorList(fixture, QStringLiteral("lists/door.pla"));
    TFormMain& window = fixture.CreateWindow();

    OpenCommandLineFiles(window, {station, list});

    QVERIFY(fixture.Seam().Messages.isEmpty());
    QCOMPARE(window.CurrentArchivePath(), station);
    QCOMPARE(window.CurrentPlayListPath(), list);
    QCOMPARE(window.PlayList()->UsedSlotCount(), 1);
}

void OpenFilesTest::aMissingFileIsNotFound_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("archive") << QStringLiteral("gone.arh") << NotFoundFile;
    QTest::newRow("playlist") << QStringLiteral("gone.pla") << NotFoundFile;
    // Open Archive takes the suffix in small letters only, and says so.
    QTest::newRow("archive in capitals") << QStringLiteral("STATION.ARH") << FileTypeError;
}

void OpenFilesTest::aMissingFileIsNotFound() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    GuiFixture fixture;
    if (name == QLatin1String("STATION.ARH"))
        QVERIFY(
            QFile::copy(WriteStation(fixture, QStringLiteral("station.arh")), fixture.Path(name)));
    TFormMain& window = fixture.CreateWindow();
    fixture.Seam().ExpectMessage(message);

    OpenCommandLineFiles(window, {fixture.Path(name)});

    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(fixture.Seam().Messages.size(), 1);
    QCOMPARE(fixture.Seam().Messages[0].Caption, QStringLiteral("Warning"));
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    QVERIFY(!window.Library().HasArchive());
    QVERIFY(!window.PlayList());
    QCOMPARE(window.windowTitle(), PlainCaption);
}

void OpenFilesTest::filesAndOptionsNotTakenAreRefused_data() {
    QTest::addColumn<QString>("argument"); // "@" stands for the fixture's folder
    QTest::addColumn<QString>("says");
    QTest::addColumn<bool>("remembered");
    const QString notTaken = QStringLiteral("neither an archive nor a playlist");
    for (const bool remembered : {false, true}) {
        const QByteArray start = remembered ? "remembered archive, " : "nothing open, ";
        QTest::newRow(start + "text file")
            << QStringLiteral("@/notes.txt") << notTaken << remembered;
        QTest::newRow(start + "missing file of another type")
            << QStringLiteral("@/gone.doc") << notTaken << remembered;
        QTest::newRow(start + "folder") << QStringLiteral("@") << notTaken << remembered;
        QTest::newRow(start + "work file")
            << QStringLiteral("@/station.wrk") << QStringLiteral("orlamo-cli info") << remembered;
        QTest::newRow(start + "unknown option")
            << QStringLiteral("--frobnicate") << QStringLiteral("Unknown option") << remembered;
    }
}

void OpenFilesTest::filesAndOptionsNotTakenAreRefused() {
    QFETCH(QString, argument);
    QFETCH(QString, says);
    QFETCH(bool, remembered);
    GuiFixture fixture;
    fixture.WriteFile(QStringLiteral("notes.txt"), "[Class]\r\nTotalClass=0\r\n");
    fixture.WriteFile(QStringLiteral("station.wrk"), QByteArray("ORMN\x0b\0\0\0\0\0\0\0", 12));
    const QString station = WriteStation(fixture, QStringLiteral("lib/station.arh"));
    if (remembered)
        RememberArchive(fixture, station);
    argument.replace(QLatin1Char('@'), fixture.Root());

    TFormMain& window = fixture.CreateWindow();
    const QStringList enabledBefore = EnabledActions(window);
    const QString titleBefore = window.windowTitle();
    fixture.Seam().FailOnUnscripted = false;
    OpenCommandLineFiles(window, {argument});

    QCOMPARE(fixture.Seam().Messages.size(), 1);
    const ScriptedSeam::ShownMessage& shown = fixture.Seam().Messages[0];
    QVERIFY2(shown.Text.contains(argument), qPrintable(shown.Text));
    QVERIFY2(shown.Text.contains(says), qPrintable(shown.Text));
    QCOMPARE(shown.Caption, QStringLiteral("Warning"));
    QCOMPARE(shown.Buttons, MessageButtons::Ok);
    // The editor goes on as it started.
    QCOMPARE(window.Library().HasArchive(), remembered);
    QCOMPARE(window.windowTitle(), titleBefore);
    QCOMPARE(window.windowTitle(), remembered ? Caption(station) : PlainCaption);
    QVERIFY(!window.ArchiveModified());
    QVERIFY(!window.PlayList());
    QCOMPARE(EnabledActions(window), enabledBefore);
    QVERIFY(fixture.Seam().FileRequests.isEmpty());
    QVERIFY(fixture.Seam().DialogsShown.isEmpty());
}

void OpenFilesTest::noArgumentsStartAsBefore_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("only the end of options") << QStringList{QStringLiteral("--")};
}

void OpenFilesTest::noArgumentsStartAsBefore() {
    QFETCH(QStringList, arguments);
    GuiFixture fixture;
    const QString station = WriteStation(fixture, QStringLiteral("lib/station.arh"));
    RememberArchive(fixture, station);
    TFormMain& window = fixture.CreateWindow();
    const QStringList enabledBefore = EnabledActions(window);

    OpenCommandLineFiles(window, arguments);

    QVERIFY(fixture.Seam().Messages.isEmpty());
    QVERIFY(fixture.Seam().FileRequests.isEmpty());
    QCOMPARE(window.CurrentArchivePath(), station);
    QCOMPARE(window.windowTitle(), Caption(station));
    QVERIFY(!window.PlayList());
    QVERIFY(window.BinViewShown());
    QCOMPARE(EnabledActions(window), enabledBefore);
}

void OpenFilesTest::savePromptsGuardTheOpen_data() {
    QTest::addColumn<bool>("playList");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    for (const bool playList : {false, true}) {
        const QByteArray kind = playList ? "playlist, " : "archive, ";
        QTest::newRow(kind + "Cancel keeps the changes") << playList << 2 << false;
        QTest::newRow(kind + "No drops them") << playList << 7 << true;
        QTest::newRow(kind + "Yes saves them first") << playList << 6 << true;
    }
}

void OpenFilesTest::savePromptsGuardTheOpen() {
    QFETCH(bool, playList);
    QFETCH(int, answer);
    QFETCH(bool, opened);
    GuiFixture fixture;
    const QString station = WriteStation(fixture, QStringLiteral("lib/station.arh"));
    RememberArchive(fixture, station);
    const QString list = WriteDoorList(fixture, QStringLiteral("lists/door.pla"));
    const QString otherArchive = WriteStation(fixture, QStringLiteral("other/hall.arh"));
    const QString otherList = WriteDoorList(fixture, QStringLiteral("other/hall.pla"));
    TFormMain& window = fixture.CreateWindow();
    OpenCommandLineFiles(window, {list});
    QVERIFY(fixture.Seam().Messages.isEmpty());

    // An unsaved change in what the new file would replace.
    if (playList) {
        window.PlayList()->Slot(7) = window.PlayList()->Slot(3);
        window.PlayList()->Slot(7).SlotNumber = 7;
        window.SetPlayListModified(true);
    } else {
        window.Library().AddBin("Extra");
        window.RebuildLibraryTree();
        window.SetArchiveModified(true);
    }
    fixture.Seam().ExpectMessage(playList ? PlayListPrompt : ArchivePrompt, answer);
    OpenCommandLineFiles(window, {playList ? otherList : otherArchive});

    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    if (playList) {
        QCOMPARE(window.CurrentPlayListPath(), opened ? otherList : list);
        QCOMPARE(window.PlayListModified(), !opened);
        // Yes wrote the change to the file it came from before the other opened.
        const orlamo::PlayListReadResult saved = orlamo::ReadPlayListFile(ToCore(list));
        QCOMPARE(saved.List.UsedSlotCount(), answer == 6 ? 2 : 1);
    } else {
        QCOMPARE(window.CurrentArchivePath(), opened ? otherArchive : station);
        QCOMPARE(window.ArchiveModified(), !opened);
        const orlamo::ArchiveLoadResult saved = orlamo::LoadArchive(ToCore(station));
        QCOMPARE(saved.Archive.AllBins().size(), std::size_t(answer == 6 ? 2 : 1));
    }
}

QTEST_MAIN(OpenFilesTest)
#include "OpenFiles_test.moc"
