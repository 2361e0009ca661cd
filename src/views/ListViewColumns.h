#pragma once
// What the bin view and the playlist view share: their six columns, the row colours and the way a
// size is shown ("KB" is 1000 bytes, each voice rounded down on its own).

#include <QColor>
#include <QString>
#include <cstdint>
#include <string>

namespace orlamo::views {

enum Column { ColIndex, ColFileName, ColName, ColTime, ColSize, ColDescription, ColumnCount };

// The column's caption as the header shows it.
QString ColumnCaption(int column);
// The column's width in pixels; 0 for the list's default width.
int ColumnWidth(int column);

// Rows 0, 2, 4 ... are white, rows 1, 3, 5 ... light grey, whatever their content or selection.
QColor RowBackground(int row);

// A voice's size in whole kilobytes of 1000 bytes, rounded down.
inline std::int64_t Kilobytes(std::uint32_t bytes) {
    return bytes / 1000;
}

// Core texts are 8-bit strings in the system's code page; the views show them as QStrings.
inline QString FromCore(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToCore(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace orlamo::views
