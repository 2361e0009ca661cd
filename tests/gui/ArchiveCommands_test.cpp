// The archive commands driven through the window's actions: the save prompt with each answer,
// Create Archive, Open Archive (chooser first, prompt second), Save and Save As with the overwrite
// question and failed writes, and the prompt answered Yes while no archive is open.

#include "app/MainForm.h"
#include "formats/ArchiveFile.h"
#include "support/GuiFixture.h"
#include "support/TestHelpers.h"
#include "support/WindowScenes.h"
#include "views/ListViewColumns.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

using namespace scenes;
using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
const QString ArchiveModifiedText = QStringLiteral("Archive  Modified");
const QString CreateArchiveForm = QStringLiteral("Form_CreateArchive");
const QString SaveDialogBin = QStringLiteral("SaveDialogBin");
const QString OpenDialogArchive = QStringLiteral("OpenDialog_Archive");
const QString ArchiveFilter = QStringLiteral("arh File(*.arh);;All File(*.*)");

QByteArray ArchiveBytes(const TFormMain& window) {
    return QByteArray::fromStdString(orlamo::ArchiveText(window.Library()));
}

// Writes the archive "Station" (bin Doors with one voice, bin Alarms empty) at relativePath.
QString WriteStation(GuiFixture& fixture, const QString& relativePath,
                     const QString& archiveName = QStringLiteral("Station")) {
    orlamo::Library library;
    library.SetArchiveNode(ToCore(archiveName));
    library.AddBin("Doors", {WaveVoice(fixture, QStringLiteral("open.wav"), 3000)});
    library.AddBin("Alarms");
    const QString path = fixture.Path(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    const orlamo::FileWriteResult written = orlamo::SaveArchive(ToCore(path), library);
    if (!written.Ok)
        QTest::qFail(written.Message.c_str(), __FILE__, __LINE__);
    return path;
}

// Opens the station from its file and makes a change that is not saved: a third bin "Extra".
QString OpenChangedStation(GuiFixture& fixture, TFormMain& window) {
    const QString path = WriteStation(fixture, QStringLiteral("lib/station.arh"));
    if (!window.LoadArchive(path))
        QTest::qFail("the station did not load", __FILE__, __LINE__);
    window.Library().AddBin("Extra");
    window.RebuildLibraryTree();
    window.SetArchiveModified(true);
    return path;
}

// The create-archive dialog: checks that it opens empty with OK disabled, then enters a name.
ScriptedSeam::DialogHandler NameArchive(const QString& name, bool* openedEmpty = nullptr) {
    return [name, openedEmpty](QDialog& dialog) {
        if (openedEmpty) {
            auto* entry = dialog.findChild<QLineEdit*>(QStringLiteral("ElEdit_ArchiveName"));
            auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("ElGB_OK"));
            *openedEmpty = entry && ok && entry->text().isEmpty() && !ok->isEnabled();
        }
        return ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_ArchiveName"), name)(dialog);
    };
}

enum class SaveRoute {
    Unchanged,
    Cancel,
    No,
    YesToCurrentFile,
    YesChooseFile,
    YesChooserCancelled,
    YesWriteFails
};
} // namespace

Q_DECLARE_METATYPE(SaveRoute)

class ArchiveCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void savePromptBeforeCreate_data();
    void savePromptBeforeCreate();
    void createArchive();
    void createAfterNoThenCancelLeavesNoArchiveAndTheNextPromptGoesOn();
    void open_data();
    void open();
    void saveWritesTheCurrentFileWithoutAsking();
    void saveOfANewArchiveAsksForAFile();
    void saveAs_data();
    void saveAs();
    void failedSavesChangeNothing_data();
    void failedSavesChangeNothing();
    void choosersProposeTheLastNameAndStartBesideTheArchive();
};

// ---- The save prompt ------------------------------------------------------------------------

void ArchiveCommandsTest::savePromptBeforeCreate_data() {
    QTest::addColumn<SaveRoute>("route");
    QTest::addColumn<bool>("mayGoOn");

    QTest::newRow("unchanged: no prompt") << SaveRoute::Unchanged << true;
    QTest::newRow("Cancel") << SaveRoute::Cancel << false;
    QTest::newRow("No") << SaveRoute::No << true;
    QTest::newRow("Yes, written to its file") << SaveRoute::YesToCurrentFile << true;
    QTest::newRow("Yes, new archive, file chosen") << SaveRoute::YesChooseFile << true;
    QTest::newRow("Yes, new archive, chooser cancelled") << SaveRoute::YesChooserCancelled << false;
    QTest::newRow("Yes, the write fails") << SaveRoute::YesWriteFails << false;
}

