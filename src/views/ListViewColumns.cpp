#include "views/ListViewColumns.h"

#include <array>

namespace orlamo::views {

namespace {
struct ColumnInfo {
    const char* Caption;
    int Width;
};
constexpr std::array<ColumnInfo, ColumnCount> Columns{{
    {"Index", 0},
    {"File Name", 120},
    {"Name", 120},
    {"Time (Sec)", 80},
    {"Size (KB)", 80},
    {"Description", 160},
}};
} // namespace

QString ColumnCaption(int column) {
    if (column < 0 || column >= ColumnCount)
        return {};
    return QString::fromLatin1(Columns[static_cast<std::size_t>(column)].Caption);
}

int ColumnWidth(int column) {
    if (column < 0 || column >= ColumnCount)
        return 0;
    return Columns[static_cast<std::size_t>(column)].Width;
}

QColor RowBackground(int row) {
    return row % 2 == 1 ? QColor(239, 239, 239) : QColor(Qt::white);
}

} // namespace orlamo::views
