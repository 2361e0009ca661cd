#include "dialogs/AddBin_Form.h"

TForm_AddBin::TForm_AddBin(UiSeam& seam, QWidget* parent)
    : NameEntryDialog(seam, parent, QStringLiteral("Create Bin"), QStringLiteral("Bin Name :  "),
                      QStringLiteral("ElEdit_BinName")) {
    setObjectName(QStringLiteral("Form_AddBin"));
    UpdateOkButton();
}

bool TForm_AddBin::EntryAcceptable(const QString& text) const {
    return !text.isEmpty();
}
