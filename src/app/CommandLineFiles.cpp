#include "app/CommandLineFiles.h"

#include "app/MainForm.h"
#include "model/Messages.h"
#include "views/ListViewColumns.h"

#include <QFileInfo>
#include <QUrl>

namespace {
const QString EndOfOptions = QStringLiteral("--");
const QString OpensWhat = QStringLiteral("Orlamo opens archives (.arh) and playlists (.pla).");

QString RefusalText(CommandLineArgument kind, const QString& argument) {
    switch (kind) {
    case CommandLineArgument::WorkFile:
        return QStringLiteral("\"%1\" is a work file, the image the voice module loads. Orlamo "
                              "compiles work files but does not open them.\n\nTo see what it "
                              "holds, use orlamo-cli info:\n    orlamo-cli info \"%1\"")
            .arg(argument);
    case CommandLineArgument::Option:
        return QStringLiteral("Unknown option \"%1\": it was left out.\n\n%2 Run orlamo --help "
                              "for the options.")
            .arg(argument, OpensWhat);
    case CommandLineArgument::OtherFile:
        return QStringLiteral("\"%1\" was not opened: it is neither an archive nor a "
                              "playlist.\n\n%2")
            .arg(argument, OpensWhat);
    case CommandLineArgument::Archive:
    case CommandLineArgument::PlayList:
        break;
    }
    return {};
}
} // namespace

CommandLineArgument ClassifyCommandLineArgument(const QString& argument, bool filesOnly) {
    if (!filesOnly && argument.size() > 1 && argument.startsWith(QLatin1Char('-')))
        return CommandLineArgument::Option;
    // The suffix decides, in any letter case: Open Archive itself then says when the case is
    // not one it takes.
    const QString suffix = QFileInfo(CommandLineArgumentPath(argument)).suffix().toLower();
    if (suffix == QLatin1String("arh"))
        return CommandLineArgument::Archive;
    if (suffix == QLatin1String("pla"))
        return CommandLineArgument::PlayList;
    if (suffix == QLatin1String("wrk"))
        return CommandLineArgument::WorkFile;
    return CommandLineArgument::OtherFile;
}

QString CommandLineArgumentPath(const QString& argument) {
    if (argument.isEmpty())
        return argument;
    if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(argument);
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return QFileInfo(argument).absoluteFilePath();
}

void OpenCommandLineFiles(TFormMain& window, const QStringList& arguments) {
    bool filesOnly = false;
    for (const QString& argument : arguments) {
        if (!filesOnly && argument == EndOfOptions) {
            filesOnly = true;
            continue;
        }
        const CommandLineArgument kind = ClassifyCommandLineArgument(argument, filesOnly);
        // An error raised while one file opens is shown, and the next argument still gets its
        // turn.
        window.RunGuarded([&] {
            switch (kind) {
            case CommandLineArgument::Archive:
                window.OpenArchiveFile(CommandLineArgumentPath(argument));
                break;
            case CommandLineArgument::PlayList:
                window.OpenPlayListFile(CommandLineArgumentPath(argument));
                break;
            case CommandLineArgument::WorkFile:
            case CommandLineArgument::Option:
            case CommandLineArgument::OtherFile:
                window.ShowTextMessage(
                    RefusalText(kind, argument),
                    orlamo::views::FromCore(orlamo::ResString(orlamo::MessageId::Warning)),
                    MessageButtons::Ok, MessageIcon::Warning);
                break;
            }
        });
    }
    window.UpdateActions();
}
