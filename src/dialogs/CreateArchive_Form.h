#pragma once
// Asks for the name of a new archive. OK is enabled while the name is not empty.

#include "dialogs/NameEntryDialog.h"

class TForm_CreateArchive : public NameEntryDialog {
    Q_OBJECT
public:
    explicit TForm_CreateArchive(UiSeam& seam, QWidget* parent = nullptr);

    // The entry `ElEdit_ArchiveName`.
    QString ArchiveName() const { return EntryText(); }
    void SetArchiveName(const QString& name) { SetEntryText(name); }
    QLineEdit* ElEdit_ArchiveName() const { return Entry(); }

protected:
    bool EntryAcceptable(const QString& text) const override;
};
