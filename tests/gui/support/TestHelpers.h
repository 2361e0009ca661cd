#pragma once
// Helpers and box texts that many GUI tests share: running a command as its menu entry does,
// reading a file whole, the bins of the library, a cell of a list view.

#include "app/MainForm.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTreeView;

namespace scenes {

// Texts of the boxes the commands show.
inline const QString ArchivePrompt = QStringLiteral("Save changes to Archive ?");
inline const QString PlayListPrompt = QStringLiteral("Save changes to PlayList ?");
inline const QString CoverQuestion = QStringLiteral("Found an identical File,Do You Want cover? ");
inline const QString SizeQuestion = QStringLiteral("Wrk File Size > 1Mbyte, Save or No?");
inline const QString RenameQuestion =
    QStringLiteral("Found an identical File.Do you want to change the file's name?");
inline const QString IdenticalName = QStringLiteral("Found an identical File Name");
inline const QString NotFoundFile = QStringLiteral("Not Found File");
inline const QString ChangeNameForm = QStringLiteral("Form_ChangeName");

// Runs a command as its menu entry does: the rules decide first, then the handler runs.
// False when the command is unknown or not enabled.
bool Trigger(TFormMain& window, const char* name);

// The whole contents of a file; empty when it cannot be read.
QByteArray FileBytes(const QString& path);

// The names of the library's bins, in order.
QStringList BinNames(const TFormMain& window);

// The text of one cell of a list view.
QString Cell(const QTreeView* view, int row, int column, int role = Qt::DisplayRole);

} // namespace scenes
