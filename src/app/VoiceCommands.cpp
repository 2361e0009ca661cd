// The voice commands: Add Voice, Edit Voice, Del Voice, Play Wave and Set Wave Path.

#include "app/MainForm.h"

#include "dialogs/AddVoiceSlice_Form.h"
#include "dialogs/ChangeName_Form.h"
#include "dialogs/SETWavePath_Form.h"
#include "formats/AtomicFile.h"
#include "views/BinVoiceModel.h"
#include "views/ListViewColumns.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <cstdio>
#include <vector>

using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
const char* const PlayerVariable = "ORLAMO_PLAYER";
constexpr std::size_t CopyBufferSize = 64 * 1024;

std::string FileSystemPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Copies source to destination through a temporary file beside the destination, renamed into
// place only when every byte arrived: a failed copy leaves no half file and the old file intact.
bool CopyIntoPlace(const QString& source, const QString& destination) {
    std::FILE* input = std::fopen(FileSystemPath(source).c_str(), "rb");
    if (!input)
        return false;
    orlamo::AtomicFile output(FileSystemPath(destination));
    bool ok = output.Open();
    std::vector<char> buffer(CopyBufferSize);
    while (ok) {
        const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), input);
        if (read > 0)
            ok = output.Write(buffer.data(), read);
        if (read < buffer.size()) {
            ok = ok && !std::ferror(input);
            break;
        }
    }
    std::fclose(input);
    return ok && output.Commit();
}

bool SameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() &&
           first.canonicalFilePath() == second.canonicalFilePath();
}

// A name given for the copy must stay a file inside the wave folder, on one line of the archive.
bool IsPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0)) && !name.contains(QLatin1Char('\n')) &&
           !name.contains(QLatin1Char('\r'));
}

QString RefusalText(const orlamo::WaveInspection& inspection) {
    return FromCore(inspection.Message) + QStringLiteral("\n\n") +
           FromCore(orlamo::SupportedFormatText());
}

orlamo::LastWave Measurements(const orlamo::WaveInspection& inspection) {
    return orlamo::LastWave{inspection.DataSize, inspection.PlayTime,
                            orlamo::WaveFormatCode(inspection.RateIndex)};
}
} // namespace

// ---- Add Voice ----------------------------------------------------------------------------------

