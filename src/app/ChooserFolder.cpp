#include "app/ChooserFolder.h"

#include <QDir>
#include <QFileInfo>

QString ChooserStartFolder(std::initializer_list<QString> files) {
    for (const QString& file : files) {
        if (file.isEmpty())
            continue;
        const QString folder = QFileInfo(file).absolutePath();
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}
