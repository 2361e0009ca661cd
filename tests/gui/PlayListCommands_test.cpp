// The playlist commands driven through the window's actions: the save prompt with its answers,
// Create, Open (with the prompt before an open drops changes), Save and Save As with their
// failures, ReName, Move Wave To and Add To PlayList with their walks, and the refusal of runs
// that would pass the last slot.

#include "app/MainForm.h"
#include "dialogs/MoveWaveTo_Form.h"
#include "formats/PlayListFile.h"
#include "support/GuiFixture.h"
#include "support/TestHelpers.h"
#include "support/WindowScenes.h"
#include "views/ListViewColumns.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <map>

using namespace scenes;
using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
const QString SaveDialogPlay = QStringLiteral("SaveDialogPlay");
const QString OpenDialog = QStringLiteral("OpenDialog_PlayList");
const QString AddPlayListForm = QStringLiteral("Form_AddPlayList");
const QString MoveWaveToForm = QStringLiteral("Form_MoveWaveTo");

QStringList Strings(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromLatin1(text));
    return list;
}

QByteArray PlayListBytes(const QString& name, const std::vector<orlamo::WAVE_DPTR>& records) {
    return QByteArray::fromStdString(orlamo::PlayListText(ToCore(name), records));
}

QString SlotFile(const TFormMain& window, int slot) {
    return FromCore(window.PlayList()->Slot(slot).FileName);
}

// The file names of the occupied slots, by slot number.
std::map<int, QString> Occupied(const TFormMain& window) {
    std::map<int, QString> occupied;
    for (int slot = 1; slot <= orlamo::PlayListSlots; ++slot)
        if (!window.PlayList()->Slot(slot).FileName.empty())
            occupied[slot] = SlotFile(window, slot);
    return occupied;
}

// What panels 2 and 3 say for the open playlist's own totals.
void CheckTotalsShown(const TFormMain& window) {
    QCOMPARE(window.StatusPanelText(2),
             QStringLiteral("Total Wave = %1").arg(window.PlayList()->UsedSlotCount()));
    QCOMPARE(window.StatusPanelText(3),
             QStringLiteral("Total Size = %1 KB").arg(window.PlayList()->KilobyteTotal()));
}

// The station: bin Doors with seven voices whose wave files exist, a playlist "Door" holding
// open.wav in slot 3 and close.wav in slot 7.
struct Station {
    explicit Station(GuiFixture& fixture) : Fixture(fixture), Window(fixture.CreateWindow()) {
        Voices = {WaveVoice(fixture, QStringLiteral("open.wav"), 3000, QStringLiteral("Open")),
                  WaveVoice(fixture, QStringLiteral("close.wav"), 2000, QStringLiteral("Close")),
                  WaveVoice(fixture, QStringLiteral("bell.wav"), 1500, QStringLiteral("Bell")),
                  WaveVoice(fixture, QStringLiteral("horn.wav"), 4000, QStringLiteral("Horn")),
                  WaveVoice(fixture, QStringLiteral("chime.wav"), 2500, QStringLiteral("Chime")),
                  WaveVoice(fixture, QStringLiteral("siren.wav"), 6000, QStringLiteral("Siren")),
                  WaveVoice(fixture, QStringLiteral("knock.wav"), 1000, QStringLiteral("Knock"))};
        OpenArchive(Window, QStringLiteral("Station"), {{QStringLiteral("Doors"), Voices}});
    }
    void OpenDoorPlayList(const std::vector<std::pair<int, int>>& slotVoice = {{3, 0}, {7, 1}}) {
        std::vector<std::pair<int, orlamo::WAVE_DPTR>> occupied;
        for (const auto& [slot, voice] : slotVoice)
            occupied.emplace_back(slot, Voices[static_cast<std::size_t>(voice)]);
        OpenPlayList(Window, QStringLiteral("Door"), occupied);
    }
    GuiFixture& Fixture;
    TFormMain& Window;
    std::vector<orlamo::WAVE_DPTR> Voices;
};

// Judges the list popup on one occupied row, then selects `rows`: the rules read the judgement
// made when the popup opened, so several rows can be the subject of a command.
void SelectAfterPopup(TFormMain& window, VoiceListKind kind, int occupiedRow,
                      const QList<int>& rows) {
    window.SelectRows(kind, {occupiedRow});
    OpenListPopup(window);
    window.SelectRows(kind, rows);
}

// How the save prompt ends in the scripts of the table below.
enum class SaveRoute {
    NoPrompt,
    Cancel,
    No,
    YesToCurrentFile,
    YesChooseFile,
    YesChooserCancelled,
    YesWriteFails
};
} // namespace

Q_DECLARE_METATYPE(SaveRoute)

class PlayListCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void savePrompt_data();
    void savePrompt();
    void create_data();
    void create();
    void openReadsTheChosenFile();
    void openProposesTheRememberedFile_data();
    void openProposesTheRememberedFile();
    void openAsksBeforeDroppingChanges_data();
    void openAsksBeforeDroppingChanges();
    void openOfTheFileJustSavedReadsTheSavedChanges();
    void openRefusesFilesItCannotRead();
    void openReportsDroppedGroupsInOneBox();
    void saveAfterOpenWritesBackSaveAfterCreateAsks();
    void saveAsOntoAnExistingFile_data();
    void saveAsOntoAnExistingFile();
    void failedSavesChangeNothing_data();
    void failedSavesChangeNothing();
    void reNameChangesOnlyTheName();
    void moveWaveTo_data();
    void moveWaveTo();
    void moveWaveToPastTheLastSlotIsRefused();
    void addToPlayList_data();
    void addToPlayList();
    void addToPlayListUnmarksTheReplacedVoice();
    void addToPlayListSkipsAStaleSource();
    void addToPlayListPastTheLastSlotIsRefused();
};

