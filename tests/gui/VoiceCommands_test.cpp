// The voice commands driven through the window's actions and keys: Add Voice with its copy into
// the wave folder (the rename question, overwriting, a typed Location, failed copies), Edit Voice
// and Del Voice on a bin and on the playlist, Play Wave and Set Wave Path.

#include "app/MainForm.h"
#include "formats/WaveInspector.h"
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
#include <set>

using namespace scenes;
using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
const QString AddVoiceForm = QStringLiteral("Form_AddVoiceSlice");
const QString WavePathForm = QStringLiteral("Form_SETWavePath");
const QString WaveChooser = QStringLiteral("OpenDialog");

// Every name in a folder, hidden ones (a left-over temporary file) included.
QStringList FolderEntries(const QString& folder) {
    QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                 QDir::NoDotAndDotDot | QDir::System);
    entries.sort();
    return entries;
}

// Judges the list popup on one occupied row, then selects `rows`, as a user who opens the popup
// and then changes the selection would.
void SelectAfterPopup(TFormMain& window, VoiceListKind kind, int judgedRow,
                      const QList<int>& rows) {
    window.SelectRows(kind, {judgedRow});
    OpenListPopup(window);
    window.SelectRows(kind, rows);
}

// The add-voice dialog: picks a file with the open-file button (its chooser must be queued),
// types `typed` into Location when given, fills name and description, and presses OK.
ScriptedSeam::DialogHandler FillAddVoice(bool pick, const QString& typed, const QString& name,
                                         const QString& description) {
    return [=](QDialog& dialog) {
        if (pick)
            dialog.findChild<QPushButton*>(QStringLiteral("ElGBtn_OpenFile"))->click();
        if (!typed.isNull())
            ScriptedSeam::SetText(dialog, QStringLiteral("ElEdit_FilePath"), typed);
        ScriptedSeam::SetText(dialog, QStringLiteral("ElEdit_VoiceName"), name);
        ScriptedSeam::SetText(dialog, QStringLiteral("ElEdit_VoiceDescripition"), description);
        return ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGB_OK"));
    };
}

// Archive Station, bin Doors (open.wav, close.wav in the wave folder) shown in the bin view.
void Station(GuiFixture& fixture, TFormMain& window) {
    OpenArchive(
        window, QStringLiteral("Station"),
        {{QStringLiteral("Doors"),
          {WaveVoice(fixture, QStringLiteral("open.wav"), 3000, QStringLiteral("Open")),
           WaveVoice(fixture, QStringLiteral("close.wav"), 2000, QStringLiteral("Close"))}}});
    ClickLibraryNode(window, 1);
}

const orlamo::WAVE_DPTR& LastVoice(const TFormMain& window) {
    return window.Library().BinAt(0).Voices.back();
}

// Sets an environment variable for one test and puts the old value back afterwards.
class EnvironmentValue {
public:
    EnvironmentValue(const char* name, const QByteArray& value)
        : Name(name), Had(qEnvironmentVariableIsSet(name)), Old(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvironmentValue() {
        if (Had)
            qputenv(Name, Old);
        else
            qunsetenv(Name);
    }
    EnvironmentValue(const EnvironmentValue&) = delete;
    EnvironmentValue& operator=(const EnvironmentValue&) = delete;

private:
    const char* Name;
    bool Had;
    QByteArray Old;
};
} // namespace

class VoiceCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void addVoiceCopies_data();
    void addVoiceCopies();
    void renamedCopyStaysInTheWaveFolder_data();
    void renamedCopyStaysInTheWaveFolder();
    void addVoiceUsesTheFileLocationNames_data();
    void addVoiceUsesTheFileLocationNames();
    void failedCopiesAddNothing_data();
    void failedCopiesAddNothing();
    void addVoiceNeedsASelectedBin();
    void editVoice_data();
    void editVoice();
    void delVoiceOnABinRemovesTheFirstSelected();
    void delVoiceOnSlots_data();
    void delVoiceOnSlots();
    void playWave_data();
    void playWave();
    void playWaveOnAnEmptySlotStartsNothing();
    void setWavePath_data();
    void setWavePath();
};

// ---- Add Voice --------------------------------------------------------------------------------

