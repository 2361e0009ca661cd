#pragma once
// The application object: an error that escapes an event handler is shown in the application's
// error box (through the reporter the main window installs) instead of ending the program.

#include <QApplication>
#include <QString>
#include <functional>

class OrlamoApplication : public QApplication {
    Q_OBJECT
public:
    OrlamoApplication(int& argc, char** argv);

    // Shows an error's text; until one is set, a plain message box does.
    std::function<void(const QString& text)> ErrorReporter;

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void Report(const QString& text);
};
