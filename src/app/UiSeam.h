#pragma once
// The one way the editor talks to the person at the screen: every message box, modal dialog,
// file chooser and hand-off to the desktop goes through a UiSeam. The window owns one; the real
// one shows Qt's boxes and dialogs, tests install one that answers them by script.

#include <QString>
#include <QStringList>

class QDialog;
class QUrl;
class QWidget;

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { Warning, Question, Information, Critical };

struct MessageRequest {
    QString Text;
    QString Caption;
    MessageButtons Buttons = MessageButtons::Ok;
    MessageIcon Icon = MessageIcon::Warning;
    // A further button beside the standard ones (e.g. "Convert..."); none when empty. Pressing
    // it answers ExtraButtonAnswer.
    QString ExtraButton;
};

// What ShowMessage gives when the request's extra button was pressed.
constexpr int ExtraButtonAnswer = 100;

struct FileDialogRequest {
    QString ObjectName; // the dialog's name, e.g. "OpenDialog_Archive", "SaveDialog"
    QString Caption;
    QString Filter;        // Qt form: "Archive File(*.arh);;All File(*.*)"
    QString DefaultSuffix; // without the point, e.g. "arh"
    QString Directory;     // folder to start in
    QString FileName;      // proposed file name or path
    bool Save = false;
};

class UiSeam {
public:
    virtual ~UiSeam() = default;

    // Shows a modal box; returns the button pressed: 1 OK, 2 Cancel, 6 Yes, 7 No, and
    // ExtraButtonAnswer for the request's extra button.
    virtual int ShowMessage(QWidget* parent, const MessageRequest& request) = 0;
    // Runs a modal dialog; returns QDialog::Accepted or QDialog::Rejected.
    virtual int ExecDialog(QDialog& dialog) = 0;
    // Asks for a file to open or save; an empty result means cancelled.
    virtual QString ChooseFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // Asks for an existing folder, starting in startFolder; an empty result means cancelled.
    virtual QString ChooseFolder(QWidget* parent, const QString& caption,
                                 const QString& startFolder) = 0;
    // Opens a web address in the desktop's browser.
    virtual bool OpenUrl(const QUrl& url) = 0;
    // Starts a program without waiting for it; false when it cannot be started at all.
    virtual bool StartDetached(const QString& program, const QStringList& arguments) = 0;
};

// The seam of a real run: QMessageBox, QDialog::exec, QFileDialog, QDesktopServices, QProcess.
class QtUiSeam final : public UiSeam {
public:
    int ShowMessage(QWidget* parent, const MessageRequest& request) override;
    int ExecDialog(QDialog& dialog) override;
    QString ChooseFile(QWidget* parent, const FileDialogRequest& request) override;
    QString ChooseFolder(QWidget* parent, const QString& caption,
                         const QString& startFolder) override;
    bool OpenUrl(const QUrl& url) override;
    bool StartDetached(const QString& program, const QStringList& arguments) override;
};