// ---- The save prompt ------------------------------------------------------------------------

void PlayListCommandsTest::savePrompt_data() {
    QTest::addColumn<SaveRoute>("route");
    QTest::addColumn<bool>("mayGoOn");

    QTest::newRow("unchanged: no prompt") << SaveRoute::NoPrompt << true;
    QTest::newRow("Cancel") << SaveRoute::Cancel << false;
    QTest::newRow("No") << SaveRoute::No << true;
    QTest::newRow("Yes, written to its file") << SaveRoute::YesToCurrentFile << true;
    QTest::newRow("Yes, no file yet, one chosen") << SaveRoute::YesChooseFile << true;
    QTest::newRow("Yes, no file yet, chooser cancelled") << SaveRoute::YesChooserCancelled << false;
    QTest::newRow("Yes, the write fails") << SaveRoute::YesWriteFails << false;
}

// Del PlayList runs the prompt: the playlist goes exactly when the prompt lets the caller go on.
void PlayListCommandsTest::savePrompt() {
    QFETCH(SaveRoute, route);
    QFETCH(bool, mayGoOn);
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    station.OpenDoorPlayList();
    const std::vector<orlamo::WAVE_DPTR> records = window.PlayList()->AllSlots();
    const QString current = fixture.Path(QStringLiteral("lists/door.pla"));
    const QString chosen = fixture.Path(QStringLiteral("lists/chosen.pla"));
    QDir().mkpath(fixture.Path(QStringLiteral("lists")));
    ScriptedSeam& seam = fixture.Seam();

    if (route != SaveRoute::NoPrompt)
        window.SetPlayListModified(true);
    switch (route) {
    case SaveRoute::NoPrompt:
        break;
    case SaveRoute::Cancel:
        seam.ExpectMessage(PlayListPrompt, 2);
        break;
    case SaveRoute::No:
        seam.ExpectMessage(PlayListPrompt, 7);
        break;
    case SaveRoute::YesToCurrentFile:
        window.SetCurrentPlayListPath(current);
        seam.ExpectMessage(PlayListPrompt, 6);
        break;
    case SaveRoute::YesChooseFile:
        seam.ExpectMessage(PlayListPrompt, 6);
        seam.QueueFile(SaveDialogPlay, chosen);
        break;
    case SaveRoute::YesChooserCancelled:
        seam.ExpectMessage(PlayListPrompt, 6);
        seam.QueueFile(SaveDialogPlay, QString());
        break;
    case SaveRoute::YesWriteFails:
        window.SetCurrentPlayListPath(fixture.Path(QStringLiteral("gone/door.pla")));
        seam.ExpectMessage(PlayListPrompt, 6);
        seam.ExpectMessage(QStringLiteral("Unable to write to ") +
                           fixture.Path(QStringLiteral("gone/door.pla")));
        break;
    }
    QVERIFY(Trigger(window, "ActPL_DelPlayList"));
    QVERIFY(seam.ScriptUsedUp());
    QVERIFY(seam.Unscripted.isEmpty());

    QCOMPARE(window.PlayList().has_value(), !mayGoOn);
    QCOMPARE(window.PlayListNodeCount(), mayGoOn ? 0 : 1);
    QCOMPARE(window.PlayListModified(), !mayGoOn);
    QCOMPARE(window.StatusPanelText(1), mayGoOn ? QString() : QStringLiteral("PlayList  Modified"));
    if (mayGoOn) {
        // Closed: no rows, the view disabled, zero totals.
        QCOMPARE(window.LView_PL->model()->rowCount(), 0);
        QVERIFY(!window.LView_PL->isEnabled());
        QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 0"));
        QCOMPARE(window.StatusPanelText(3), QStringLiteral("Total Size = 0 KB"));
    } else {
        QCOMPARE(window.PlayList()->AllSlots(), records);
        QCOMPARE(window.LView_PL->model()->rowCount(), orlamo::PlayListSlots);
    }
    QCOMPARE(FileBytes(current), route == SaveRoute::YesToCurrentFile
                                     ? PlayListBytes(QStringLiteral("Door"), records)
                                     : QByteArray());
    QCOMPARE(FileBytes(chosen), route == SaveRoute::YesChooseFile
                                    ? PlayListBytes(QStringLiteral("Door"), records)
                                    : QByteArray());
    if (route == SaveRoute::YesChooseFile)
        QCOMPARE(window.CurrentPlayListPath(), chosen);
}

// ---- Create -----------------------------------------------------------------------------------

void PlayListCommandsTest::create_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("promptAnswer");    // 0: no prompt expected
    QTest::addColumn<QString>("enteredName"); // empty: the name dialog is cancelled
    QTest::addColumn<bool>("dialogShown");
    QTest::addColumn<QString>("openAfter"); // name of the open playlist afterwards, or empty

    QTest::newRow("unchanged, named") << false << 0 << "Hall" << true << "Hall";
    QTest::newRow("unchanged, dialog cancelled") << false << 0 << "" << true << "";
    QTest::newRow("changed, Cancel") << true << 2 << "" << false << "Door";
    QTest::newRow("changed, No, named") << true << 7 << "Hall" << true << "Hall";
    QTest::newRow("changed, No, dialog cancelled") << true << 7 << "" << true << "";
}