void VoiceCommandsTest::addVoiceCopies_data() {
    QTest::addColumn<bool>("bellInWave");       // Wave/bell.wav exists (7000 bytes) beforehand
    QTest::addColumn<bool>("bell2InWave");      // Wave/bell2.wav exists (9000 bytes) beforehand
    QTest::addColumn<bool>("pickFromWave");     // the picked file is Wave/bell.wav itself
    QTest::addColumn<int>("renameAnswer");      // answer to 2001; 0: not asked
    QTest::addColumn<QString>("newName");       // entered in the rename dialog; empty: cancelled
    QTest::addColumn<QString>("addedAs");       // FileName of the new voice; empty: none added
    QTest::addColumn<int>("addedSize");         // its DataSize
    QTest::addColumn<QStringList>("waveAfter"); // the wave folder afterwards

    const QStringList openClose{QStringLiteral("close.wav"), QStringLiteral("open.wav")};
    const QString bell = QStringLiteral("bell.wav");
    const QString bell2 = QStringLiteral("bell2.wav");
    QTest::newRow("a new name: copied") << false << false << false << 0 << QString() << bell << 2000
                                        << QStringList{bell} + openClose;
    QTest::newRow("name in the wave folder, No: overwritten")
        << true << false << false << 7 << QString() << bell << 2000
        << QStringList{bell} + openClose;
    QTest::newRow("name in the wave folder, Yes, a new name: copied under it")
        << true << false << false << 6 << bell2 << bell2 << 2000
        << QStringList{bell, bell2} + openClose;
    QTest::newRow("Yes, the new name exists too: nothing copied, the voice is that file")
        << true << true << false << 6 << bell2 << bell2 << 9000
        << QStringList{bell, bell2} + openClose;
    QTest::newRow("Yes, the rename dialog cancelled: nothing")
        << true << false << false << 6 << QString() << QString() << 0
        << QStringList{bell} + openClose;
    QTest::newRow("the picked file lies in the wave folder, No: it stays")
        << true << false << true << 7 << QString() << bell << 2000 << QStringList{bell} + openClose;
}

void VoiceCommandsTest::addVoiceCopies() {
    QFETCH(bool, bellInWave);
    QFETCH(bool, bell2InWave);
    QFETCH(bool, pickFromWave);
    QFETCH(int, renameAnswer);
    QFETCH(QString, newName);
    QFETCH(QString, addedAs);
    QFETCH(int, addedSize);
    QFETCH(QStringList, waveAfter);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    const QString wave = fixture.WaveFolder();
    const QString source = pickFromWave ? fixture.WriteWave(QStringLiteral("Wave/bell.wav"), 2000)
                                        : fixture.WriteWave(QStringLiteral("src/bell.wav"), 2000);
    if (bellInWave && !pickFromWave)
        fixture.WriteWave(QStringLiteral("Wave/bell.wav"), 7000);
    if (bell2InWave)
        fixture.WriteWave(QStringLiteral("Wave/bell2.wav"), 9000);
    const QByteArray sourceBytes = FileBytes(source);
    const QByteArray bellBefore = FileBytes(QDir(wave).filePath(QStringLiteral("bell.wav")));
    const QByteArray bell2Before = FileBytes(QDir(wave).filePath(QStringLiteral("bell2.wav")));

    ScriptedSeam& seam = fixture.Seam();
    seam.QueueFile(WaveChooser, source);
    seam.OnDialog(AddVoiceForm, FillAddVoice(true, QString(), QStringLiteral("Bell"),
                                             QStringLiteral("Door bell")));
    if (renameAnswer != 0)
        seam.ExpectMessage(RenameQuestion, renameAnswer);
    QString renameShown;
    if (renameAnswer == 6) {
        seam.OnDialog(ChangeNameForm, [newName, &renameShown](QDialog& dialog) {
            renameShown = dialog.findChild<QLineEdit*>(QStringLiteral("ElEdit_ChangeName"))->text();
            if (newName.isEmpty())
                return ScriptedSeam::Cancel()(dialog);
            return ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_ChangeName"), newName)(dialog);
        });
    }
    QVERIFY(Trigger(window, "ActVoice_AddVoice"));
    QVERIFY2(seam.ScriptUsedUp(), qPrintable(seam.UnusedScript().join(QLatin1Char('\n'))));
    QVERIFY(seam.Unscripted.isEmpty());
    if (renameAnswer == 6)
        QCOMPARE(renameShown, QStringLiteral("bell.wav"));

    QCOMPARE(FolderEntries(wave), waveAfter);
    const bool added = !addedAs.isEmpty();
    QCOMPARE(window.Library().BinAt(0).Voices.size(), std::size_t(added ? 3 : 2));
    QCOMPARE(window.ArchiveModified(), added);
    if (!added) {
        QCOMPARE(FileBytes(QDir(wave).filePath(QStringLiteral("bell.wav"))), bellBefore);
        return;
    }
    const orlamo::WAVE_DPTR& voice = LastVoice(window);
    const QString destination = QDir(wave).filePath(addedAs);
    QCOMPARE(FromCore(voice.FileName), addedAs);
    QCOMPARE(FromCore(voice.FullPath), destination);
    QCOMPARE(FromCore(voice.VoiceName), QStringLiteral("Bell"));
    QCOMPARE(FromCore(voice.Descripition), QStringLiteral("Door bell"));
    // The measurements are those of the file the voice names.
    const orlamo::WaveInspection measured = orlamo::InspectWaveFile(ToCore(destination));
    QCOMPARE(voice.DataSize, std::uint32_t(addedSize));
    QCOMPARE(voice.DataSize, measured.DataSize);
    QCOMPARE(voice.PlayTime, measured.PlayTime);
    QCOMPARE(voice.FormatCode, 0x50000000u);
    QCOMPARE(voice.InPlayList, std::uint8_t{0});
    const bool copied = addedSize == 2000;
    QCOMPARE(FileBytes(destination) == sourceBytes, copied);
    if (addedAs == QLatin1String("bell2.wav"))
        QCOMPARE(FileBytes(QDir(wave).filePath(QStringLiteral("bell.wav"))), bellBefore);
    if (bell2InWave)
        QCOMPARE(FileBytes(destination), bell2Before);
    // The refreshed bin view ends with the new voice.
    QCOMPARE(window.LView_Archive->model()->rowCount(), 3);
    QCOMPARE(Cell(window.LView_Archive, 2, orlamo::views::ColFileName), addedAs);
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 3"));
}

