#pragma once
// The completeness report of the open playlist, shown before a compile would find out: one row per
// finding with its kind, the slots concerned and what is wrong; the findings that would stop the
// compile come first and are marked. "No problems found." when there are none.

#include "extras/Completeness.h"

#include <QDialog>
#include <QString>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

class TForm_CheckPlayList : public QDialog {
    Q_OBJECT
public:
    explicit TForm_CheckPlayList(QWidget* parent = nullptr);

    // Column of the findings list.
    enum Column { ColKind, ColSlots, ColStopsCompile, ColMessage, ColumnCount };

    // Fills the dialog with the report on the playlist of this name.
    void ShowReport(const QString& playListName, const orlamo::CompletenessReport& report);

    QTreeWidget* FindingsList() const { return Findings; }
    // The line above the list: the playlist and the count of findings, or "No problems found.".
    QString SummaryText() const;

    // "Missing", "Size changed", ...: the kind as the list names it.
    static QString KindCaption(orlamo::FindingKind kind);
    // Slot numbers with runs of three or more joined: {3, 4, 5, 8, 9} gives "3-5, 8, 9".
    static QString SlotsText(const std::vector<int>& numbers);

private:
    QLabel* Summary = nullptr;
    QTreeWidget* Findings = nullptr;
    QPushButton* ElGB_OK = nullptr;
};
