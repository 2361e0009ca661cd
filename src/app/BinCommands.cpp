// The bin commands: Create Bin, ReName and Del Bin.

#include "app/MainForm.h"

#include "dialogs/AddBin_Form.h"
#include "dialogs/ChangeName_Form.h"
#include "views/ListViewColumns.h"

#include <QDialog>

using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
// Says why a bin name cannot be used; true when it can. Names that differ only in letter case
// would share one section of the archive file, so they count as taken.
bool AcceptBinName(TFormMain& window, const QString& name, int exceptPosition) {
    const std::optional<orlamo::BinNameProblem> problem =
        window.Library().CheckBinName(ToCore(name), exceptPosition);
    if (!problem)
        return true;
    if (*problem == orlamo::BinNameProblem::Taken) {
        window.ShowResMessage(orlamo::MessageId::IdenticalName, orlamo::MessageId::Warning,
                              MessageButtons::Ok, MessageIcon::Warning);
    } else {
        window.ShowTextMessage(
            QStringLiteral("The bin name \"%1\" cannot be kept in an archive file. A bin name must "
                           "not be empty, begin or end with a blank, be wholly in quotation marks, "
                           "or hold \"]\" or a line break.")
                .arg(name),
            FromCore(orlamo::ResString(orlamo::MessageId::Warning)), MessageButtons::Ok,
            MessageIcon::Warning);
    }
    return false;
}
} // namespace

void TFormMain::ActBin_CreateBinExecute() {
    if (!AddBinForm)
        CreateDialogs();
    AddBinForm->SetBinName(QString());
    AddBinForm->UpdateOkButton();
    if (Seam().ExecDialog(*AddBinForm) != QDialog::Accepted)
        return;
    const QString name = AddBinForm->BinName();
    ShowBinView();
    if (!TheLibrary.HasArchive() || !AcceptBinName(*this, name, -1))
        return;
    TheLibrary.AddBin(ToCore(name));
    // The archive node stays selected; the new bin shows when it is clicked.
    RebuildLibraryTree();
    SetBinViewActive(true);
    SetArchiveModified(true);
}

void TFormMain::ActFile_ReNameExecute() {
    const int bin = SelectedBin();
    if (bin < 0)
        return;
    if (!ChangeNameForm)
        CreateDialogs();
    ChangeNameForm->SetName(FromCore(TheLibrary.BinAt(bin).Name));
    ChangeNameForm->UpdateOkButton();
    if (Seam().ExecDialog(*ChangeNameForm) != QDialog::Accepted)
        return;
    const QString name = ChangeNameForm->NewName();
    if (!AcceptBinName(*this, name, bin))
        return;
    TheLibrary.BinAt(bin).Name = ToCore(name);
    RebuildLibraryTree();
    SetArchiveModified(true);
}

void TFormMain::ActBin_DelBinExecute() {
    const int bin = SelectedBin();
    if (LibraryNodeCount() == 0 || bin < 0)
        return;
    // The bin view may show the bin's voices: take them down before the bin goes.
    ClearVoiceList(VoiceListKind::Archive);
    TheLibrary.RemoveBin(bin);
    RebuildLibraryTree();
    // The archive node takes the selection, so that no view is left on the removed bin.
    SelectLibraryNode(0);
    ElTvProjectClick();
    SetArchiveModified(true);
}