void TFormMain::ActVoice_AddVoiceExecute() {
    // The rule looks only at BinViewActive, which can be true with the archive node selected.
    if (!BinViewActiveFlag || SelectedBin() < 0)
        return;
    if (!AddVoiceSliceForm)
        CreateDialogs();
    AddVoiceSliceForm->ClearFields();
    if (Seam().ExecDialog(*AddVoiceSliceForm) != QDialog::Accepted)
        return;
    const int bin = SelectedBin();
    if (bin < 0)
        return;

    // Location may have been typed by hand: the file it names is the one copied and measured.
    const QString source = AddVoiceSliceForm->Location();
    QString name = QFileInfo(source).fileName();
    const orlamo::WaveInspection inspection = orlamo::InspectWaveFile(FileSystemPath(source));
    if (!inspection.Accepted()) {
        ShowTextMessage(RefusalText(inspection), QStringLiteral("ERROR"), MessageButtons::Ok,
                        MessageIcon::Warning);
        return;
    }
    // A bin holds a file name once; a picked file was checked already, a typed one was not.
    if (TheLibrary.BinHasFileName(bin, ToCore(name))) {
        ShowResMessage(orlamo::MessageId::IdenticalName, orlamo::MessageId::Warning,
                       MessageButtons::Ok, MessageIcon::Question);
        return;
    }
    SetLastWave(Measurements(inspection));
    orlamo::LastWave measured = Measurements(inspection);

    const QDir waveFolder(WaveFolderPath);
    QString destination = waveFolder.filePath(name);
    const auto reportFailedCopy = [&](const QString& reason) {
        ShowTextMessage(
            QStringLiteral("Unable to copy %1 to %2%3").arg(source, destination, reason),
            QStringLiteral("ERROR"), MessageButtons::Ok, MessageIcon::Warning);
    };
    if (!QFileInfo(WaveFolderPath).isDir() && !QDir().mkpath(WaveFolderPath)) {
        reportFailedCopy(QStringLiteral(": the wave folder cannot be made."));
        return;
    }

    bool copy = true;
    if (AddVoiceSliceForm->LocationIsConvertedCopy() && SameFile(source, destination)) {
        // A copy the dialog converted into the wave folder is in place already: nothing to ask.
        copy = false;
    } else if (QFileInfo::exists(destination)) {
        const int answer = ShowResMessage(orlamo::MessageId::FileRename, orlamo::MessageId::Warning,
                                          MessageButtons::YesNo, MessageIcon::Warning);
        if (answer == orlamo::ButtonResult::Yes) {
            if (!ChangeNameForm)
                CreateDialogs();
            ChangeNameForm->SetName(name);
            ChangeNameForm->UpdateOkButton();
            if (Seam().ExecDialog(*ChangeNameForm) != QDialog::Accepted)
                return;
            name = ChangeNameForm->NewName();
            if (!IsPlainFileName(name)) {
                ShowTextMessage(
                    QStringLiteral("\"%1\" is not a file name: it must name a file in the wave "
                                   "folder %2, without any folder.")
                        .arg(name, WaveFolderPath),
                    FromCore(orlamo::ResString(orlamo::MessageId::Warning)), MessageButtons::Ok,
                    MessageIcon::Warning);
                return;
            }
            if (TheLibrary.BinHasFileName(bin, ToCore(name))) {
                ShowResMessage(orlamo::MessageId::IdenticalName, orlamo::MessageId::Warning,
                               MessageButtons::Ok, MessageIcon::Question);
                return;
            }
            destination = waveFolder.filePath(name);
            // An existing file of the new name stays as it is and the voice refers to it, so
            // the voice carries that file's measurements.
            if (QFileInfo::exists(destination)) {
                copy = false;
                const orlamo::WaveInspection existing =
                    orlamo::InspectWaveFile(FileSystemPath(destination));
                if (!existing.Accepted()) {
                    ShowTextMessage(destination + QStringLiteral(": ") + RefusalText(existing),
                                    QStringLiteral("ERROR"), MessageButtons::Ok,
                                    MessageIcon::Warning);
                    return;
                }
                measured = Measurements(existing);
                SetLastWave(measured);
            }
        } else if (SameFile(source, destination)) {
            // Overwriting the file with itself: it is in place already.
            copy = false;
        }
    }
    if (copy && !CopyIntoPlace(source, destination)) {
        reportFailedCopy(QStringLiteral("."));
        return;
    }

    orlamo::WAVE_DPTR voice;
    voice.FileName = ToCore(name);
    voice.VoiceName = ToCore(AddVoiceSliceForm->VoiceName());
    voice.Descripition = ToCore(AddVoiceSliceForm->Description());
    voice.FullPath = ToCore(destination);
    voice.DataSize = measured.LastWaveSize;
    voice.PlayTime = measured.LastWaveTime;
    voice.FormatCode = measured.LastWaveFormat;
    voice.InPlayList = 0;
    TheLibrary.BinAt(bin).Voices.push_back(std::move(voice));
    SetArchiveModified(true);
    ElTvProjectClick();
}

// ---- Edit Voice and Del Voice -------------------------------------------------------------------

void TFormMain::ActVoice_EditVoiceExecute() {
    const bool onBin = BinViewActiveFlag;
    const QList<int> rows = SelectedRows(onBin ? VoiceListKind::Archive : VoiceListKind::PlayList);
    if (rows.isEmpty())
        return;
    const int row = rows.first();
    // The record behind the row, looked up afresh each time: none for a row of another bin, past
    // the end, or an empty slot (there is no voice to edit).
    const auto record = [&]() -> orlamo::WAVE_DPTR* {
        orlamo::WAVE_DPTR* found = nullptr;
        if (onBin) {
            const int bin = SelectedBin();
            if (bin >= 0 && BinModel->ShownBin() == bin &&
                row < static_cast<int>(TheLibrary.BinAt(bin).Voices.size()))
                found = &TheLibrary.BinAt(bin).Voices[static_cast<std::size_t>(row)];
        } else if (ThePlayList && row < orlamo::PlayListSlots) {
            found = &ThePlayList->Slot(row + 1);
        }
        return found && !found->FileName.empty() ? found : nullptr;
    };
    const orlamo::WAVE_DPTR* before = record();
    if (!before)
        return;
    if (!AddVoiceSliceForm)
        CreateDialogs();
    AddVoiceSliceForm->SetLocation(FromCore(before->FullPath));
    AddVoiceSliceForm->SetVoiceName(FromCore(before->VoiceName));
    AddVoiceSliceForm->SetDescription(FromCore(before->Descripition));
    AddVoiceSliceForm->ElEdit_FilePathChange();
    if (Seam().ExecDialog(*AddVoiceSliceForm) != QDialog::Accepted)
        return;
    orlamo::WAVE_DPTR* edited = record();
    if (!edited)
        return;
    edited->FullPath = ToCore(AddVoiceSliceForm->Location());
    edited->VoiceName = ToCore(AddVoiceSliceForm->VoiceName());
    edited->Descripition = ToCore(AddVoiceSliceForm->Description());
    if (onBin) {
        SetArchiveModified(true);
        ElTvProjectClick();
    } else {
        // Only the playlist's copy changes; the bin voice it came from stays as it was.
        PlayListSlotsChanged(row + 1);
        SetPlayListModified(true);
    }
}

