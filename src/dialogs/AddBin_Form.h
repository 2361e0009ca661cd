#pragma once
// Asks for the name of a new bin. OK is enabled while the name is not empty; whether a bin of
// that name exists already is the caller's question.

#include "dialogs/NameEntryDialog.h"

class TForm_AddBin : public NameEntryDialog {
    Q_OBJECT
public:
    explicit TForm_AddBin(UiSeam& seam, QWidget* parent = nullptr);

    // The entry `ElEdit_BinName`.
    QString BinName() const { return EntryText(); }
    void SetBinName(const QString& name) { SetEntryText(name); }
    QLineEdit* ElEdit_BinName() const { return Entry(); }

protected:
    bool EntryAcceptable(const QString& text) const override;
};
