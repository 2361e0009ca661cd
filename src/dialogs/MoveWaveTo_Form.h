#pragma once
// Asks for a playlist slot number. The entry must be a whole decimal number from 1 to 240; its
// font is green while it is, red otherwise, and OK is enabled exactly while it is green.

#include "dialogs/NameEntryDialog.h"

class TForm_MoveWaveTo : public NameEntryDialog {
    Q_OBJECT
public:
    explicit TForm_MoveWaveTo(UiSeam& seam, QWidget* parent = nullptr);

    static constexpr int FirstSlot = 1;
    static constexpr int LastSlot = 240;

    // The entry `ElEdit_WaveIndex` as text.
    QString WaveIndexText() const { return EntryText(); }
    void SetWaveIndexText(const QString& text) { SetEntryText(text); }
    // Puts a number into the entry in decimal (the proposed slot).
    void SetWaveIndex(int slot);
    // The entry read as a plain decimal number (digits only), or -1 when it is not one.
    // After OK this is always FirstSlot to LastSlot.
    int WaveIndex() const;
    QLineEdit* ElEdit_WaveIndex() const { return Entry(); }

    // Reads a plain decimal number (digits only, no sign or blanks); -1 when text is not one.
    static int ParseWaveIndex(const QString& text);

protected:
    bool EntryAcceptable(const QString& text) const override;
    void EntryJudged(bool acceptable) override;
};
