#pragma once
// Asks for the name of a new playlist. OK is enabled while the name is not empty.

#include "dialogs/NameEntryDialog.h"

class TForm_AddPlayList : public NameEntryDialog {
    Q_OBJECT
public:
    explicit TForm_AddPlayList(UiSeam& seam, QWidget* parent = nullptr);

    // The entry `ElEdit_PlayListName`.
    QString PlayListName() const { return EntryText(); }
    void SetPlayListName(const QString& name) { SetEntryText(name); }
    QLineEdit* ElEdit_PlayListName() const { return Entry(); }

protected:
    bool EntryAcceptable(const QString& text) const override;
};