void VoiceCommandsTest::renamedCopyStaysInTheWaveFolder_data() {
    QTest::addColumn<QString>("newName");
    QTest::newRow("the parent folder") << "../bell.wav";
    QTest::newRow("a sub-folder") << "sub/bell.wav";
    QTest::newRow("a line break") << "bell\n2.wav";
}

// The name given in the rename dialog names a file of the wave folder, or nothing is done.
void VoiceCommandsTest::renamedCopyStaysInTheWaveFolder() {
    QFETCH(QString, newName);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    const QString source = fixture.WriteWave(QStringLiteral("src/bell.wav"), 2000);
    fixture.WriteWave(QStringLiteral("Wave/bell.wav"), 7000);
    QDir().mkpath(QDir(fixture.WaveFolder()).filePath(QStringLiteral("sub")));
    const QStringList rootBefore = FolderEntries(fixture.Root());
    const QStringList waveBefore = FolderEntries(fixture.WaveFolder());
    ScriptedSeam& seam = fixture.Seam();
    seam.QueueFile(WaveChooser, source);
    seam.OnDialog(AddVoiceForm, FillAddVoice(true, QString(), QStringLiteral("Bell"), QString()));
    seam.ExpectMessage(RenameQuestion, 6);
    seam.OnDialog(ChangeNameForm,
                  ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_ChangeName"), newName));
    seam.ExpectMessage(QStringLiteral("\"%1\" is not a file name: it must name a file in the wave "
                                      "folder %2, without any folder.")
                           .arg(newName, window.WaveFolder()));
    QVERIFY(Trigger(window, "ActVoice_AddVoice"));
    QVERIFY(seam.ScriptUsedUp());
    QVERIFY(seam.Unscripted.isEmpty());
    QCOMPARE(window.Library().BinAt(0).Voices.size(), std::size_t{2});
    QCOMPARE(FolderEntries(fixture.Root()), rootBefore);
    QCOMPARE(FolderEntries(fixture.WaveFolder()), waveBefore);
    QVERIFY(FolderEntries(QDir(fixture.WaveFolder()).filePath(QStringLiteral("sub"))).isEmpty());
    QVERIFY(!window.ArchiveModified());
}

void VoiceCommandsTest::addVoiceUsesTheFileLocationNames_data() {
    QTest::addColumn<QString>("typed"); // relative path typed into Location after the pick
    QTest::addColumn<QString>("box");   // "refused", "taken" or empty

    QTest::newRow("another wave typed over the picked one") << "src/horn.wav"
                                                            << "";
    QTest::newRow("a file that is no wave") << "src/notes.txt"
                                            << "refused";
    QTest::newRow("a stereo wave") << "src/stereo.wav"
                                   << "refused";
    QTest::newRow("a file name the bin holds already") << "src/open.wav"
                                                       << "taken";
}

// Location can be typed over after a pick: the file it names is the one copied, named and
// measured, and it passes the same checks as a picked one.
void VoiceCommandsTest::addVoiceUsesTheFileLocationNames() {
    QFETCH(QString, typed);
    QFETCH(QString, box);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    const QString picked = fixture.WriteWave(QStringLiteral("src/bell.wav"), 2000);
    fixture.WriteWave(QStringLiteral("src/horn.wav"), 5000, 16000);
    fixture.WriteFile(QStringLiteral("src/notes.txt"), "not a wave");
    fixture.WriteWave(QStringLiteral("src/stereo.wav"), 4000, 44100, 16, 2);
    fixture.WriteWave(QStringLiteral("src/open.wav"), 1000);
    const QString typedPath = fixture.Path(typed);
    const QStringList waveBefore = FolderEntries(fixture.WaveFolder());

    ScriptedSeam& seam = fixture.Seam();
    seam.QueueFile(WaveChooser, picked);
    seam.OnDialog(AddVoiceForm, FillAddVoice(true, typedPath, QStringLiteral("Horn"), QString()));
    if (box == QLatin1String("refused")) {
        const orlamo::WaveInspection refused = orlamo::InspectWaveFile(ToCore(typedPath));
        seam.ExpectMessage(FromCore(refused.Message) + QStringLiteral("\n\n") +
                           FromCore(orlamo::SupportedFormatText()));
    } else if (box == QLatin1String("taken")) {
        seam.ExpectMessage(IdenticalName);
    }
    QVERIFY(Trigger(window, "ActVoice_AddVoice"));
    QVERIFY(seam.ScriptUsedUp());
    QVERIFY(seam.Unscripted.isEmpty());
    if (box == QLatin1String("refused"))
        QCOMPARE(seam.Messages.constLast().Caption, QStringLiteral("ERROR"));

    if (!box.isEmpty()) {
        QCOMPARE(window.Library().BinAt(0).Voices.size(), std::size_t{2});
        QCOMPARE(FolderEntries(fixture.WaveFolder()), waveBefore);
        QVERIFY(!window.ArchiveModified());
        return;
    }
    const orlamo::WAVE_DPTR& voice = LastVoice(window);
    const QString destination = QDir(fixture.WaveFolder()).filePath(QStringLiteral("horn.wav"));
    QCOMPARE(FromCore(voice.FileName), QStringLiteral("horn.wav"));
    QCOMPARE(FromCore(voice.FullPath), destination);
    QCOMPARE(FileBytes(destination), FileBytes(typedPath));
    QVERIFY(!QFileInfo::exists(QDir(fixture.WaveFolder()).filePath(QStringLiteral("bell.wav"))));
    QCOMPARE(voice.DataSize, 5000u);
    QCOMPARE(voice.FormatCode, 0x40000000u); // 16 kHz
    QCOMPARE(voice.PlayTime, orlamo::InspectWaveFile(ToCore(typedPath)).PlayTime);
    QCOMPARE(window.LastWave().LastWaveSize, 5000u);
}

void VoiceCommandsTest::failedCopiesAddNothing_data() {
    QTest::addColumn<bool>("folderUnderAFile");
    QTest::newRow("the wave folder cannot be made") << true;
    QTest::newRow("the copy cannot be put in place") << false;
}

// A copy that cannot be made is reported with both paths, and no voice refers to a file that is
// not there; no half file is left behind.
void VoiceCommandsTest::failedCopiesAddNothing() {
    QFETCH(bool, folderUnderAFile);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    const QString source = fixture.WriteWave(QStringLiteral("src/bell.wav"), 2000);
    ScriptedSeam& seam = fixture.Seam();
    QString waveFolder = fixture.WaveFolder();
    QString destination;
    if (folderUnderAFile) {
        fixture.WriteFile(QStringLiteral("blocker"), "a file");
        waveFolder = fixture.Path(QStringLiteral("blocker/Wave"));
        window.SetWaveFolder(waveFolder);
        destination = waveFolder + QStringLiteral("/bell.wav");
        seam.ExpectMessage(
            QStringLiteral("Unable to copy %1 to %2: the wave folder cannot be made.")
                .arg(source, destination));
    } else {
        // A folder, with something in it, where the copy should go: nothing can replace it.
        fixture.WriteFile(QStringLiteral("Wave/bell.wav/inside"), "x");
        destination = QDir(waveFolder).filePath(QStringLiteral("bell.wav"));
        seam.ExpectMessage(RenameQuestion, 7);
        seam.ExpectMessage(QStringLiteral("Unable to copy %1 to %2.").arg(source, destination));
    }
    const QStringList waveBefore = FolderEntries(fixture.WaveFolder());
    seam.QueueFile(WaveChooser, source);
    seam.OnDialog(AddVoiceForm, FillAddVoice(true, QString(), QStringLiteral("Bell"), QString()));
    QVERIFY(Trigger(window, "ActVoice_AddVoice"));
    QVERIFY(seam.ScriptUsedUp());
    QVERIFY(seam.Unscripted.isEmpty());
    QCOMPARE(seam.Messages.constLast().Caption, QStringLiteral("ERROR"));
    QCOMPARE(window.Library().BinAt(0).Voices.size(), std::size_t{2});
    QVERIFY(!window.ArchiveModified());
    QCOMPARE(FolderEntries(fixture.WaveFolder()), waveBefore);
    if (!folderUnderAFile)
        QCOMPARE(FolderEntries(destination), QStringList{QStringLiteral("inside")});
}

// After Create Bin the archive node stays selected while BinViewActive is set: Add Voice is
// offered but has no bin to add to, so it shows nothing and changes nothing.
void VoiceCommandsTest::addVoiceNeedsASelectedBin() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    ClickLibraryNode(window, 0);
    fixture.Seam().OnDialog(
        QStringLiteral("Form_AddBin"),
        ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_BinName"), QStringLiteral("Gates")));
    QVERIFY(Trigger(window, "ActBin_CreateBin"));
    QVERIFY(window.BinViewActive());
    window.SetArchiveModified(false);
    QVERIFY(Trigger(window, "ActVoice_AddVoice"));
    QCOMPARE(fixture.Seam().DialogsShown, QStringList{QStringLiteral("Form_AddBin")});
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    QVERIFY(!window.ArchiveModified());
    QCOMPARE(window.Library().VoiceCount(), 2);
}

// ---- Edit Voice and Del Voice -------------------------------------------------------------------

void VoiceCommandsTest::editVoice_data() {
    QTest::addColumn<bool>("onSlot");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("a bin voice") << false << false;
    QTest::newRow("a playlist slot") << true << false;
    QTest::newRow("a bin voice, cancelled") << false << true;
    QTest::newRow("a playlist slot, cancelled") << true << true;
}

// Edit Voice changes the location, name and description of the record shown, and nothing else:
// on a bin the archive is marked changed, on a slot the playlist (and only its copy changes).
void VoiceCommandsTest::editVoice() {
    QFETCH(bool, onSlot);
    QFETCH(bool, cancel);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    const orlamo::WAVE_DPTR close = window.Library().BinAt(0).Voices[1];
    OpenPlayList(window, QStringLiteral("Door"), {{4, close}});
    if (!onSlot)
        ClickLibraryNode(window, 1);
    const VoiceListKind kind = onSlot ? VoiceListKind::PlayList : VoiceListKind::Archive;
    const int row = onSlot ? 3 : 1;
    window.SelectRows(kind, {row});
    OpenListPopup(window);
    const QString elsewhere = fixture.WriteWave(QStringLiteral("src/shut.wav"), 8000);
    QStringList shown;
    fixture.Seam().OnDialog(AddVoiceForm, [&](QDialog& dialog) {
        for (const char* edit : {"ElEdit_FilePath", "ElEdit_VoiceName", "ElEdit_VoiceDescripition"})
            shown.append(dialog.findChild<QLineEdit*>(QString::fromLatin1(edit))->text());
        shown.append(dialog.findChild<QPushButton*>(QStringLiteral("ElGB_OK"))->isEnabled()
                         ? QStringLiteral("OK enabled")
                         : QStringLiteral("OK disabled"));
        if (cancel)
            return ScriptedSeam::Cancel()(dialog);
        return FillAddVoice(false, elsewhere, QStringLiteral("Shut"),
                            QStringLiteral("Door shut"))(dialog);
    });
    QVERIFY(Trigger(window, "ActVoice_EditVoice"));
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    QCOMPARE(shown, (QStringList{FromCore(close.FullPath), QStringLiteral("Close"), QString(),
                                 QStringLiteral("OK enabled")}));

    const orlamo::WAVE_DPTR& binVoice = window.Library().BinAt(0).Voices[1];
    const orlamo::WAVE_DPTR& slot = window.PlayList()->Slot(4);
    const orlamo::WAVE_DPTR& edited = onSlot ? slot : binVoice;
    const orlamo::WAVE_DPTR& other = onSlot ? binVoice : slot;
    QCOMPARE(window.ArchiveModified(), !cancel && !onSlot);
    QCOMPARE(window.PlayListModified(), !cancel && onSlot);
    QCOMPARE(FromCore(other.VoiceName), QStringLiteral("Close"));
    QCOMPARE(other.FullPath, close.FullPath);
    if (cancel) {
        QCOMPARE(edited.FullPath, close.FullPath);
        QCOMPARE(FromCore(edited.VoiceName), QStringLiteral("Close"));
        return;
    }
    QCOMPARE(FromCore(edited.FullPath), elsewhere);
    QCOMPARE(FromCore(edited.VoiceName), QStringLiteral("Shut"));
    QCOMPARE(FromCore(edited.Descripition), QStringLiteral("Door shut"));
    // The file name and the measurements stay those of the record.
    QCOMPARE(edited.FileName, close.FileName);
    QCOMPARE(edited.DataSize, close.DataSize);
    QCOMPARE(edited.PlayTime, close.PlayTime);
    const QTreeView* view = onSlot ? window.LView_PL : window.LView_Archive;
    QCOMPARE(Cell(view, row, orlamo::views::ColName), QStringLiteral("Shut"));
    QCOMPARE(Cell(view, row, orlamo::views::ColDescription), QStringLiteral("Door shut"));
    QCOMPARE(Cell(view, row, orlamo::views::ColFileName), QStringLiteral("close.wav"));
}

// The Delete key with several voices of a bin selected removes the first of them only; the wave
// file and the playlist's copy stay.
void VoiceCommandsTest::delVoiceOnABinRemovesTheFirstSelected() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    const orlamo::WAVE_DPTR open = window.Library().BinAt(0).Voices[0];
    OpenPlayList(window, QStringLiteral("Door"), {{1, open}});
    ClickLibraryNode(window, 1);
    window.SelectRows(VoiceListKind::Archive, {0, 1});
    QTest::keyClick(window.LView_Archive, Qt::Key_Delete);
    QVERIFY(fixture.Seam().Messages.isEmpty());
    QCOMPARE(window.Library().BinAt(0).Voices.size(), std::size_t{1});
    QCOMPARE(FromCore(window.Library().BinAt(0).Voices[0].FileName), QStringLiteral("close.wav"));
    QCOMPARE(window.LView_Archive->model()->rowCount(), 1);
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 1"));
    QVERIFY(window.ArchiveModified());
    QVERIFY(!window.PlayListModified());
    QCOMPARE(window.PlayList()->Slot(1).FullPath, open.FullPath);
    QVERIFY(QFileInfo::exists(FromCore(open.FullPath)));
}

