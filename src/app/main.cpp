// Start-up: --version and --help answer on the terminal and end the program before anything
// needs a display. Otherwise the application (which takes Qt's own options), the main window
// (whose creation reopens the last archive and the window placement), the dialogs in their fixed
// order, the files named on the command line, then the event loop until the window closes.

#include "app/Application.h"
#include "app/CommandLineFiles.h"
#include "app/MainForm.h"

#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <optional>
#include <string_view>

namespace {
constexpr const char* UsageText =
    "Usage: orlamo [OPTION] [FILE.arh] [FILE.pla]\n"
    "\n"
    "Starts the Orlamo editor. An archive (.arh) named here opens in place of the one\n"
    "remembered from the last run; a playlist (.pla) opens beside the archive.\n"
    "Work files (.wrk) are checked with orlamo-cli info.\n"
    "\n"
    "Options:\n"
    "  --help      show this text\n"
    "  --version   show the version\n"
    "  --          every argument after it is a file name\n"
    "Qt's own options (-platform, -style, ...) are taken as Qt documents them.\n";

// The exit code of an option that only prints, or nothing when the editor is to start.
std::optional<int> AnswerPrintingOption(int argc, char** argv) {
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "--")
            break;
        const char* text = nullptr;
        if (argument == "--version")
            text = "orlamo " ORLAMO_VERSION "\n";
        else if (argument == "--help")
            text = UsageText;
        if (!text)
            continue;
        // A write that did not reach its reader is a failure, like any other.
        const bool written = std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0;
        return written ? 0 : 1;
    }
    return std::nullopt;
}
} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> answered = AnswerPrintingOption(argc, argv))
        return *answered;

    OrlamoApplication application(argc, argv);
    try {
        TFormMain window;
        application.ErrorReporter = [&window](const QString& text) { window.ShowErrorBox(text); };
        window.CreateDialogs();
        window.show();
        // Qt has taken its own options out of the arguments by now.
        OpenCommandLineFiles(window, QCoreApplication::arguments().mid(1));
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