// Create Archive runs the prompt: the dialog comes up exactly when the prompt lets it go on.
void ArchiveCommandsTest::savePromptBeforeCreate() {
    QFETCH(SaveRoute, route);
    QFETCH(bool, mayGoOn);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    ScriptedSeam& s = fixture.Seam();
    const QString chosen = fixture.Path(QStringLiteral("chosen.arh"));
    const QString failing = fixture.Path(QStringLiteral("gone/station.arh"));

    QString path;
    if (route == SaveRoute::YesChooseFile || route == SaveRoute::YesChooserCancelled) {
        // A new archive: no file yet.
        OpenArchive(window, QStringLiteral("Station"),
                    {{QStringLiteral("Doors"), {}}, {QStringLiteral("Alarms"), {}}});
        window.SetArchiveModified(true);
    } else {
        path = OpenChangedStation(fixture, window);
        if (route == SaveRoute::Unchanged)
            window.SetArchiveModified(false);
    }
    if (route == SaveRoute::YesWriteFails) {
        window.SetArchivePath(failing);
        path = failing;
    }
    const QByteArray library = ArchiveBytes(window);
    const QByteArray fileBefore = FileBytes(path);
    switch (route) {
    case SaveRoute::Unchanged:
        break;
    case SaveRoute::Cancel:
        s.ExpectMessage(ArchivePrompt, 2);
        break;
    case SaveRoute::No:
        s.ExpectMessage(ArchivePrompt, 7);
        break;
    case SaveRoute::YesToCurrentFile:
        s.ExpectMessage(ArchivePrompt, 6);
        break;
    case SaveRoute::YesChooseFile:
        s.ExpectMessage(ArchivePrompt, 6);
        s.QueueFile(SaveDialogBin, chosen);
        break;
    case SaveRoute::YesChooserCancelled:
        s.ExpectMessage(ArchivePrompt, 6);
        s.QueueFile(SaveDialogBin, QString());
        break;
    case SaveRoute::YesWriteFails:
        s.ExpectMessage(ArchivePrompt, 6);
        s.ExpectMessage(QStringLiteral("Unable to write to ") + failing);
        break;
    }
    if (mayGoOn)
        s.OnDialog(CreateArchiveForm, NameArchive(QStringLiteral("Fresh")));
    QVERIFY(Trigger(window, "ActFile_CreateArchive"));
    QVERIFY2(s.ScriptUsedUp(), qPrintable(s.UnusedScript().join(QLatin1Char('\n'))));
    QVERIFY(s.Unscripted.isEmpty());
    QCOMPARE(s.DialogsShown.contains(CreateArchiveForm), mayGoOn);

    if (mayGoOn) {
        // The new archive: a node alone, no file, whatever the flag was.
        QCOMPARE(FromCore(window.Library().ArchiveName()), QStringLiteral("Fresh"));
        QCOMPARE(window.Library().BinCount(), 0);
        QCOMPARE(window.LibraryNodeCount(), 1);
        QCOMPARE(window.CurrentArchivePath(), QString());
        QCOMPARE(window.windowTitle(), QStringLiteral("Orlamo"));
    } else {
        // Nothing was discarded: the same library, its path and its unsaved changes.
        QCOMPARE(ArchiveBytes(window), library);
        QCOMPARE(window.CurrentArchivePath(), path);
        QVERIFY(window.ArchiveModified());
    }
    // No is not a save: the new archive shows the old flag at once.
    const bool flagAfter = route == SaveRoute::No || !mayGoOn;
    QCOMPARE(window.ArchiveModified(), flagAfter);
    QCOMPARE(window.StatusPanelText(0), flagAfter ? ArchiveModifiedText : QString());

    const bool writtenToPath = route == SaveRoute::YesToCurrentFile;
    QCOMPARE(FileBytes(path), writtenToPath ? library : fileBefore);
    QCOMPARE(FileBytes(chosen), route == SaveRoute::YesChooseFile ? library : QByteArray());
    QVERIFY(!QFileInfo::exists(failing));
}