void VoiceCommandsTest::delVoiceOnSlots_data() {
    QTest::addColumn<QList<int>>("selectedSlots");
    QTest::addColumn<QList<int>>("occupiedAfter");

    // Slots 2, 5 and 7 hold voices; 3 is empty.
    QTest::newRow("slots 2 and 5") << QList<int>{2, 5} << QList<int>{7};
    QTest::newRow("slots 2, 3 (empty) and 5") << QList<int>{2, 3, 5} << QList<int>{7};
    QTest::newRow("slot 3 (empty) before slot 7") << QList<int>{3, 7} << QList<int>{2, 5};
    QTest::newRow("slot 3 (empty) alone") << QList<int>{3} << QList<int>{2, 5, 7};
}

// Every occupied selected slot is emptied, empty ones are passed over, and the totals are always
// recomputed.
void VoiceCommandsTest::delVoiceOnSlots() {
    QFETCH(QList<int>, selectedSlots);
    QFETCH(QList<int>, occupiedAfter);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    const orlamo::WAVE_DPTR open = window.Library().BinAt(0).Voices[0];
    const orlamo::WAVE_DPTR close = window.Library().BinAt(0).Voices[1];
    OpenPlayList(window, QStringLiteral("Door"), {{2, open}, {5, close}, {7, open}});
    QList<int> rows;
    for (int slot : selectedSlots)
        rows.append(slot - 1);
    window.SelectRows(VoiceListKind::PlayList, rows);
    window.ShowTotals(99, 99); // stale texts the refresh must replace
    QTest::keyClick(window.LView_PL, Qt::Key_Delete);
    QVERIFY(fixture.Seam().Messages.isEmpty());

    QList<int> occupied;
    for (int slot = 1; slot <= orlamo::PlayListSlots; ++slot)
        if (!window.PlayList()->Slot(slot).FileName.empty())
            occupied.append(slot);
    QCOMPARE(occupied, occupiedAfter);
    QCOMPARE(window.PlayList()->AllSlots().size(), std::size_t(orlamo::PlayListSlots));
    QCOMPARE(window.LView_PL->model()->rowCount(), orlamo::PlayListSlots);
    for (int slot : selectedSlots)
        QCOMPARE(Cell(window.LView_PL, slot - 1, orlamo::views::ColFileName),
                 FromCore(window.PlayList()->Slot(slot).FileName));
    const bool emptied = occupied.size() < 3;
    QCOMPARE(window.PlayListModified(), emptied);
    QCOMPARE(window.StatusPanelText(1), emptied ? QStringLiteral("PlayList  Modified") : QString());
    QCOMPARE(window.StatusPanelText(2),
             QStringLiteral("Total Wave = %1").arg(window.PlayList()->UsedSlotCount()));
    QCOMPARE(window.StatusPanelText(3),
             QStringLiteral("Total Size = %1 KB").arg(window.PlayList()->KilobyteTotal()));
    QCOMPARE(window.PlayList()->UsedSlotCount(), int(occupiedAfter.size()));
    QVERIFY(!window.ArchiveModified());
}

