#include "dialogs/SETWavePath_Form.h"

#include "app/UiSeam.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>

TForm_SETWavePath::TForm_SETWavePath(UiSeam& seam, QWidget* parent)
    : NameEntryDialog(seam, parent, QStringLiteral("SETWavePath"), QStringLiteral("WavePath :   "),
                      QStringLiteral("ElFolderNameEdit")) {
    setObjectName(QStringLiteral("Form_SETWavePath"));

    Browse = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), QString(), this);
    Browse->setObjectName(QStringLiteral("ElFolderNameEdit_Browse"));
    Browse->setToolTip(QStringLiteral("Browse"));
    Browse->setAutoDefault(false);
    EntryRow()->addWidget(Browse, 0, 2);
    connect(Browse, &QPushButton::clicked, this, &TForm_SETWavePath::BrowseFolder);

    UpdateOkButton();
}

void TForm_SETWavePath::BrowseFolder() {
    // Start where the entry points when it is a folder, else at the desktop.
    QString start = Folder();
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString chosen = Seam.ChooseFolder(this, windowTitle(), start);
    if (!chosen.isEmpty())
        SetFolder(QDir::toNativeSeparators(chosen));
}

bool TForm_SETWavePath::EntryAcceptable(const QString& text) const {
    return !text.isEmpty() && QFileInfo(text).isDir();
}