void TFormMain::ActVoice_DelVoiceExecute() {
    if (BinViewActiveFlag) {
        const QList<int> rows = SelectedRows(VoiceListKind::Archive);
        const int bin = SelectedBin();
        if (rows.isEmpty() || bin < 0 || BinModel->ShownBin() != bin)
            return;
        std::vector<orlamo::WAVE_DPTR>& voices = TheLibrary.BinAt(bin).Voices;
        const int position = rows.first();
        if (position >= static_cast<int>(voices.size()))
            return;
        SetArchiveModified(true);
        // Only the first selected voice goes; its wave file and any playlist copy stay.
        ClearVoiceList(VoiceListKind::Archive);
        voices.erase(voices.begin() + position);
        ElTvProjectClick();
        return;
    }

    // The playlist view: every occupied selected slot is emptied; empty ones are passed over.
    if (!ThePlayList)
        return;
    bool emptied = false;
    for (const int row : SelectedRows(VoiceListKind::PlayList)) {
        if (row >= orlamo::PlayListSlots || ThePlayList->Slot(row + 1).FileName.empty())
            continue;
        orlamo::ResetVoice(ThePlayList->Slot(row + 1));
        PlayListSlotsChanged(row + 1);
        emptied = true;
    }
    if (emptied)
        SetPlayListModified(true);
    ElTree_PlayListClick();
}

// ---- Play Wave and Set Wave Path ----------------------------------------------------------------

void TFormMain::ActTool_PlayWavExecute() {
    if (LibraryNodeCount() == 0)
        return;
    const bool onBin = BinViewActiveFlag;
    const QList<int> rows = SelectedRows(onBin ? VoiceListKind::Archive : VoiceListKind::PlayList);
    if (rows.isEmpty())
        return;
    const int row = rows.first();
    const orlamo::WAVE_DPTR* record = nullptr;
    if (onBin)
        record = BinVoiceAtRow(row);
    else if (ThePlayList && row < orlamo::PlayListSlots)
        record = &ThePlayList->Slot(row + 1);
    if (!record || record->FileName.empty()) {
        SetNoSingleVoiceSelected(true);
        return;
    }
    // A slot plays as the module will play it: the bytes the work file carries for it.
    if (!onBin) {
        PlaySlots({row + 1});
        return;
    }
    // The voice's own file, wherever it lies; the wave folder may have changed since it was added.
    const QString path = FromCore(record->FullPath);
    QString player = qEnvironmentVariable(PlayerVariable);
    if (player.isEmpty()) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
        if (!Seam().OpenUrl(QUrl::fromLocalFile(path)))
            ShowTextMessage(QStringLiteral("No program could be started to play %1.").arg(path),
                            QStringLiteral("ERROR"), MessageButtons::Ok, MessageIcon::Warning);
        return;
#else
        player = QStringLiteral("xdg-open");
#endif
    }
    // The path is one argument, whatever blanks it holds; the player is not waited for.
    if (!Seam().StartDetached(player, {path}))
        ShowTextMessage(QStringLiteral("The player \"%1\" could not be started.").arg(player),
                        QStringLiteral("ERROR"), MessageButtons::Ok, MessageIcon::Warning);
}

void TFormMain::ActOption_WavePathExecute() {
    if (!SETWavePathForm)
        CreateDialogs();
    SETWavePathForm->SetFolder(ChosenWaveFolder);
    SETWavePathForm->UpdateOkButton();
    if (Seam().ExecDialog(*SETWavePathForm) != QDialog::Accepted)
        return;
    const QString chosen = SETWavePathForm->Folder();
    // Voices keep full paths, so the wave folder is never relative to wherever the program runs.
    const QDir folder(QDir::cleanPath(QDir(chosen).absolutePath()));
    QString waveFolder = folder.path();
    // A sub-folder "wave" takes the waves; on file systems that tell letter case apart, "Wave"
    // too. It is never made here.
    for (const QString& sub : {QStringLiteral("wave"), QStringLiteral("Wave")}) {
        if (QFileInfo(folder.filePath(sub)).isDir()) {
            waveFolder = folder.filePath(sub);
            break;
        }
    }
    WaveFolderPath = waveFolder;
    ChosenWaveFolder = chosen;
    SetArchiveModified(true);
}
