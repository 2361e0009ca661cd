#include "app/Application.h"

#include "app/ImageList.h"
#include "model/Messages.h"

#include <QMessageBox>
#include <exception>

OrlamoApplication::OrlamoApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromLatin1(orlamo::ApplicationTitle));
    setOrganizationName(QStringLiteral("Quorvel"));
    setApplicationVersion(QStringLiteral(ORLAMO_VERSION));
    // Every window and dialog without an icon of its own shows this one; Wayland matches the
    // windows to the menu entry by the desktop file's name.
    setWindowIcon(ImageList::ApplicationIcon());
    setDesktopFileName(QStringLiteral("orlamo"));
}

bool OrlamoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Report(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        Report(QString());
    }
    return false;
}

void OrlamoApplication::Report(const QString& text) {
    if (ErrorReporter) {
        ErrorReporter(text);
        return;
    }
    QMessageBox::critical(nullptr, QString::fromLatin1(orlamo::ApplicationTitle), text);
}