void ArchiveCommandsTest::createArchive() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    QVERIFY(!QFileInfo::exists(fixture.WaveFolder()));
    bool openedEmpty = false;
    fixture.Seam().OnDialog(CreateArchiveForm, NameArchive(QStringLiteral("Fresh"), &openedEmpty));
    // Ctrl+N works from anywhere in the window.
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(openedEmpty);
    QCOMPARE(window.LibraryNodeCount(), 1);
    QCOMPARE(FromCore(window.Library().ArchiveName()), QStringLiteral("Fresh"));
    QVERIFY(!window.ArchiveModified());
    QCOMPARE(window.windowTitle(), QStringLiteral("Orlamo"));
    // The wave folder is made for the voices to come.
    QVERIFY(QFileInfo(fixture.WaveFolder()).isDir());

    // A second Create whose dialog is cancelled leaves no archive at all.
    fixture.Seam().OnDialog(CreateArchiveForm, ScriptedSeam::Cancel());
    QVERIFY(Trigger(window, "ActFile_CreateArchive"));
    QCOMPARE(window.LibraryNodeCount(), 0);
    QVERIFY(!window.Library().HasArchive());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
}

// No, then the dialog cancelled: no archive is open but the flag is still set. The next prompt
// asks again; Yes then has nothing to save and lets the command go on.
void ArchiveCommandsTest::createAfterNoThenCancelLeavesNoArchiveAndTheNextPromptGoesOn() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const QString path = OpenChangedStation(fixture, window);
    const QByteArray fileBefore = FileBytes(path);
    ScriptedSeam& seam = fixture.Seam();

    seam.ExpectMessage(ArchivePrompt, 7);
    seam.OnDialog(CreateArchiveForm, ScriptedSeam::Cancel());
    QVERIFY(Trigger(window, "ActFile_CreateArchive"));
    QCOMPARE(window.LibraryNodeCount(), 0);
    QCOMPARE(window.CurrentArchivePath(), QString());
    QCOMPARE(window.windowTitle(), QStringLiteral("Orlamo"));
    QVERIFY(window.ArchiveModified());
    QCOMPARE(window.StatusPanelText(0), ArchiveModifiedText);

    // Yes with nothing open: no file chooser (it would be unscripted), no write, the dialog runs.
    seam.ExpectMessage(ArchivePrompt, 6);
    seam.OnDialog(CreateArchiveForm, NameArchive(QStringLiteral("Fresh")));
    QVERIFY(Trigger(window, "ActFile_CreateArchive"));
    QVERIFY(seam.ScriptUsedUp());
    QVERIFY(seam.Unscripted.isEmpty());
    QVERIFY(seam.FileRequests.isEmpty());
    QCOMPARE(FromCore(window.Library().ArchiveName()), QStringLiteral("Fresh"));
    QCOMPARE(FileBytes(path), fileBefore);
    // The flag still stands for the changes dropped with No, so the new archive shows it.
    QCOMPARE(window.StatusPanelText(0), ArchiveModifiedText);
}

// ---- Open -------------------------------------------------------------------------------------

void ArchiveCommandsTest::open_data() {
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("chosen");       // relative path; empty: the chooser is cancelled
    QTest::addColumn<int>("promptAnswer");     // 0: no prompt expected
    QTest::addColumn<QString>("refusal");      // box shown by the read, if any
    QTest::addColumn<QString>("archiveAfter"); // name of the open archive, empty for none
    QTest::addColumn<QString>("pathAfter");    // "current", "chosen" or empty

    const QString station = QStringLiteral("lib/station.arh");
    const QString other = QStringLiteral("other/hall.arh");
    QTest::newRow("chooser cancelled: no prompt")
        << true << QString() << 0 << QString() << "Station"
        << "current";
    QTest::newRow("unchanged: another file opens without a prompt")
        << false << other << 0 << QString() << "Hall"
        << "chosen";
    QTest::newRow("the same file, No: read again, the changes dropped")
        << true << station << 7 << QString() << "Station"
        << "chosen";
    QTest::newRow("Cancel: nothing read") << true << other << 2 << QString() << "Station"
                                          << "current";
    QTest::newRow("Yes: saved, then the other file read")
        << true << other << 6 << QString() << "Hall"
        << "chosen";
    QTest::newRow("No, then a wrong extension: no archive, no path")
        << true << QStringLiteral("notes.txt") << 7 << "File type Error."
        << ""
        << "";
    QTest::newRow("Yes, then a missing file: no archive, the saved path stays")
        << true << QStringLiteral("missing.arh") << 6 << "Not Found File"
        << ""
        << "current";
}

