#include "support/TestHelpers.h"

#include "views/ListViewColumns.h"

#include <QAction>
#include <QFile>
#include <QTreeView>

namespace scenes {

bool Trigger(TFormMain& window, const char* name) {
    window.UpdateActions();
    QAction* action = window.Action(QString::fromLatin1(name));
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

QByteArray FileBytes(const QString& path) {
    if (path.isEmpty())
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList BinNames(const TFormMain& window) {
    QStringList names;
    for (const orlamo::Bin& bin : window.Library().AllBins())
        names.append(orlamo::views::FromCore(bin.Name));
    return names;
}

QString Cell(const QTreeView* view, int row, int column, int role) {
    return view->model()->index(row, column).data(role).toString();
}

} // namespace scenes
