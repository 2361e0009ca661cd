// The playlist commands: Create, Open, Save, Save As, Del, ReName, Move Wave To and
// Add To PlayList, with the save prompt and the close they share.

#include "app/MainForm.h"

#include "app/ChooserFolder.h"
#include "dialogs/AddPlayList_Form.h"
#include "dialogs/ChangeName_Form.h"
#include "dialogs/MoveWaveTo_Form.h"
#include "formats/PlayListFile.h"
#include "views/ListViewColumns.h"

#include <QDialog>
#include <QFileInfo>

using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
const QString PlayListOpenFilter = QStringLiteral("pla File(*.pla);;All File(*.*)");
const QString PlayListSaveFilter = QStringLiteral("pla Filepla(*.pla);;All File(*.*)");
const QString PlayListSuffix = QStringLiteral("pla");

// Whether two paths name the same file (spelled alike, or the same file on disk).
bool SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath() ||
           (QFileInfo::exists(a) && QFileInfo(a) == QFileInfo(b));
}

// Why a run of voices from slot `first` is refused: it would pass the last slot.
QString TooFewSlotsText(int first, qsizetype selected) {
    const int free = orlamo::PlayListSlots - first + 1;
    return QStringLiteral("Only %1 slots from slot %2 to %3; %4 voices were selected.")
        .arg(free)
        .arg(first)
        .arg(orlamo::PlayListSlots)
        .arg(selected);
}

// Writes the open playlist to path. Only a write that went through makes path the playlist's file
// and clears the change flag; a failed one is shown and leaves both as they were.
bool WriteOpenPlayList(TFormMain& window, const QString& path) {
    const orlamo::PlayList& list = *window.PlayList();
    const orlamo::FileWriteResult written =
        orlamo::WritePlayListFile(ToCore(path), list.Name, list.AllSlots());
    if (!written.Ok) {
        window.ShowErrorBox(FromCore(written.Message));
        return false;
    }
    window.SetCurrentPlayListPath(path);
    window.SetPlayListModified(false);
    return true;
}
} // namespace

// ---- The save prompt, closing and saving --------------------------------------------------------

bool TFormMain::QuerySavePlayList() {
    if (PlayListModified()) {
        const int answer =
            ShowResMessage(orlamo::MessageId::SavePlayListPrompt, orlamo::MessageId::Warning,
                           MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == orlamo::ButtonResult::Yes) {
            if (!SaveCurrentPlayList())
                return false;
        } else if (answer != orlamo::ButtonResult::No) {
            return false;
        }
    }
    ClosePlayList();
    return true;
}

void TFormMain::ClosePlayList() {
    if (!ThePlayList && PlayListNodeCount() == 0)
        return;
    RemovePlayListNode();
    ClearVoiceList(VoiceListKind::PlayList);
    ShowTotals(0, 0);
    SetPlayListViewEnabled(false);
    SetPlayListModified(false);
}

bool TFormMain::SaveCurrentPlayList() {
    if (!ThePlayList)
        return false;
    if (PlayListPath.isEmpty())
        return SavePlayListAs();
    return WriteOpenPlayList(*this, PlayListPath);
}

bool TFormMain::SavePlayListAs() {
    if (!ThePlayList)
        return false;
    const QString path = Seam().ChooseFile(
        this,
        FileDialogRequest{
            QStringLiteral("SaveDialogPlay"), QStringLiteral("Save As PlayList"),
            PlayListSaveFilter, PlayListSuffix,
            ChooserStartFolder({FileDialogs.SaveDialogPlay, PlayListPath, CurrentArchivePath()}),
            FileDialogs.SaveDialogPlay, true});
    if (path.isEmpty())
        return false;
    FileDialogs.SaveDialogPlay = path;
    if (QFileInfo::exists(path) &&
        ShowResMessage(orlamo::MessageId::CoverFile, orlamo::MessageId::Warning,
                       MessageButtons::YesNo, MessageIcon::Question) != orlamo::ButtonResult::Yes)
        return false;
    return WriteOpenPlayList(*this, path);
}

// ---- Create, Open, Save, Save As, Del, ReName --------------------------------------------------

void TFormMain::ActPL_CreatePlayListExecute() {
    if (!QuerySavePlayList())
        return;
    if (!AddPlayListForm)
        AddPlayListForm = new TForm_AddPlayList(Seam(), this);
    AddPlayListForm->SetPlayListName(QString());
    AddPlayListForm->UpdateOkButton();
    // Cancelled: the old playlist is closed already, so none is open.
    if (Seam().ExecDialog(*AddPlayListForm) != QDialog::Accepted)
        return;
    const QString name = AddPlayListForm->PlayListName();
    AddPlayListNode(orlamo::PlayList(ToCore(name)));
    SetCurrentPlayListPath(QString());
    ShowPlayListView(); // the bin view hides: the two share one place
    SetPlayListViewEnabled(true);
    FillPlayListView();
    SetBinViewActive(false);
    SetHeaderText(QStringLiteral("Play List Name = ") + name);
    ShowTotals(0, 0);
    // A new, empty playlist is not a change.
}

