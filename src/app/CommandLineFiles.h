#pragma once
// The files named on the editor's command line, as a file manager passes them on a double click
// (Qt's own options are gone by then). Archives and playlists open as Open Archive and Open
// PlayList open the file once it is chosen, so the same save prompts guard them; anything else
// gets a box that says why it was not opened, and the editor goes on as it was.

#include <QString>
#include <QStringList>

class TFormMain;

// What one command-line argument names.
enum class CommandLineArgument { Archive, PlayList, WorkFile, Option, OtherFile };

// Judged by the name alone; `filesOnly` is set after a "--", which ends the options.
CommandLineArgument ClassifyCommandLineArgument(const QString& argument, bool filesOnly);

// The path an argument names: a file:// address becomes its local path, a relative path
// becomes absolute (the window shows it and the settings keep it for the next run).
QString CommandLineArgumentPath(const QString& argument);

// Opens or refuses each argument in turn. Nothing to do for an empty list.
void OpenCommandLineFiles(TFormMain& window, const QStringList& arguments);
