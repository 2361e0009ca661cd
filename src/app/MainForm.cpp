#include "app/MainForm.h"

TFormMain::TFormMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TFormMain"));
    setWindowTitle(QStringLiteral("Orlamo"));
    resize(800, 560);
}