void PlayListCommandsTest::create() {
    QFETCH(bool, modified);
    QFETCH(int, promptAnswer);
    QFETCH(QString, enteredName);
    QFETCH(bool, dialogShown);
    QFETCH(QString, openAfter);
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    station.OpenDoorPlayList();
    window.SetCurrentPlayListPath(fixture.Path(QStringLiteral("door.pla")));
    window.PlayList()->NextSlot = 17;
    window.SetPlayListModified(modified);
    if (promptAnswer != 0)
        fixture.Seam().ExpectMessage(PlayListPrompt, promptAnswer);
    if (dialogShown) {
        fixture.Seam().OnDialog(AddPlayListForm, [&](QDialog& dialog) {
            // The entry starts empty, so OK starts disabled.
            const auto* entry = dialog.findChild<QLineEdit*>(QStringLiteral("ElEdit_PlayListName"));
            if (!entry || !entry->text().isEmpty())
                return int(QDialog::Rejected);
            if (ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGB_OK")) == QDialog::Accepted)
                return int(QDialog::Accepted);
            return enteredName.isEmpty()
                       ? ScriptedSeam::Cancel()(dialog)
                       : ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_PlayListName"),
                                                  enteredName)(dialog);
        });
    }
    QVERIFY(Trigger(window, "ActPL_CreatePlayList"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(fixture.Seam().DialogsShown.contains(AddPlayListForm), dialogShown);

    if (openAfter.isEmpty()) {
        QVERIFY(!window.PlayList());
        QCOMPARE(window.PlayListNodeCount(), 0);
        QVERIFY(!window.PlayListModified());
        return;
    }
    QCOMPARE(window.ElTree_PlayList->topLevelItem(0)->text(0), openAfter);
    if (openAfter == QStringLiteral("Door")) {
        // The Cancel left the old playlist as it was.
        QCOMPARE(window.PlayListModified(), modified);
        QCOMPARE(window.PlayList()->UsedSlotCount(), 2);
        return;
    }
    // A new playlist: 245 empty slots in the view, no file, slot 1 proposed, not a change.
    QCOMPARE(window.PlayList()->UsedSlotCount(), 0);
    QCOMPARE(window.LView_PL->model()->rowCount(), orlamo::PlayListSlots);
    QVERIFY(window.LView_PL->isEnabled());
    QVERIFY(!window.BinViewShown());
    QVERIFY(!window.BinViewActive());
    QCOMPARE(window.CurrentPlayListPath(), QString());
    QCOMPARE(window.PlayList()->NextSlot, 1);
    QVERIFY(!window.PlayListModified());
    QCOMPARE(window.HeaderText(), QStringLiteral("Play List Name = ") + openAfter);
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 0"));
    QCOMPARE(window.StatusPanelText(3), QStringLiteral("Total Size = 0 KB"));
}

// ---- Open ---------------------------------------------------------------------------------------

void PlayListCommandsTest::openReadsTheChosenFile() {
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    // A file with slots 2 and 9, written as the program writes it.
    orlamo::PlayList file(ToCore(QStringLiteral("Entrance")));
    file.Slot(2) = station.Voices[0];
    file.Slot(9) = station.Voices[3];
    const QString path = fixture.Path(QStringLiteral("lists/entrance.pla"));
    QDir().mkpath(fixture.Path(QStringLiteral("lists")));
    QVERIFY(orlamo::WritePlayListFile(ToCore(path), "Entrance", file.AllSlots()).Ok);

    // A playlist with a proposed slot is open; the Open keeps that proposal.
    station.OpenDoorPlayList();
    window.PlayList()->NextSlot = 12;
    fixture.Seam().QueueFile(OpenDialog, path);
    QVERIFY(Trigger(window, "ActPL_OpenPlayList"));
    QVERIFY(fixture.Seam().Messages.isEmpty());

    QCOMPARE(window.ElTree_PlayList->topLevelItem(0)->text(0), QStringLiteral("entrance"));
    QCOMPARE(Occupied(window), (std::map<int, QString>{{2, QStringLiteral("open.wav")},
                                                       {9, QStringLiteral("horn.wav")}}));
    QCOMPARE(window.PlayList()->Slot(9).DataSize, 4000u);
    QCOMPARE(window.CurrentPlayListPath(), path);
    QVERIFY(!window.PlayListModified());
    QCOMPARE(window.PlayList()->NextSlot, 12);
    QVERIFY(!window.BinViewShown());
    QVERIFY(!window.BinViewActive());
    QCOMPARE(window.LView_PL->model()->rowCount(), orlamo::PlayListSlots);
    QCOMPARE(window.HeaderText(), QStringLiteral("Play List Name = entrance"));
    CheckTotalsShown(window);
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 2"));
    QCOMPARE(window.StatusPanelText(3), QStringLiteral("Total Size = 7 KB"));
}

void PlayListCommandsTest::openProposesTheRememberedFile_data() {
    QTest::addColumn<QString>("remembered"); // relative to the fixture; "" for none
    QTest::addColumn<bool>("exists");

    QTest::newRow("none remembered") << "" << false;
    QTest::newRow("remembered file exists") << "lists/old.pla" << true;
    QTest::newRow("remembered file gone") << "lists/gone.pla" << false;
}

void PlayListCommandsTest::openProposesTheRememberedFile() {
    QFETCH(QString, remembered);
    QFETCH(bool, exists);
    GuiFixture fixture;
    const QString rememberedPath = remembered.isEmpty() ? QString() : fixture.Path(remembered);
    QDir().mkpath(fixture.Path(QStringLiteral("lists")));
    if (exists)
        QVERIFY(
            orlamo::WritePlayListFile(ToCore(rememberedPath), "Old", orlamo::PlayList().AllSlots())
                .Ok);
    fixture.WriteEarlierRun();
    if (!rememberedPath.isEmpty())
        fixture.WriteSetting(QStringLiteral("PlayListFilePath"), rememberedPath);
    Station station(fixture);
    TFormMain& window = station.Window;

    if (!remembered.isEmpty() && !exists)
        fixture.Seam().ExpectMessage(NotFoundFile);
    fixture.Seam().QueueFile(OpenDialog, QString());
    QVERIFY(Trigger(window, "ActPL_OpenPlayList"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(fixture.Seam().FileRequests.size(), 1);
    const FileDialogRequest& request = fixture.Seam().FileRequests.constFirst();
    QCOMPARE(request.FileName, exists ? rememberedPath : QString());
    QCOMPARE(request.Filter, QStringLiteral("pla File(*.pla);;All File(*.*)"));
    QVERIFY(!request.Save);
    // Cancelled: nothing opened.
    QVERIFY(!window.PlayList());
}

void PlayListCommandsTest::openAsksBeforeDroppingChanges_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    QTest::newRow("Cancel keeps the open playlist") << 2 << false;
    QTest::newRow("No drops the changes") << 7 << true;
    QTest::newRow("Yes saves them first") << 6 << true;
}

void PlayListCommandsTest::openAsksBeforeDroppingChanges() {
    QFETCH(int, answer);
    QFETCH(bool, opened);
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    const QString other = fixture.Path(QStringLiteral("other.pla"));
    QVERIFY(orlamo::WritePlayListFile(ToCore(other), "Other", orlamo::PlayList().AllSlots()).Ok);
    const QString current = fixture.Path(QStringLiteral("door.pla"));
    station.OpenDoorPlayList();
    window.SetCurrentPlayListPath(current);
    window.SetPlayListModified(true);
    const std::vector<orlamo::WAVE_DPTR> records = window.PlayList()->AllSlots();

    // The prompt comes after the file was chosen.
    fixture.Seam().QueueFile(OpenDialog, other);
    fixture.Seam().ExpectMessage(PlayListPrompt, answer);
    QVERIFY(Trigger(window, "ActPL_OpenPlayList"));
    QVERIFY(fixture.Seam().ScriptUsedUp());

    QCOMPARE(window.ElTree_PlayList->topLevelItem(0)->text(0),
             opened ? QStringLiteral("other") : QStringLiteral("Door"));
    QCOMPARE(window.PlayListModified(), !opened);
    QCOMPARE(window.CurrentPlayListPath(), opened ? other : current);
    QCOMPARE(window.PlayList()->UsedSlotCount(), opened ? 0 : 2);
    QCOMPARE(FileBytes(current),
             answer == 6 ? PlayListBytes(QStringLiteral("Door"), records) : QByteArray());
}

// Answering Yes saves the open playlist; when that is the very file chosen, the saved changes are
// what opens, not the file as it was before the save.
void PlayListCommandsTest::openOfTheFileJustSavedReadsTheSavedChanges() {
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    const QString path = fixture.Path(QStringLiteral("door.pla"));
    QVERIFY(orlamo::WritePlayListFile(ToCore(path), "Door", orlamo::PlayList().AllSlots()).Ok);
    station.OpenDoorPlayList();
    window.SetCurrentPlayListPath(path);
    window.SetPlayListModified(true);

    fixture.Seam().QueueFile(OpenDialog, path);
    fixture.Seam().ExpectMessage(PlayListPrompt, 6);
    QVERIFY(Trigger(window, "ActPL_OpenPlayList"));
    QCOMPARE(Occupied(window), (std::map<int, QString>{{3, QStringLiteral("open.wav")},
                                                       {7, QStringLiteral("close.wav")}}));
    QVERIFY(!window.PlayListModified());
}

void PlayListCommandsTest::openRefusesFilesItCannotRead() {
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    station.OpenDoorPlayList();
    window.SetPlayListModified(true);
    const std::vector<orlamo::WAVE_DPTR> records = window.PlayList()->AllSlots();

    // A folder cannot be read as a playlist: its message, and the open playlist stays, unasked.
    const QString folder = fixture.Path(QStringLiteral("a folder.pla"));
    QDir().mkpath(folder);
    fixture.Seam().QueueFile(OpenDialog, folder);
    fixture.Seam().ExpectMessage(QStringLiteral("Unable to read ") + folder);
    QVERIFY(Trigger(window, "ActPL_OpenPlayList"));
    // A file that is not there: "Not Found File".
    fixture.Seam().QueueFile(OpenDialog, fixture.Path(QStringLiteral("missing.pla")));
    fixture.Seam().ExpectMessage(NotFoundFile);
    QVERIFY(Trigger(window, "ActPL_OpenPlayList"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());

    QCOMPARE(window.PlayList()->AllSlots(), records);
    QVERIFY(window.PlayListModified());
    QCOMPARE(window.ElTree_PlayList->topLevelItem(0)->text(0), QStringLiteral("Door"));
}

void PlayListCommandsTest::openReportsDroppedGroupsInOneBox() {
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    // 247 groups and a piece of one more: two groups after slot 245 and an incomplete one.
    QString text = QStringLiteral("[~Long]\r\n");
    for (int slot = 1; slot <= 247; ++slot)
        text +=
            QStringLiteral("%1.FileName=\r\n%1.Filepath=\r\n%1.VoiceName=\r\n%1.Descripition=\r\n")
                .arg(slot);
    text += QStringLiteral("248.FileName=\r\n");
    const QString path = fixture.WriteFile(QStringLiteral("long.pla"), text.toLatin1());

    fixture.Seam().FailOnUnscripted = false; // the wording of the list is the reader's
    fixture.Seam().QueueFile(OpenDialog, path);
    QVERIFY(Trigger(window, "ActPL_OpenPlayList"));
    QCOMPARE(fixture.Seam().Messages.size(), 1);
    const ScriptedSeam::ShownMessage& box = fixture.Seam().Messages.constFirst();
    QVERIFY(box.Text.startsWith(QStringLiteral("Not all of ") + path));
    QCOMPARE(box.Caption, QStringLiteral("Warning"));
    QCOMPARE(window.PlayList()->AllSlots().size(), std::size_t(orlamo::PlayListSlots));
}

// ---- Save and Save As
// -----------------------------------------------------------------------------

void PlayListCommandsTest::saveAfterOpenWritesBackSaveAfterCreateAsks() {
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    const QString opened = fixture.Path(QStringLiteral("door.pla"));
    orlamo::PlayList file;
    file.Slot(1) = station.Voices[2];
    QVERIFY(orlamo::WritePlayListFile(ToCore(opened), "Door", file.AllSlots()).Ok);

    // Save right after Open: back to the opened file, no chooser.
    fixture.Seam().QueueFile(OpenDialog, opened);
    QVERIFY(Trigger(window, "ActPL_OpenPlayList"));
    window.PlayList()->Slot(5) = station.Voices[3];
    window.SetPlayListModified(true);
    QVERIFY(Trigger(window, "ActPL_SavePlayList"));
    QCOMPARE(fixture.Seam().FileRequests.size(), 1);
    QCOMPARE(FileBytes(opened),
             PlayListBytes(QStringLiteral("door"), window.PlayList()->AllSlots()));
    QVERIFY(!window.PlayListModified());

    // Save right after Create: the chooser, then the file chosen becomes the playlist's file.
    fixture.Seam().OnDialog(
        AddPlayListForm,
        ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_PlayListName"), QStringLiteral("Hall")));
    QVERIFY(Trigger(window, "ActPL_CreatePlayList"));
    const QString chosen = fixture.Path(QStringLiteral("hall.pla"));
    fixture.Seam().QueueFile(SaveDialogPlay, chosen);
    QVERIFY(Trigger(window, "ActPL_SavePlayList"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    const FileDialogRequest& request = fixture.Seam().FileRequests.constLast();
    QCOMPARE(request.ObjectName, SaveDialogPlay);
    QCOMPARE(request.Filter, QStringLiteral("pla Filepla(*.pla);;All File(*.*)"));
    QCOMPARE(request.DefaultSuffix, QStringLiteral("pla"));
    QVERIFY(request.Save);
    QCOMPARE(FileBytes(chosen),
             PlayListBytes(QStringLiteral("Hall"), orlamo::PlayList().AllSlots()));
    QCOMPARE(window.CurrentPlayListPath(), chosen);

    // The chooser proposes the name last chosen in it; the program's end remembers it.
    fixture.Seam().QueueFile(SaveDialogPlay, QString());
    QVERIFY(Trigger(window, "ActPL_SaveAsPlayList"));
    QCOMPARE(fixture.Seam().FileRequests.constLast().FileName, chosen);
    QVERIFY(fixture.CloseAndDestroyWindow());
    QCOMPARE(fixture.ReadSetting(QStringLiteral("PlayListFilePath")).toString(), chosen);
}

void PlayListCommandsTest::saveAsOntoAnExistingFile_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("No") << 7;
    QTest::newRow("Yes") << 6;
}

void PlayListCommandsTest::saveAsOntoAnExistingFile() {
    QFETCH(int, answer);
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    station.OpenDoorPlayList();
    window.SetCurrentPlayListPath(fixture.Path(QStringLiteral("door.pla")));
    window.SetPlayListModified(true);
    const QString existing =
        fixture.WriteFile(QStringLiteral("taken.pla"), QByteArrayLiteral("[~Taken]\r\n"));

    fixture.Seam().QueueFile(SaveDialogPlay, existing);
    fixture.Seam().ExpectMessage(CoverQuestion, answer);
    QVERIFY(Trigger(window, "ActPL_SaveAsPlayList"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    const ScriptedSeam::ShownMessage& box = fixture.Seam().Messages.constFirst();
    QCOMPARE(box.Caption, QStringLiteral("Warning"));
    QCOMPARE(box.Buttons, MessageButtons::YesNo);
    QCOMPARE(box.Icon, MessageIcon::Question);

    const bool written = answer == 6;
    QCOMPARE(FileBytes(existing),
             written ? PlayListBytes(QStringLiteral("Door"), window.PlayList()->AllSlots())
                     : QByteArrayLiteral("[~Taken]\r\n"));
    QCOMPARE(window.PlayListModified(), !written);
    QCOMPARE(window.CurrentPlayListPath(),
             written ? existing : fixture.Path(QStringLiteral("door.pla")));
}

void PlayListCommandsTest::failedSavesChangeNothing_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("Save") << "ActPL_SavePlayList";
    QTest::newRow("Save As") << "ActPL_SaveAsPlayList";
}

// A file that cannot be written: the message names it; the playlist keeps its file and its flag,
// and the file already there is intact.
void PlayListCommandsTest::failedSavesChangeNothing() {
    QFETCH(QString, command);
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    station.OpenDoorPlayList();
    const QString current =
        fixture.WriteFile(QStringLiteral("door.pla"), QByteArrayLiteral("[~Door]\r\n"));
    window.SetCurrentPlayListPath(command == QStringLiteral("ActPL_SavePlayList")
                                      ? fixture.Path(QStringLiteral("gone/door.pla"))
                                      : current);
    window.SetPlayListModified(true);
    const QString before = window.CurrentPlayListPath();

    const QString target = fixture.Path(QStringLiteral("gone/door.pla"));
    if (command == QStringLiteral("ActPL_SaveAsPlayList"))
        fixture.Seam().QueueFile(SaveDialogPlay, target);
    fixture.Seam().ExpectMessage(QStringLiteral("Unable to write to ") + target);
    QVERIFY(Trigger(window, command.toLatin1().constData()));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(fixture.Seam().Messages.constFirst().Icon, MessageIcon::Critical);

    QVERIFY(window.PlayListModified());
    QCOMPARE(window.CurrentPlayListPath(), before);
    QCOMPARE(FileBytes(current), QByteArrayLiteral("[~Door]\r\n"));
    QVERIFY(!QFile::exists(target));
}

// ---- ReName
// ---------------------------------------------------------------------------------------

void PlayListCommandsTest::reNameChangesOnlyTheName() {
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    station.OpenDoorPlayList();
    const QString path = fixture.Path(QStringLiteral("door.pla"));
    window.SetCurrentPlayListPath(path);

    // No node selected: nothing to rename.
    QVERIFY(Trigger(window, "ActPL_ReName"));
    QVERIFY(fixture.Seam().DialogsShown.isEmpty());

    ClickPlayListNode(window);
    fixture.Seam().OnDialog(ChangeNameForm, [](QDialog& dialog) {
        const auto* entry = dialog.findChild<QLineEdit*>(QStringLiteral("ElEdit_ChangeName"));
        if (!entry || entry->text() != QStringLiteral("Door"))
            return int(QDialog::Rejected);
        return ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_ChangeName"),
                                        QStringLiteral("Front Door"))(dialog);
    });
    QVERIFY(Trigger(window, "ActPL_ReName"));
    QCOMPARE(window.ElTree_PlayList->topLevelItem(0)->text(0), QStringLiteral("Front Door"));
    QCOMPARE(window.PlayList()->Name, std::string("Front Door"));
    QVERIFY(!window.PlayListModified());
    QCOMPARE(window.HeaderText(), QStringLiteral("Play List Name = Door"));
    QCOMPARE(window.CurrentPlayListPath(), path);

    // The next save writes the new name as the section; the file keeps its name.
    QVERIFY(Trigger(window, "ActPL_SavePlayList"));
    QVERIFY(FileBytes(path).startsWith("[~Front Door]\r\n"));
}

// ---- Move Wave To
// -----------------------------------------------------------------------------------

void PlayListCommandsTest::moveWaveTo_data() {
    QTest::addColumn<QList<int>>("occupiedSlots"); // voices 0, 1, 2 ... in these slots
    QTest::addColumn<QList<int>>("selectedSlots");
    QTest::addColumn<int>("target");
    QTest::addColumn<QStringList>("after"); // "slot=file" for every occupied slot afterwards
    QTest::addColumn<QList<int>>("selectedAfter");
    QTest::addColumn<bool>("modified");

    QTest::newRow("rows 3 and 7 to 10")
        << QList<int>{3, 7} << QList<int>{3, 7} << 10 << Strings({"10=open.wav", "11=close.wav"})
        << QList<int>{} << true;
    QTest::newRow("rows 2 and 5 to 5: the voice moves on")
        << QList<int>{2, 5} << QList<int>{2, 5} << 5 << Strings({"6=open.wav"}) << QList<int>{}
        << true;
    QTest::newRow("row 5 to 5: nothing")
        << QList<int>{5} << QList<int>{5} << 5 << Strings({"5=open.wav"}) << QList<int>{5} << false;
    QTest::newRow("onto an occupied slot: its voice leaves")
        << QList<int>{1, 20} << QList<int>{1} << 20 << Strings({"20=open.wav"}) << QList<int>{}
        << true;
    QTest::newRow("stops at the first row that is the target")
        << QList<int>{1, 3, 4} << QList<int>{1, 3, 4} << 2
        << Strings({"2=open.wav", "3=close.wav", "4=bell.wav"}) << QList<int>{3, 4} << true;
    QTest::newRow("up to the last slots")
        << QList<int>{1, 2, 3, 4} << QList<int>{1, 2, 3, 4} << 240
        << Strings({"240=open.wav", "241=close.wav", "242=bell.wav", "243=horn.wav"})
        << QList<int>{} << true;
}

void PlayListCommandsTest::moveWaveTo() {
    QFETCH(QList<int>, occupiedSlots);
    QFETCH(QList<int>, selectedSlots);
    QFETCH(int, target);
    QFETCH(QStringList, after);
    QFETCH(QList<int>, selectedAfter);
    QFETCH(bool, modified);
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    std::vector<std::pair<int, int>> slotVoice;
    for (qsizetype i = 0; i < occupiedSlots.size(); ++i)
        slotVoice.emplace_back(occupiedSlots[i], int(i));
    station.OpenDoorPlayList(slotVoice);

    QList<int> rows;
    for (int slot : selectedSlots)
        rows.append(slot - 1);
    SelectAfterPopup(window, VoiceListKind::PlayList, rows.first(), rows);
    fixture.Seam().OnDialog(MoveWaveToForm, [&](QDialog& dialog) {
        // The entry starts empty each time.
        if (!dialog.findChild<QLineEdit*>(QStringLiteral("ElEdit_WaveIndex"))->text().isEmpty())
            return int(QDialog::Rejected);
        return ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_WaveIndex"),
                                        QString::number(target))(dialog);
    });
    QVERIFY(Trigger(window, "ActPL_MoveWaveTo"));
    QVERIFY(fixture.Seam().ScriptUsedUp());

    QStringList occupied;
    for (const auto& [slot, file] : Occupied(window))
        occupied.append(QStringLiteral("%1=%2").arg(slot).arg(file));
    QCOMPARE(occupied, after);
    for (int slot = 1; slot <= orlamo::PlayListSlots; ++slot)
        if (!window.PlayList()->Slot(slot).FileName.empty())
            QCOMPARE(window.PlayList()->Slot(slot).SlotNumber, slot);
    QList<int> selectedSlotsAfter;
    for (int row : window.SelectedRows(VoiceListKind::PlayList))
        selectedSlotsAfter.append(row + 1);
    QCOMPARE(selectedSlotsAfter, selectedAfter);
    // The rows show the slots as they are now.
    for (int slot = 1; slot <= orlamo::PlayListSlots; ++slot)
        QCOMPARE(window.LView_PL->model()->index(slot - 1, 1).data().toString(),
                 SlotFile(window, slot));
    QCOMPARE(window.PlayListModified(), modified);
    CheckTotalsShown(window);
}

void PlayListCommandsTest::moveWaveToPastTheLastSlotIsRefused() {
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    station.OpenDoorPlayList({{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6}});
    const std::vector<orlamo::WAVE_DPTR> records = window.PlayList()->AllSlots();
    const QList<int> rows{0, 1, 2, 3, 4, 5, 6};
    SelectAfterPopup(window, VoiceListKind::PlayList, 0, rows);
    fixture.Seam().OnDialog(
        MoveWaveToForm,
        ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_WaveIndex"), QStringLiteral("240")));
    fixture.Seam().ExpectMessage(
        QStringLiteral("Only 6 slots from slot 240 to 245; 7 voices were selected."));
    QVERIFY(Trigger(window, "ActPL_MoveWaveTo"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(window.PlayList()->AllSlots(), records);
    QVERIFY(!window.PlayListModified());
    QCOMPARE(window.SelectedRows(VoiceListKind::PlayList), rows);
}

// ---- Add To PlayList ----------------------------------------------------------------------------

void PlayListCommandsTest::addToPlayList_data() {
    QTest::addColumn<QList<int>>("rows");   // bin-view rows selected (voices 0 to 3)
    QTest::addColumn<QString>("entered");   // "" keeps the proposal
    QTest::addColumn<QStringList>("after"); // "slot=file" for every occupied slot afterwards
    QTest::addColumn<int>("nextSlot");

    // The playlist holds open.wav in slot 3 and close.wav in slot 7 and proposes slot 7.
    QTest::newRow("into the proposed slot, over close.wav")
        << QList<int>{2} << "" << Strings({"3=open.wav", "7=bell.wav"}) << 8;
    QTest::newRow("three voices from 240")
        << QList<int>{1, 2, 3} << "240"
        << Strings({"3=open.wav", "7=close.wav", "240=close.wav", "241=bell.wav", "242=horn.wav"})
        << 241;
    QTest::newRow("two voices from 2, over open.wav in 3")
        << QList<int>{2, 3} << "2" << Strings({"2=bell.wav", "3=horn.wav", "7=close.wav"}) << 3;
    QTest::newRow("to the very last slots")
        << QList<int>{0, 1} << "240"
        << Strings({"3=open.wav", "7=close.wav", "240=open.wav", "241=close.wav"}) << 241;
}

void PlayListCommandsTest::addToPlayList() {
    QFETCH(QList<int>, rows);
    QFETCH(QString, entered);
    QFETCH(QStringList, after);
    QFETCH(int, nextSlot);
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    station.OpenDoorPlayList();
    window.PlayList()->NextSlot = 7;
    ClickLibraryNode(window, 1);

    SelectAfterPopup(window, VoiceListKind::Archive, rows.first(), rows);
    QString proposed;
    fixture.Seam().OnDialog(MoveWaveToForm, [&](QDialog& dialog) {
        proposed = dialog.findChild<QLineEdit*>(QStringLiteral("ElEdit_WaveIndex"))->text();
        if (entered.isEmpty())
            return ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGB_OK"));
        return ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_WaveIndex"), entered)(dialog);
    });
    QVERIFY(Trigger(window, "ActVoice_AddToPlayList"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(proposed, QStringLiteral("7"));

    QStringList occupied;
    for (const auto& [slot, file] : Occupied(window))
        occupied.append(QStringLiteral("%1=%2").arg(slot).arg(file));
    QCOMPARE(occupied, after);
    QCOMPARE(window.PlayList()->NextSlot, nextSlot);
    QVERIFY(window.PlayListModified());
    QCOMPARE(window.StatusPanelText(1), QStringLiteral("PlayList  Modified"));

    // Each filled slot is its own copy of the bin voice, with where it came from.
    const int first = entered.isEmpty() ? 7 : entered.toInt();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const orlamo::WAVE_DPTR& slot = window.PlayList()->Slot(first + int(i));
        const orlamo::WAVE_DPTR& voice = station.Voices[std::size_t(rows[i])];
        QCOMPARE(slot.FullPath, voice.FullPath);
        QCOMPARE(slot.VoiceName, voice.VoiceName);
        QCOMPARE(slot.DataSize, voice.DataSize);
        QCOMPARE(slot.FormatCode, voice.FormatCode);
        QCOMPARE(slot.InPlayList, std::uint8_t(1));
        QCOMPARE(slot.SourceBin, 0);
        QCOMPARE(slot.SourceIndex, rows[i]);
        QCOMPARE(slot.SlotNumber, first + int(i));
    }
    // The counters are those of the slots as they are now.
    std::int64_t expectedTotal = 0;
    for (const QString& entry : after)
        for (const orlamo::WAVE_DPTR& voice : station.Voices)
            if (entry.endsWith(QLatin1Char('=') + FromCore(voice.FileName)))
                expectedTotal += voice.DataSize;
    QCOMPARE(window.PlayList()->UsedSlotCount(), int(after.size()));
    QCOMPARE(window.PlayList()->TotalSize(), expectedTotal);
    // The bin view still shows the bin, with the voices now in the playlist marked.
    QVERIFY(window.BinViewShown());
    for (int row = 0; row < 7; ++row) {
        const bool inPlayList = after.join(QLatin1Char(' '))
                                    .contains(FromCore(station.Voices[std::size_t(row)].FileName));
        QCOMPARE(window.BinRowMarked(row), inPlayList);
    }
}

void PlayListCommandsTest::addToPlayListUnmarksTheReplacedVoice() {
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    station.OpenDoorPlayList({});
    ClickLibraryNode(window, 1);
    auto add = [&](int row, int slot) {
        SelectAfterPopup(window, VoiceListKind::Archive, row, {row});
        fixture.Seam().OnDialog(
            MoveWaveToForm,
            ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_WaveIndex"), QString::number(slot)));
        return Trigger(window, "ActVoice_AddToPlayList");
    };
    QVERIFY(add(0, 5));
    QCOMPARE(window.Library().BinAt(0).Voices[0].InPlayList, std::uint8_t(1));
    QVERIFY(window.BinRowMarked(0));
    // Horn replaces open.wav in slot 5: open.wav is in the playlist no more.
    QVERIFY(add(3, 5));
    QCOMPARE(window.Library().BinAt(0).Voices[0].InPlayList, std::uint8_t(0));
    QVERIFY(!window.BinRowMarked(0));
    QVERIFY(window.BinRowMarked(3));
    QCOMPARE(window.PlayList()->UsedSlotCount(), 1);
    QCOMPARE(window.PlayList()->TotalSize(), std::int64_t(4000));
}

// A slot whose source names a bin or voice that is gone since: the replacement goes ahead and
// touches no other voice.
void PlayListCommandsTest::addToPlayListSkipsAStaleSource() {
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    station.OpenDoorPlayList({{2, 0}, {3, 1}});
    window.PlayList()->Slot(2).InPlayList = 1;
    window.PlayList()->Slot(2).SourceBin = 4; // no such bin
    window.PlayList()->Slot(3).InPlayList = 1;
    window.PlayList()->Slot(3).SourceBin = 0;
    window.PlayList()->Slot(3).SourceIndex = 9; // no such voice
    ClickLibraryNode(window, 1);
    const std::vector<orlamo::WAVE_DPTR> voicesBefore = window.Library().BinAt(0).Voices;

    SelectAfterPopup(window, VoiceListKind::Archive, 2, {2, 3});
    fixture.Seam().OnDialog(
        MoveWaveToForm,
        ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_WaveIndex"), QStringLiteral("2")));
    QVERIFY(Trigger(window, "ActVoice_AddToPlayList"));
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    QCOMPARE(SlotFile(window, 2), QStringLiteral("bell.wav"));
    QCOMPARE(SlotFile(window, 3), QStringLiteral("horn.wav"));
    for (int voice : {0, 1})
        QCOMPARE(window.Library().BinAt(0).Voices[std::size_t(voice)],
                 voicesBefore[std::size_t(voice)]);
}

void PlayListCommandsTest::addToPlayListPastTheLastSlotIsRefused() {
    GuiFixture fixture;
    Station station(fixture);
    TFormMain& window = station.Window;
    station.OpenDoorPlayList();
    window.PlayList()->NextSlot = 7;
    ClickLibraryNode(window, 1);
    const std::vector<orlamo::WAVE_DPTR> records = window.PlayList()->AllSlots();
    const std::vector<orlamo::WAVE_DPTR> voices = window.Library().BinAt(0).Voices;

    SelectAfterPopup(window, VoiceListKind::Archive, 0, {0, 1, 2, 3, 4, 5, 6});
    fixture.Seam().OnDialog(
        MoveWaveToForm,
        ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_WaveIndex"), QStringLiteral("240")));
    fixture.Seam().ExpectMessage(
        QStringLiteral("Only 6 slots from slot 240 to 245; 7 voices were selected."));
    QVERIFY(Trigger(window, "ActVoice_AddToPlayList"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(window.PlayList()->AllSlots(), records);
    QCOMPARE(window.Library().BinAt(0).Voices, voices);
    QCOMPARE(window.PlayList()->NextSlot, 7);
    QVERIFY(!window.PlayListModified());
    for (int row = 0; row < 7; ++row)
        QCOMPARE(window.BinRowMarked(row), row < 2); // open.wav and close.wav, as before
}

QTEST_MAIN(PlayListCommandsTest)
#include "PlayListCommands_test.moc"