void TFormMain::ActPL_OpenPlayListExecute() {
    ElTvProjectClick();
    QString proposed = FileDialogs.OpenDialog_PlayList;
    const QString remembered = RememberedPlayListPath();
    if (!remembered.isEmpty()) {
        if (QFileInfo(remembered).isFile())
            proposed = remembered;
        else
            ShowResMessage(orlamo::MessageId::NotFoundFile, orlamo::MessageId::Warning,
                           MessageButtons::Ok, MessageIcon::Warning);
    }
    const QString path = Seam().ChooseFile(
        this, FileDialogRequest{QStringLiteral("OpenDialog_PlayList"),
                                QStringLiteral("Open PlayList"), PlayListOpenFilter, QString(),
                                ChooserStartFolder({proposed, PlayListPath, CurrentArchivePath()}),
                                proposed, false});
    if (!path.isEmpty())
        OpenPlayListFile(path);
}

bool TFormMain::OpenPlayListFile(const QString& path) {
    FileDialogs.OpenDialog_PlayList = path;

    // The file is read before anything is closed, so that a file that cannot be read leaves the
    // open playlist as it is.
    orlamo::PlayListReadResult read = orlamo::ReadPlayListFile(ToCore(path));
    if (!read.FileFound) {
        ShowResMessage(orlamo::MessageId::NotFoundFile, orlamo::MessageId::Warning,
                       MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    if (read.ReadFailed) {
        ShowErrorBox(FromCore(read.Message));
        return false;
    }
    // The slot Add To PlayList proposes stays what it was.
    const int nextSlot = ThePlayList ? ThePlayList->NextSlot : 1;
    // Unsaved changes of the open playlist are offered for saving, not dropped.
    if (!QuerySavePlayList())
        return false;
    // Saving the open playlist may just have rewritten the chosen file: read what is there now.
    if (SameFile(PlayListPath, path)) {
        read = orlamo::ReadPlayListFile(ToCore(path));
        if (!read.FileFound || read.ReadFailed) {
            ShowErrorBox(read.ReadFailed
                             ? FromCore(read.Message)
                             : FromCore(orlamo::ResString(orlamo::MessageId::NotFoundFile)));
            return false;
        }
    }

    read.List.NextSlot = nextSlot;
    if (read.LastInspected)
        SetLastWave(*read.LastInspected);
    AddPlayListNode(std::move(read.List));
    ShowPlayListView();
    ClearVoiceList(VoiceListKind::PlayList);
    FillPlayListView();
    SetBinViewActive(false);
    SetCurrentPlayListPath(path);
    SetPlayListModified(false);
    ElTree_PlayListClick();

    if (!read.Warnings.empty()) {
        QString text = QStringLiteral("Not all of %1 could be read:\n").arg(path);
        for (const std::string& warning : read.Warnings)
            text += QLatin1Char('\n') + FromCore(warning);
        ShowTextMessage(text, FromCore(orlamo::ResString(orlamo::MessageId::Warning)),
                        MessageButtons::Ok, MessageIcon::Warning);
    }
    return true;
}

void TFormMain::ActPL_SavePlayListExecute() {
    SaveCurrentPlayList();
}

void TFormMain::ActPL_SaveAsPlayListExecute() {
    SavePlayListAs();
}

void TFormMain::ActPL_DelPlayListExecute() {
    QuerySavePlayList();
}

void TFormMain::ActPL_ReNameExecute() {
    if (!ThePlayList || !PlayListNodeSelected())
        return;
    if (!ChangeNameForm)
        ChangeNameForm = new TForm_ChangeName(Seam(), this);
    ChangeNameForm->SetName(FromCore(ThePlayList->Name));
    if (Seam().ExecDialog(*ChangeNameForm) != QDialog::Accepted)
        return;
    // Only the name changes; the header line follows at the next refresh, the file at the next
    // save.
    SetPlayListName(ChangeNameForm->NewName());
}

// ---- Move Wave To and Add To PlayList ---------------------------------------------------------

void TFormMain::ActPL_MoveWaveToExecute() {
    if (!ThePlayList)
        return;
    const QList<int> selected = SelectedRows(VoiceListKind::PlayList);
    if (selected.isEmpty())
        return;
    if (!MoveWaveToForm)
        MoveWaveToForm = new TForm_MoveWaveTo(Seam(), this);
    MoveWaveToForm->SetWaveIndexText(QString());
    if (Seam().ExecDialog(*MoveWaveToForm) != QDialog::Accepted)
        return;
    const int first = MoveWaveToForm->WaveIndex();
    if (first < TForm_MoveWaveTo::FirstSlot || first > TForm_MoveWaveTo::LastSlot)
        return;

    // The rows that will move: in row order, up to the first selected row that is itself the
    // next target. A run that would pass the last slot is refused before anything moves.
    QList<int> moving; // slot numbers
    int target = first;
    for (int row : selected) {
        const int slot = row + 1;
        if (slot == target)
            break;
        moving.append(slot);
        ++target;
    }
    if (target - 1 > orlamo::PlayListSlots) {
        ShowTextMessage(TooFewSlotsText(first, selected.size()),
                        FromCore(orlamo::ResString(orlamo::MessageId::Warning)), MessageButtons::Ok,
                        MessageIcon::Warning);
        return;
    }

    QList<int> stillSelected = selected;
    target = first;
    for (int from : moving) {
        if (!ThePlayList)
            return;
        // The move overwrites: a voice in the target slot leaves the playlist.
        orlamo::WAVE_DPTR& source = ThePlayList->Slot(from);
        orlamo::WAVE_DPTR& destination = ThePlayList->Slot(target);
        destination.FileName = source.FileName;
        destination.VoiceName = source.VoiceName;
        destination.Descripition = source.Descripition;
        destination.FullPath = source.FullPath;
        destination.DataSize = source.DataSize;
        destination.PlayTime = source.PlayTime;
        destination.InPlayList = source.InPlayList;
        destination.SourceBin = source.SourceBin;
        destination.SourceIndex = source.SourceIndex;
        destination.FormatCode = source.FormatCode;
        destination.SlotNumber = target;
        orlamo::ResetVoice(source);
        PlayListSlotsChanged(from);
        PlayListSlotsChanged(target);
        stillSelected.removeOne(from - 1);
        SelectRows(VoiceListKind::PlayList, stillSelected);
        ++target;
        SetPlayListModified(true);
        ElTree_PlayListClick();
    }
}

void TFormMain::ActVoice_AddToPlayListExecute() {
    if (!MoveWaveToForm)
        MoveWaveToForm = new TForm_MoveWaveTo(Seam(), this);
    MoveWaveToForm->SetWaveIndexText(QString());
    if (!ThePlayList)
        return;
    MoveWaveToForm->SetWaveIndex(ThePlayList->NextSlot);
    if (Seam().ExecDialog(*MoveWaveToForm) != QDialog::Accepted)
        return;
    const int first = MoveWaveToForm->WaveIndex();
    if (first < TForm_MoveWaveTo::FirstSlot || first > TForm_MoveWaveTo::LastSlot || !ThePlayList)
        return;
    const int bin = SelectedBin();
    if (bin < 0)
        return;
    QList<int> rows;
    for (int row : SelectedRows(VoiceListKind::Archive))
        if (row < static_cast<int>(TheLibrary.BinAt(bin).Voices.size()))
            rows.append(row);
    if (rows.isEmpty())
        return;
    // One slot per selected voice, consecutive from the entered one: all of them or none.
    if (first + rows.size() - 1 > orlamo::PlayListSlots) {
        ShowTextMessage(TooFewSlotsText(first, rows.size()),
                        FromCore(orlamo::ResString(orlamo::MessageId::Warning)), MessageButtons::Ok,
                        MessageIcon::Warning);
        return;
    }
    ThePlayList->NextSlot = first;

    int target = first;
    for (int row : rows) {
        orlamo::WAVE_DPTR& slot = ThePlayList->Slot(target);
        // The replaced voice's bin voice is no longer in the playlist, when it can still be found
        // where it was taken from; the marks are recomputed from the slots at the refresh anyway.
        if (slot.InPlayList == 1 && slot.SourceBin >= 0 && slot.SourceBin < TheLibrary.BinCount()) {
            std::vector<orlamo::WAVE_DPTR>& sourceVoices = TheLibrary.BinAt(slot.SourceBin).Voices;
            if (slot.SourceIndex >= 0 && slot.SourceIndex < static_cast<int>(sourceVoices.size()))
                sourceVoices[static_cast<std::size_t>(slot.SourceIndex)].InPlayList = 0;
        }
        orlamo::WAVE_DPTR& voice = TheLibrary.BinAt(bin).Voices[static_cast<std::size_t>(row)];
        SetBinRowMarked(row, true);
        voice.InPlayList = 1;

        slot.InPlayList = 1;
        slot.SourceBin = bin;
        slot.SourceIndex = row;
        slot.SlotNumber = target;
        slot.FileName = voice.FileName;
        slot.VoiceName = voice.VoiceName;
        slot.Descripition = voice.Descripition;
        slot.FullPath = voice.FullPath;
        slot.DataSize = voice.DataSize;
        slot.PlayTime = voice.PlayTime;
        slot.FormatCode = voice.FormatCode;
        PlayListSlotsChanged(target);
        ++target;
    }

    ElTvProjectClick();
    if (!ThePlayList)
        return;
    // The next proposal follows the entered slot, however many voices went in.
    ThePlayList->NextSlot = first + 1;
    SetPlayListModified(true);
}
