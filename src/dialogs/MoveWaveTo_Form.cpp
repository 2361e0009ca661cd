#include "dialogs/MoveWaveTo_Form.h"

#include <QLineEdit>
#include <QPalette>

namespace {
const QColor InvalidColor(255, 0, 0);
const QColor ValidColor(0, 128, 0);
// More digits than this cannot be a slot number and would overflow an int.
constexpr qsizetype MaxDigits = 9;
} // namespace

TForm_MoveWaveTo::TForm_MoveWaveTo(UiSeam& seam, QWidget* parent)
    : NameEntryDialog(seam, parent, QStringLiteral("MoveWaveTo"), QStringLiteral("MoveTo :  "),
                      QStringLiteral("ElEdit_WaveIndex")) {
    setObjectName(QStringLiteral("Form_MoveWaveTo"));
    UpdateOkButton();
}

void TForm_MoveWaveTo::SetWaveIndex(int slot) {
    SetEntryText(QString::number(slot));
}

int TForm_MoveWaveTo::WaveIndex() const {
    return ParseWaveIndex(EntryText());
}

int TForm_MoveWaveTo::ParseWaveIndex(const QString& text) {
    if (text.isEmpty() || text.size() > MaxDigits)
        return -1;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

bool TForm_MoveWaveTo::EntryAcceptable(const QString& text) const {
    const int slot = ParseWaveIndex(text);
    return slot >= FirstSlot && slot <= LastSlot;
}

void TForm_MoveWaveTo::EntryJudged(bool acceptable) {
    QPalette palette = Entry()->palette();
    palette.setColor(QPalette::Text, acceptable ? ValidColor : InvalidColor);
    Entry()->setPalette(palette);
}
