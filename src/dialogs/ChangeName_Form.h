#pragma once
// Asks for a new name for a bin, the playlist, or a wave file that would collide in the wave
// folder. OK is enabled while the entry is not empty and differs (exactly, case-sensitive) from
// the add-voice dialog's current Location text.

#include "dialogs/NameEntryDialog.h"

#include <functional>

class TForm_ChangeName : public NameEntryDialog {
    Q_OBJECT
public:
    explicit TForm_ChangeName(UiSeam& seam, QWidget* parent = nullptr);

    // The entry `ElEdit_ChangeName`: the caller puts the old name in, reads the new one on OK.
    QString NewName() const { return EntryText(); }
    void SetName(const QString& name) { SetEntryText(name); }
    QLineEdit* ElEdit_ChangeName() const { return Entry(); }

    // Gives the add-voice dialog's current Location text; set by the window once both dialogs
    // exist. While unset, Location counts as empty.
    std::function<QString()> AddVoiceLocation;

protected:
    bool EntryAcceptable(const QString& text) const override;
};
