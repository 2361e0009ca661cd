#pragma once
// TFormMain: the editor's one window. It owns every piece of state of a run.

#include <QMainWindow>

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(QWidget* parent = nullptr);
};
