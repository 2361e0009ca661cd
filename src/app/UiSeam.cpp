#include "app/UiSeam.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

namespace {
// "C Header(*.h)" gives "h"; a filter without one plain "*.x" pattern gives `fallback`.
QString FilterSuffix(const QString& filter, const QString& fallback) {
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return fallback;
    const QString pattern = filter.mid(open + 1, close - open - 1).trimmed();
    if (!pattern.startsWith(QLatin1String("*.")) || pattern.contains(QLatin1Char(' ')))
        return fallback;
    const QString suffix = pattern.mid(2);
    if (suffix.isEmpty() || suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')))
        return fallback;
    return suffix;
}
} // namespace

int QtUiSeam::ShowMessage(QWidget* parent, const MessageRequest& request) {
    QMessageBox box(parent);
    box.setWindowTitle(request.Caption);
    box.setText(request.Text);
    switch (request.Icon) {
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (request.Buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    QAbstractButton* extra = nullptr;
    if (!request.ExtraButton.isEmpty()) {
        extra = box.addButton(request.ExtraButton, QMessageBox::ActionRole);
        // Escape keeps meaning the cautious answer, as it does without the extra button.
        box.setEscapeButton(request.Buttons == MessageButtons::Ok      ? QMessageBox::Ok
                            : request.Buttons == MessageButtons::YesNo ? QMessageBox::No
                                                                       : QMessageBox::Cancel);
    }
    const int pressed = box.exec();
    if (extra && box.clickedButton() == extra)
        return ExtraButtonAnswer;
    switch (pressed) {
    case QMessageBox::Yes:
        return 6;
    case QMessageBox::No:
        return 7;
    case QMessageBox::Ok:
        return 1;
    default:
        return request.Buttons == MessageButtons::Ok ? 1 : 2;
    }
}

int QtUiSeam::ExecDialog(QDialog& dialog) {
    return dialog.exec();
}

QString QtUiSeam::ChooseFile(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent, request.Caption, request.Directory, request.Filter);
    dialog.setObjectName(request.ObjectName);
    dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The editor asks its own overwrite question, with its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.DefaultSuffix.isEmpty()) {
        dialog.setDefaultSuffix(request.DefaultSuffix);
        // A name typed without a suffix takes the suffix of the filter chosen for it, when that
        // filter names one; "All File(*.*)" keeps the default.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &request](const QString& filter) {
                             dialog.setDefaultSuffix(FilterSuffix(filter, request.DefaultSuffix));
                         });
    }
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUiSeam::ChooseFolder(QWidget* parent, const QString& caption,
                               const QString& startFolder) {
    return QFileDialog::getExistingDirectory(parent, caption, startFolder);
}

bool QtUiSeam::OpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool QtUiSeam::StartDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}
