#include "app/MainForm.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orlamo"));
    TFormMain window;
    window.show();
    return QApplication::exec();
}
