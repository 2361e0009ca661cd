#pragma once
// Asks for the folder that receives wave files: a folder entry that can be typed into or filled
// with the browse button's folder chooser. OK is enabled while the entry names an existing folder
// (a file does not count).

#include "dialogs/NameEntryDialog.h"

class TForm_SETWavePath : public NameEntryDialog {
    Q_OBJECT
public:
    explicit TForm_SETWavePath(UiSeam& seam, QWidget* parent = nullptr);

    // The folder entry `ElFolderNameEdit`.
    QString Folder() const { return EntryText(); }
    void SetFolder(const QString& folder) { SetEntryText(folder); }
    QLineEdit* ElFolderNameEdit() const { return Entry(); }
    // The browse button beside the entry (`ElFolderNameEdit_Browse`).
    QPushButton* BrowseButton() const { return Browse; }

public slots:
    // Opens the folder chooser (through the seam); a chosen folder becomes the entry's text,
    // a cancelled chooser leaves the entry as it was.
    void BrowseFolder();

protected:
    bool EntryAcceptable(const QString& text) const override;

private:
    QPushButton* Browse = nullptr;
};
