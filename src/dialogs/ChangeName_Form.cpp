#include "dialogs/ChangeName_Form.h"

TForm_ChangeName::TForm_ChangeName(UiSeam& seam, QWidget* parent)
    : NameEntryDialog(seam, parent, QStringLiteral("ChangeName"), QStringLiteral("Name :  "),
                      QStringLiteral("ElEdit_ChangeName")) {
    setObjectName(QStringLiteral("Form_ChangeName"));
    UpdateOkButton();
}

bool TForm_ChangeName::EntryAcceptable(const QString& text) const {
    // An empty name would make a nameless bin or playlist, or a voice whose file name is empty
    // (which reads as an empty playlist slot), so it is refused like in the other name dialogs.
    if (text.isEmpty())
        return false;
    const QString location = AddVoiceLocation ? AddVoiceLocation() : QString();
    return text != location;
}
