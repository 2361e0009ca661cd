// The archive commands of the File menu (Create, Open, Save, Save As) and the save prompt that
// guards every step that would discard the library.

#include "app/MainForm.h"

#include "app/ChooserFolder.h"
#include "dialogs/CreateArchive_Form.h"
#include "formats/ArchiveFile.h"
#include "views/ListViewColumns.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>

using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
const QString ArchiveFilter = QStringLiteral("arh File(*.arh);;All File(*.*)");
const QString ArchiveSuffix = QStringLiteral("arh");

// Writes the library to path. Only a file that was written marks the library as saved; on a
// failure the error box names the file, and the flag, the path and the old file stay as they were.
bool WriteArchiveFile(TFormMain& window, const QString& path) {
    const orlamo::FileWriteResult written = orlamo::SaveArchive(ToCore(path), window.Library());
    if (!written.Ok) {
        window.ShowErrorBox(FromCore(written.Message));
        return false;
    }
    window.SetArchiveModified(false);
    window.SetArchivePath(path);
    return true;
}
} // namespace

// ---- The save prompt, closing and saving --------------------------------------------------------

bool TFormMain::QuerySaveArchive() {
    if (ArchiveModified()) {
        const int answer =
            ShowResMessage(orlamo::MessageId::SaveArchivePrompt, orlamo::MessageId::Warning,
                           MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == orlamo::ButtonResult::No) {
            CloseArchive();
            SetArchivePath(QString());
            return true;
        }
        if (answer != orlamo::ButtonResult::Yes) {
            ElTvProjectClick();
            return false;
        }
        // With no archive open (the prompt answered No before, and no archive made since) there
        // is nothing to save, and nothing to keep the caller from going on.
        if (TheLibrary.HasArchive() && !SaveCurrentArchive())
            return false;
    }
    CloseArchive();
    // Let the emptied views repaint before whatever the caller does next.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
}

bool TFormMain::CloseArchive() {
    // The bin view's rows belong to the library going away, whatever its flag says.
    ClearVoiceList(VoiceListKind::Archive);
    if (BinViewShown()) {
        SetHeaderText(QString());
        ClearTotals();
    }
    SetBinViewActive(false);
    TheLibrary.Clear();
    RebuildLibraryTree();
    return true;
}

bool TFormMain::NewArchive() {
    if (!CreateArchiveForm)
        CreateDialogs();
    CreateArchiveForm->SetArchiveName(QString());
    CreateArchiveForm->UpdateOkButton();
    SetArchivePath(QString());
    ClearVoiceList(VoiceListKind::Archive);
    if (Seam().ExecDialog(*CreateArchiveForm) != QDialog::Accepted)
        return false;
    // Add Voice reports it when the wave folder cannot be made; here it is only a convenience.
    QDir().mkpath(WaveFolderPath);
    TheLibrary.Clear();
    TheLibrary.SetArchiveNode(ToCore(CreateArchiveForm->ArchiveName()));
    RebuildLibraryTree();
    return true;
}

bool TFormMain::SaveCurrentArchive() {
    if (CurrentArchivePath().isEmpty())
        return SaveArchiveAs();
    return WriteArchiveFile(*this, CurrentArchivePath());
}

bool TFormMain::SaveArchiveAs() {
    const QString path = Seam().ChooseFile(
        this,
        FileDialogRequest{QStringLiteral("SaveDialogBin"), QStringLiteral("Save As Archive"),
                          ArchiveFilter, ArchiveSuffix,
                          ChooserStartFolder({FileDialogs.SaveDialogBin, CurrentArchivePath()}),
                          FileDialogs.SaveDialogBin, true});
    if (path.isEmpty())
        return false;
    FileDialogs.SaveDialogBin = path;
    if (QFileInfo::exists(path) &&
        ShowResMessage(orlamo::MessageId::CoverFile, orlamo::MessageId::Warning,
                       MessageButtons::YesNo, MessageIcon::Question) != orlamo::ButtonResult::Yes)
        return false;
    return WriteArchiveFile(*this, path);
}

// ---- The commands -------------------------------------------------------------------------------

void TFormMain::ActFile_CreateArchiveExecute() {
    if (QuerySaveArchive())
        NewArchive();
}

void TFormMain::ActFile_OpenArchiveExecute() {
    const QString path = Seam().ChooseFile(
        this,
        FileDialogRequest{
            QStringLiteral("OpenDialog_Archive"), QStringLiteral("Open Archive"), ArchiveFilter,
            QString(), ChooserStartFolder({FileDialogs.OpenDialog_Archive, CurrentArchivePath()}),
            FileDialogs.OpenDialog_Archive, false});
    if (!path.isEmpty())
        OpenArchiveFile(path);
}

bool TFormMain::OpenArchiveFile(const QString& path) {
    FileDialogs.OpenDialog_Archive = path;
    return QuerySaveArchive() && LoadArchive(path);
}

void TFormMain::ActFile_SaveArchiveExecute() {
    SaveCurrentArchive();
}

void TFormMain::ActFile_SaveAsArchiveExecute() {
    SaveArchiveAs();
}
