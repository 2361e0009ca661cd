#pragma once
// A UiSeam that plays the user by script, for GUI tests. Boxes are answered by their text (a
// queue of expected boxes, then standing answers); dialogs run through handlers registered by the
// dialog's objectName; file and folder choosers take answers from queues keyed by objectName or
// caption. Everything shown is recorded. Anything unscripted is recorded too, answered with the
// cautious choice (Cancel, No, OK or an empty file name), and fails the running test.

#include "app/UiSeam.h"

#include <QList>
#include <QMap>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class QDialog;

class ScriptedSeam : public UiSeam {
public:
    struct ShownMessage {
        QString Text;
        QString Caption;
        MessageButtons Buttons = MessageButtons::Ok;
        MessageIcon Icon = MessageIcon::Warning;
        int Answer = 0;
        bool Scripted = false;
        QString ExtraButton; // the further button the box offered, if any
    };
    struct StartedProgram {
        QString Program;
        QStringList Arguments;
    };
    using DialogHandler = std::function<int(QDialog&)>;

    // The next box must show this text; it is answered with `answer` (1 OK, 2 Cancel, 6 Yes, 7 No,
    // ExtraButtonAnswer for its extra button, which the box must then offer).
    void ExpectMessage(const QString& text, int answer = 1);
    // Any box with this text, whenever it shows, is answered with `answer`.
    void AnswerAlways(const QString& text, int answer);
    // The next run of the dialog with this objectName goes through handler; it returns the result.
    void OnDialog(const QString& objectName, DialogHandler handler);
    // The next file chooser of this objectName returns path (empty: the user cancels).
    void QueueFile(const QString& objectName, const QString& path);
    // The next folder chooser returns folder (empty: cancelled).
    void QueueFolder(const QString& folder);

    // Whether an unscripted box, dialog or chooser fails the test (true unless switched off).
    bool FailOnUnscripted = true;
    bool OpenUrlResult = true;
    bool StartDetachedResult = true;

    QList<ShownMessage> Messages;          // every box shown, in order
    QStringList DialogsShown;              // objectNames of every dialog run
    QList<FileDialogRequest> FileRequests; // every file chooser shown
    QStringList FolderRequests;            // start folder of every folder chooser
    QList<QUrl> OpenedUrls;
    QList<StartedProgram> StartedPrograms;
    QStringList Unscripted; // descriptions of everything that had no script

    // Texts of the boxes shown, in order.
    QStringList MessageTexts() const;
    // Whether every expected box, dialog and chooser answer has been used.
    bool ScriptUsedUp() const;
    QStringList UnusedScript() const;
    void ClearRecords();

    // Helpers for dialog handlers: set a line edit by objectName (as typing would, so the
    // dialog's rules run), and click a button by objectName. ClickButton gives the dialog's
    // result afterwards, and Rejected when the button is disabled (a user could not click it).
    static bool SetText(QDialog& dialog, const QString& editName, const QString& text);
    static int ClickButton(QDialog& dialog, const QString& buttonName);
    // Fills an entry and clicks "ElGB_OK".
    static DialogHandler EnterAndOk(const QString& editName, const QString& text);
    // Clicks "ElGB_Cancel".
    static DialogHandler Cancel();

    int ShowMessage(QWidget* parent, const MessageRequest& request) override;
    int ExecDialog(QDialog& dialog) override;
    QString ChooseFile(QWidget* parent, const FileDialogRequest& request) override;
    QString ChooseFolder(QWidget* parent, const QString& caption,
                         const QString& startFolder) override;
    bool OpenUrl(const QUrl& url) override;
    bool StartDetached(const QString& program, const QStringList& arguments) override;

private:
    void Fail(const QString& what);

    struct ExpectedMessage {
        QString Text;
        int Answer;
    };
    QQueue<ExpectedMessage> ExpectedMessages;
    QMap<QString, int> StandingAnswers;
    QMap<QString, QQueue<DialogHandler>> DialogHandlers;
    QMap<QString, QQueue<QString>> FileAnswers;
    QQueue<QString> FolderAnswers;
};