// ---- Play Wave and Set Wave Path ----------------------------------------------------------------

void VoiceCommandsTest::playWave_data() {
    QTest::addColumn<bool>("onSlot");
    QTest::addColumn<QByteArray>("player"); // ORLAMO_PLAYER; null: unset
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QString>("expectedProgram");

    QTest::newRow("a bin voice, the default player")
        << false << QByteArray() << true << QStringLiteral("xdg-open");
    QTest::newRow("a bin voice, ORLAMO_PLAYER") << false << QByteArray("/opt/sound/play wave")
                                                << true << QStringLiteral("/opt/sound/play wave");
    QTest::newRow("a player that cannot start")
        << false << QByteArray("no-such-player") << false << QStringLiteral("no-such-player");
}

// The player gets the voice's own file as one argument, even when the wave folder has moved on
// and the path holds blanks.
void VoiceCommandsTest::playWave() {
    QFETCH(bool, onSlot);
    QFETCH(QByteArray, player);
    QFETCH(bool, starts);
    QFETCH(QString, expectedProgram);
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    if (player.isNull())
        QSKIP("the platform's default handler opens the file there");
#endif
    const EnvironmentValue playerVariable("ORLAMO_PLAYER", player);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const QString path = fixture.WriteWave(QStringLiteral("My Voices/open door.wav"), 3000);
    const orlamo::WAVE_DPTR voice =
        Voice(QStringLiteral("open door.wav"), 3000, path, QStringLiteral("Open"));
    OpenArchive(window, QStringLiteral("Station"), {{QStringLiteral("Doors"), {voice}}});
    window.SetWaveFolder(fixture.Path(QStringLiteral("Elsewhere")));
    if (onSlot)
        OpenPlayList(window, QStringLiteral("Door"), {{2, voice}});
    else
        ClickLibraryNode(window, 1);
    const VoiceListKind kind = onSlot ? VoiceListKind::PlayList : VoiceListKind::Archive;
    window.SelectRows(kind, {onSlot ? 1 : 0});
    OpenListPopup(window);
    fixture.Seam().StartDetachedResult = starts;
    if (!starts)
        fixture.Seam().ExpectMessage(
            QStringLiteral("The player \"%1\" could not be started.").arg(expectedProgram));

    QVERIFY(Trigger(window, "ActTool_PlayWav"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    QCOMPARE(fixture.Seam().StartedPrograms.size(), 1);
    QCOMPARE(fixture.Seam().StartedPrograms[0].Program, expectedProgram);
    QCOMPARE(fixture.Seam().StartedPrograms[0].Arguments, QStringList{path});
    if (starts)
        QVERIFY(fixture.Seam().Messages.isEmpty());
}

// A row chosen after the popup judged another one: an empty slot starts no player and leaves the
// voice commands off until the popup opens again.
void VoiceCommandsTest::playWaveOnAnEmptySlotStartsNothing() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    OpenPlayList(window, QStringLiteral("Door"), {{2, window.Library().BinAt(0).Voices[0]}});
    SelectAfterPopup(window, VoiceListKind::PlayList, 1, {2});
    QVERIFY(Trigger(window, "ActTool_PlayWav"));
    QVERIFY(fixture.Seam().StartedPrograms.isEmpty());
    QVERIFY(fixture.Seam().Messages.isEmpty());
    QVERIFY(window.NoSingleVoiceSelected());
    QVERIFY(!window.Action(QStringLiteral("ActTool_PlayWav"))->isEnabled());
}

void VoiceCommandsTest::setWavePath_data() {
    QTest::addColumn<QStringList>("folders"); // made inside the chosen folder
    QTest::addColumn<QString>("waveFile");    // a file made inside it, if any
    QTest::addColumn<QString>("waveFolder");  // expected, relative to the chosen folder
    QTest::addColumn<bool>("cancel");

    QTest::newRow("a sub-folder wave")
        << QStringList{QStringLiteral("wave")} << QString() << QStringLiteral("wave") << false;
    QTest::newRow("a sub-folder Wave")
        << QStringList{QStringLiteral("Wave")} << QString() << QStringLiteral("Wave") << false;
    QTest::newRow("no sub-folder")
        << QStringList{QStringLiteral("other")} << QString() << QString() << false;
    QTest::newRow("a file named wave")
        << QStringList{} << QStringLiteral("wave") << QString() << false;
    QTest::newRow("cancelled") << QStringList{QStringLiteral("wave")} << QString() << QString()
                               << true;
}

// Set Wave Path picks the folder, or its "wave" sub-folder when there is one, without making
// anything; the voices added afterwards go there.
void VoiceCommandsTest::setWavePath() {
    QFETCH(QStringList, folders);
    QFETCH(QString, waveFile);
    QFETCH(QString, waveFolder);
    QFETCH(bool, cancel);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    Station(fixture, window);
    const QString oldWaveFolder = window.WaveFolder();
    const QString oldChosen = window.ChosenWavePath();
    const QString chosen = fixture.Path(QStringLiteral("Voices"));
    for (const QString& folder : folders)
        QDir().mkpath(QDir(chosen).filePath(folder));
    QDir().mkpath(chosen);
    if (!waveFile.isEmpty())
        fixture.WriteFile(QStringLiteral("Voices/") + waveFile, "not a folder");
    const QStringList chosenBefore = FolderEntries(chosen);

    QString shown;
    fixture.Seam().OnDialog(WavePathForm, [&](QDialog& dialog) {
        shown = dialog.findChild<QLineEdit*>(QStringLiteral("ElFolderNameEdit"))->text();
        if (cancel)
            return ScriptedSeam::Cancel()(dialog);
        return ScriptedSeam::EnterAndOk(QStringLiteral("ElFolderNameEdit"), chosen)(dialog);
    });
    QVERIFY(Trigger(window, "ActOption_WavePath"));
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    QCOMPARE(shown, oldChosen);
    QCOMPARE(FolderEntries(chosen), chosenBefore);
    if (cancel) {
        QCOMPARE(window.WaveFolder(), oldWaveFolder);
        QCOMPARE(window.ChosenWavePath(), oldChosen);
        QVERIFY(!window.ArchiveModified());
        return;
    }
    const QString expected = waveFolder.isEmpty() ? chosen : QDir(chosen).filePath(waveFolder);
    QCOMPARE(window.WaveFolder(), expected);
    QCOMPARE(window.ChosenWavePath(), chosen);
    QVERIFY(window.ArchiveModified());
    // Voices already there keep their files.
    QCOMPARE(FromCore(window.Library().BinAt(0).Voices[0].FullPath),
             QDir(fixture.WaveFolder()).filePath(QStringLiteral("open.wav")));

    const QString source = fixture.WriteWave(QStringLiteral("src/bell.wav"), 2000);
    fixture.Seam().QueueFile(WaveChooser, source);
    fixture.Seam().OnDialog(AddVoiceForm,
                            FillAddVoice(true, QString(), QStringLiteral("Bell"), QString()));
    QVERIFY(Trigger(window, "ActVoice_AddVoice"));
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    QCOMPARE(FromCore(LastVoice(window).FullPath),
             QDir(expected).filePath(QStringLiteral("bell.wav")));
    QVERIFY(QFileInfo(QDir(expected).filePath(QStringLiteral("bell.wav"))).isFile());
}

QTEST_MAIN(VoiceCommandsTest)
#include "VoiceCommands_test.moc"