void ArchiveCommandsTest::open() {
    QFETCH(bool, changed);
    QFETCH(QString, chosen);
    QFETCH(int, promptAnswer);
    QFETCH(QString, refusal);
    QFETCH(QString, archiveAfter);
    QFETCH(QString, pathAfter);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const QString current = OpenChangedStation(fixture, window);
    window.SetArchiveModified(changed);
    WriteStation(fixture, QStringLiteral("other/hall.arh"), QStringLiteral("Hall"));
    fixture.WriteFile(QStringLiteral("notes.txt"), "[Class]\r\nArchiveName=Notes\r\n");
    const QByteArray library = ArchiveBytes(window);
    const QString chosenPath = chosen.isEmpty() ? QString() : fixture.Path(chosen);
    ScriptedSeam& seam = fixture.Seam();
    seam.QueueFile(OpenDialogArchive, chosenPath);
    if (promptAnswer != 0)
        seam.ExpectMessage(ArchivePrompt, promptAnswer);
    if (!refusal.isEmpty())
        seam.ExpectMessage(refusal);

    QVERIFY(Trigger(window, "ActFile_OpenArchive"));
    QVERIFY(seam.ScriptUsedUp());
    QVERIFY(seam.Unscripted.isEmpty());
    // The chooser came before the prompt.
    QCOMPARE(seam.FileRequests.size(), 1);

    QCOMPARE(FromCore(window.Library().ArchiveName()), archiveAfter);
    QCOMPARE(window.LibraryNodeCount() > 0, !archiveAfter.isEmpty());
    const QString expectedPath = pathAfter == QLatin1String("current")  ? current
                                 : pathAfter == QLatin1String("chosen") ? chosenPath
                                                                        : QString();
    QCOMPARE(window.CurrentArchivePath(), expectedPath);
    if (archiveAfter == QLatin1String("Station") && pathAfter == QLatin1String("current"))
        QCOMPARE(ArchiveBytes(window), library); // untouched, changes and all
    if (chosen == QLatin1String("lib/station.arh"))
        QCOMPARE(BinNames(window),
                 (QStringList{QStringLiteral("Doors"), QStringLiteral("Alarms")}));
    // Yes saved the changes before the library was dropped.
    QCOMPARE(FileBytes(current) == library, promptAnswer == 6);
}

// ---- Save and Save As -------------------------------------------------------------------------

void ArchiveCommandsTest::saveWritesTheCurrentFileWithoutAsking() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const QString path = OpenChangedStation(fixture, window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(fixture.Seam().Messages.isEmpty());
    QVERIFY(fixture.Seam().FileRequests.isEmpty());
    QCOMPARE(FileBytes(path), ArchiveBytes(window));
    QVERIFY(!window.ArchiveModified());
    QCOMPARE(window.StatusPanelText(0), QString());
    QCOMPARE(window.windowTitle(), QStringLiteral("Orlamo - ") + path);
}

void ArchiveCommandsTest::saveOfANewArchiveAsksForAFile() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    fixture.Seam().OnDialog(CreateArchiveForm, NameArchive(QStringLiteral("Fresh")));
    QVERIFY(Trigger(window, "ActFile_CreateArchive"));
    const QString chosen = fixture.Path(QStringLiteral("fresh.arh"));
    fixture.Seam().QueueFile(SaveDialogBin, chosen);
    QVERIFY(Trigger(window, "ActFile_SaveArchive"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(fixture.Seam().FileRequests.size(), 1);
    QCOMPARE(fixture.Seam().FileRequests.constFirst().ObjectName, SaveDialogBin);
    QCOMPARE(FileBytes(chosen), ArchiveBytes(window));
    QCOMPARE(window.CurrentArchivePath(), chosen);
}

void ArchiveCommandsTest::saveAs_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("cancelChooser");
    QTest::addColumn<int>("coverAnswer"); // 0: no question expected
    QTest::addColumn<bool>("written");

    QTest::newRow("a new file") << false << false << 0 << true;
    QTest::newRow("an existing file, No") << true << false << 7 << false;
    QTest::newRow("an existing file, Yes") << true << false << 6 << true;
    QTest::newRow("chooser cancelled") << false << true << 0 << false;
}

