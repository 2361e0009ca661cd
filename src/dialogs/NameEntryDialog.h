#pragma once
// The frame shared by the one-entry dialogs: a label, an entry, OK and Cancel. A subclass gives
// the rule that decides whether the entry is acceptable; OK follows that rule on every change of
// the entry and whenever the dialog is shown. Enter acts as OK only while OK is enabled; Escape
// and the close box cancel.

#include <QDialog>
#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class UiSeam;

class NameEntryDialog : public QDialog {
    Q_OBJECT
public:
    // The entry's text, exactly as typed: nothing is trimmed or changed.
    QString EntryText() const;
    // Sets the entry (the OK rule runs at once).
    void SetEntryText(const QString& text);

    // Applies the OK rule to the current entry. Runs by itself on every change and on show;
    // callers may run it after changing state the rule reads.
    void UpdateOkButton();

    QLineEdit* Entry() const { return EntryEdit; }
    QLabel* EntryLabel() const { return Label; }
    QPushButton* OkButton() const { return ElGB_OK; }
    QPushButton* CancelButton() const { return ElGB_Cancel; }

protected:
    NameEntryDialog(UiSeam& seam, QWidget* parent, const QString& caption, const QString& labelText,
                    const QString& entryObjectName);

    // Whether OK may be pressed for this entry text.
    virtual bool EntryAcceptable(const QString& text) const = 0;
    // Called after each rule run with its verdict, for dialogs that show it beyond OK.
    virtual void EntryJudged(bool acceptable);

    // The grid row of label and entry; a subclass may add widgets in column 2.
    QGridLayout* EntryRow() const { return Grid; }
    UiSeam& Seam;

    void showEvent(QShowEvent* event) override;

private:
    QGridLayout* Grid = nullptr;
    QLabel* Label = nullptr;
    QLineEdit* EntryEdit = nullptr;
    QPushButton* ElGB_OK = nullptr;
    QPushButton* ElGB_Cancel = nullptr;
};
