#include "support/ScriptedSeam.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

namespace {
// The cautious answer to a box nobody scripted: the one that changes nothing.
int CautiousAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return 1;
    case MessageButtons::YesNo:
        return 7;
    case MessageButtons::YesNoCancel:
        return 2;
    }
    return 2;
}
} // namespace

void ScriptedSeam::ExpectMessage(const QString& text, int answer) {
    ExpectedMessages.enqueue({text, answer});
}

void ScriptedSeam::AnswerAlways(const QString& text, int answer) {
    StandingAnswers[text] = answer;
}

void ScriptedSeam::OnDialog(const QString& objectName, DialogHandler handler) {
    DialogHandlers[objectName].enqueue(std::move(handler));
}

void ScriptedSeam::QueueFile(const QString& objectName, const QString& path) {
    FileAnswers[objectName].enqueue(path);
}

void ScriptedSeam::QueueFolder(const QString& folder) {
    FolderAnswers.enqueue(folder);
}

QStringList ScriptedSeam::MessageTexts() const {
    QStringList texts;
    for (const ShownMessage& message : Messages)
        texts.append(message.Text);
    return texts;
}

QStringList ScriptedSeam::UnusedScript() const {
    QStringList unused;
    for (const ExpectedMessage& message : ExpectedMessages)
        unused.append(QStringLiteral("box: ") + message.Text);
    for (auto it = DialogHandlers.begin(); it != DialogHandlers.end(); ++it)
        for (qsizetype i = 0; i < it.value().size(); ++i)
            unused.append(QStringLiteral("dialog: ") + it.key());
    for (auto it = FileAnswers.begin(); it != FileAnswers.end(); ++it)
        for (const QString& path : it.value())
            unused.append(QStringLiteral("file chooser %1: %2").arg(it.key(), path));
    for (const QString& folder : FolderAnswers)
        unused.append(QStringLiteral("folder chooser: ") + folder);
    return unused;
}

bool ScriptedSeam::ScriptUsedUp() const {
    return UnusedScript().isEmpty();
}

void ScriptedSeam::ClearRecords() {
    Messages.clear();
    DialogsShown.clear();
    FileRequests.clear();
    FolderRequests.clear();
    OpenedUrls.clear();
    StartedPrograms.clear();
    Unscripted.clear();
}

void ScriptedSeam::Fail(const QString& what) {
    Unscripted.append(what);
    if (FailOnUnscripted)
        QTest::qFail(qPrintable(QStringLiteral("Unscripted: ") + what), __FILE__, __LINE__);
}

int ScriptedSeam::ShowMessage(QWidget*, const MessageRequest& request) {
    ShownMessage shown{request.Text, request.Caption,    request.Buttons, request.Icon, 0,
                       true,         request.ExtraButton};
    if (!ExpectedMessages.isEmpty() && ExpectedMessages.head().Text == request.Text) {
        shown.Answer = ExpectedMessages.dequeue().Answer;
    } else if (StandingAnswers.contains(request.Text)) {
        shown.Answer = StandingAnswers.value(request.Text);
    } else {
        shown.Scripted = false;
        shown.Answer = CautiousAnswer(request.Buttons);
        const QString expected = ExpectedMessages.isEmpty()
                                     ? QStringLiteral("no box")
                                     : QStringLiteral("\"%1\"").arg(ExpectedMessages.head().Text);
        Fail(QStringLiteral("box \"%1\" (caption \"%2\"), expected %3")
                 .arg(request.Text, request.Caption, expected));
    }
    // A button the box does not have cannot be pressed.
    if (shown.Answer == ExtraButtonAnswer && request.ExtraButton.isEmpty()) {
        Fail(QStringLiteral("box \"%1\" has no extra button to press").arg(request.Text));
        shown.Answer = CautiousAnswer(request.Buttons);
    }
    Messages.append(shown);
    return shown.Answer;
}

int ScriptedSeam::ExecDialog(QDialog& dialog) {
    const QString name = dialog.objectName();
    DialogsShown.append(name);
    auto handlers = DialogHandlers.find(name);
    if (handlers == DialogHandlers.end() || handlers.value().isEmpty()) {
        Fail(QStringLiteral("dialog ") + name);
        return QDialog::Rejected;
    }
    const DialogHandler handler = handlers.value().dequeue();
    // Shown as exec would show it, so that rules applied on showing run; not modal here.
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    const int result = handler(dialog);
    dialog.hide();
    return result;
}

QString ScriptedSeam::ChooseFile(QWidget*, const FileDialogRequest& request) {
    FileRequests.append(request);
    auto answers = FileAnswers.find(request.ObjectName);
    if (answers == FileAnswers.end() || answers.value().isEmpty()) {
        Fail(QStringLiteral("file chooser ") + request.ObjectName);
        return {};
    }
    return answers.value().dequeue();
}

QString ScriptedSeam::ChooseFolder(QWidget*, const QString&, const QString& startFolder) {
    FolderRequests.append(startFolder);
    if (FolderAnswers.isEmpty()) {
        Fail(QStringLiteral("folder chooser"));
        return {};
    }
    return FolderAnswers.dequeue();
}

bool ScriptedSeam::OpenUrl(const QUrl& url) {
    OpenedUrls.append(url);
    return OpenUrlResult;
}

bool ScriptedSeam::StartDetached(const QString& program, const QStringList& arguments) {
    StartedPrograms.append({program, arguments});
    return StartDetachedResult;
}

bool ScriptedSeam::SetText(QDialog& dialog, const QString& editName, const QString& text) {
    auto* edit = dialog.findChild<QLineEdit*>(editName);
    if (!edit)
        return false;
    edit->setText(text);
    return true;
}

int ScriptedSeam::ClickButton(QDialog& dialog, const QString& buttonName) {
    auto* button = dialog.findChild<QAbstractButton*>(buttonName);
    if (!button || !button->isEnabled())
        return QDialog::Rejected;
    button->click();
    return dialog.result();
}

ScriptedSeam::DialogHandler ScriptedSeam::EnterAndOk(const QString& editName, const QString& text) {
    return [editName, text](QDialog& dialog) {
        SetText(dialog, editName, text);
        return ClickButton(dialog, QStringLiteral("ElGB_OK"));
    };
}

ScriptedSeam::DialogHandler ScriptedSeam::Cancel() {
    return [](QDialog& dialog) {
        ClickButton(dialog, QStringLiteral("ElGB_Cancel"));
        return static_cast<int>(QDialog::Rejected);
    };
}