void ArchiveCommandsTest::saveAs() {
    QFETCH(bool, exists);
    QFETCH(bool, cancelChooser);
    QFETCH(int, coverAnswer);
    QFETCH(bool, written);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const QString current = OpenChangedStation(fixture, window);
    const QByteArray currentBytes = FileBytes(current);
    const QString target = fixture.Path(QStringLiteral("copies/hall.arh"));
    QDir().mkpath(fixture.Path(QStringLiteral("copies")));
    if (exists)
        fixture.WriteFile(QStringLiteral("copies/hall.arh"), "old");
    fixture.Seam().QueueFile(SaveDialogBin, cancelChooser ? QString() : target);
    if (coverAnswer != 0)
        fixture.Seam().ExpectMessage(CoverQuestion, coverAnswer);

    QVERIFY(Trigger(window, "ActFile_SaveAsArchive"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    const FileDialogRequest request = fixture.Seam().FileRequests.constFirst();
    QCOMPARE(request.ObjectName, SaveDialogBin);
    QCOMPARE(request.Filter, ArchiveFilter);
    QCOMPARE(request.DefaultSuffix, QStringLiteral("arh"));
    QVERIFY(request.Save);

    QCOMPARE(FileBytes(target),
             written ? ArchiveBytes(window) : (exists ? QByteArray("old") : QByteArray()));
    QCOMPARE(window.CurrentArchivePath(), written ? target : current);
    QCOMPARE(window.windowTitle(), QStringLiteral("Orlamo - ") + (written ? target : current));
    QCOMPARE(window.ArchiveModified(), !written);
    QCOMPARE(FileBytes(current), currentBytes);
}

void ArchiveCommandsTest::failedSavesChangeNothing_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("Save Archive") << "ActFile_SaveArchive";
    QTest::newRow("Save As Archive") << "ActFile_SaveAsArchive";
}

// A failed write says "Unable to write to <path>"; the flag, the path and the old file stay.
void ArchiveCommandsTest::failedSavesChangeNothing() {
    QFETCH(QString, command);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const QString current = OpenChangedStation(fixture, window);
    const QByteArray currentBytes = FileBytes(current);
    // A folder where a file should be: nobody, root included, can write "<blocker>/x.arh".
    fixture.WriteFile(QStringLiteral("blocker"), "a file");
    const QString failing = fixture.Path(QStringLiteral("blocker/station.arh"));
    const bool saveAs = command == QLatin1String("ActFile_SaveAsArchive");
    if (saveAs)
        fixture.Seam().QueueFile(SaveDialogBin, failing);
    else
        window.SetArchivePath(failing);
    fixture.Seam().ExpectMessage(QStringLiteral("Unable to write to ") + failing);

    QVERIFY(Trigger(window, command.toLatin1().constData()));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    QVERIFY(window.ArchiveModified());
    QCOMPARE(window.StatusPanelText(0), ArchiveModifiedText);
    QCOMPARE(window.CurrentArchivePath(), saveAs ? current : failing);
    QCOMPARE(FileBytes(current), currentBytes);
}

void ArchiveCommandsTest::choosersProposeTheLastNameAndStartBesideTheArchive() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const QString current = OpenChangedStation(fixture, window);
    ScriptedSeam& seam = fixture.Seam();
    const QString first = fixture.Path(QStringLiteral("copies/one.arh"));
    QDir().mkpath(fixture.Path(QStringLiteral("copies")));

    seam.QueueFile(SaveDialogBin, first);
    QVERIFY(Trigger(window, "ActFile_SaveAsArchive"));
    seam.QueueFile(SaveDialogBin, QString());
    QVERIFY(Trigger(window, "ActFile_SaveAsArchive"));
    QCOMPARE(seam.FileRequests.size(), 2);
    QCOMPARE(seam.FileRequests[0].Directory, QFileInfo(current).absolutePath());
    QCOMPARE(seam.FileRequests[0].FileName, QString());
    // The second proposes the name chosen in the first and starts beside the archive now open.
    QCOMPARE(seam.FileRequests[1].FileName, first);
    QCOMPARE(seam.FileRequests[1].Directory, QFileInfo(first).absolutePath());

    const QString other = WriteStation(fixture, QStringLiteral("other/hall.arh"));
    seam.QueueFile(OpenDialogArchive, other);
    QVERIFY(Trigger(window, "ActFile_OpenArchive"));
    seam.QueueFile(OpenDialogArchive, QString());
    QVERIFY(Trigger(window, "ActFile_OpenArchive"));
    QCOMPARE(seam.FileRequests.size(), 4);
    QCOMPARE(seam.FileRequests[2].ObjectName, OpenDialogArchive);
    QCOMPARE(seam.FileRequests[2].Filter, ArchiveFilter);
    QVERIFY(!seam.FileRequests[2].Save);
    QCOMPARE(seam.FileRequests[3].FileName, other);
    QCOMPARE(seam.FileRequests[3].Directory, QFileInfo(other).absolutePath());
    QVERIFY(seam.Unscripted.isEmpty());
}

QTEST_MAIN(ArchiveCommandsTest)
#include "ArchiveCommands_test.moc"
