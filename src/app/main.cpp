// Start-up: the application, the main window (whose creation reopens the last archive and the
// window placement), the dialogs in their fixed order, then the event loop until the window closes.

#include "app/Application.h"
#include "app/MainForm.h"

#include <QMessageBox>
#include <exception>

int main(int argc, char** argv) {
    OrlamoApplication application(argc, argv);
    try {
        TFormMain window;
        application.ErrorReporter = [&window](const QString& text) { window.ShowErrorBox(text); };
        window.CreateDialogs();
        window.show();
        const int result = QApplication::exec();
        application.ErrorReporter = nullptr;
        return result;
    } catch (const std::exception& error) {
        // Nothing is left to go on with: say what happened and end normally.
        application.ErrorReporter = nullptr;
        QMessageBox::critical(nullptr, QApplication::applicationName(),
                              QString::fromLocal8Bit(error.what()));
    } catch (...) {
        application.ErrorReporter = nullptr;
        QMessageBox::critical(nullptr, QApplication::applicationName(), QString());
    }
    return 0;
}
