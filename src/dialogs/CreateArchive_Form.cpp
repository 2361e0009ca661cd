#include "dialogs/CreateArchive_Form.h"

TForm_CreateArchive::TForm_CreateArchive(UiSeam& seam, QWidget* parent)
    : NameEntryDialog(seam, parent, QStringLiteral("Create Archive"),
                      QStringLiteral("Archive Name :  "), QStringLiteral("ElEdit_ArchiveName")) {
    setObjectName(QStringLiteral("Form_CreateArchive"));
    UpdateOkButton();
}

bool TForm_CreateArchive::EntryAcceptable(const QString& text) const {
    return !text.isEmpty();
}
