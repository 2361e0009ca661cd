#include "dialogs/AddPlayList_Form.h"

TForm_AddPlayList::TForm_AddPlayList(UiSeam& seam, QWidget* parent)
    : NameEntryDialog(seam, parent, QStringLiteral("Create PlayList"),
                      QStringLiteral("PlayList Name :  "), QStringLiteral("ElEdit_PlayListName")) {
    setObjectName(QStringLiteral("Form_AddPlayList"));
    UpdateOkButton();
}

bool TForm_AddPlayList::EntryAcceptable(const QString& text) const {
    return !text.isEmpty();
}
