#include "views/BinVoiceModel.h"

#include "views/ListViewColumns.h"

#include <QPixmap>

using namespace orlamo::views;

BinVoiceModel::BinVoiceModel(const orlamo::Library& library, QIcon inPlayListMarker,
                             QObject* parent)
    : QAbstractTableModel(parent), Library(library), Marker(std::move(inPlayListMarker)) {
    QPixmap empty(16, 16);
    empty.fill(Qt::transparent);
    Blank = QIcon(empty);
}

void BinVoiceModel::ShowBin(int binPosition, std::vector<bool> markers) {
    beginResetModel();
    BinPosition = binPosition;
    Rows = (binPosition >= 0 && binPosition < Library.BinCount())
               ? static_cast<int>(Library.BinAt(binPosition).Voices.size())
               : 0;
    Markers = std::move(markers);
    Markers.resize(static_cast<std::size_t>(Rows), false);
    endResetModel();
}

void BinVoiceModel::Clear() {
    beginResetModel();
    BinPosition = -1;
    Rows = 0;
    Markers.clear();
    endResetModel();
}

const orlamo::WAVE_DPTR* BinVoiceModel::VoiceAt(int row) const {
    // The rows were counted when the bin was shown; a command may have changed the bin since
    // and will refresh the view, so every read checks the bin as it is now.
    if (BinPosition < 0 || BinPosition >= Library.BinCount() || row < 0 || row >= Rows)
        return nullptr;
    const auto& voices = Library.BinAt(BinPosition).Voices;
    if (row >= static_cast<int>(voices.size()))
        return nullptr;
    return &voices[static_cast<std::size_t>(row)];
}

bool BinVoiceModel::Marked(int row) const {
    return row >= 0 && row < static_cast<int>(Markers.size()) &&
           Markers[static_cast<std::size_t>(row)];
}

void BinVoiceModel::SetMarked(int row, bool marked) {
    if (row < 0 || row >= static_cast<int>(Markers.size()) ||
        Markers[static_cast<std::size_t>(row)] == marked)
        return;
    Markers[static_cast<std::size_t>(row)] = marked;
    const QModelIndex cell = index(row, ColIndex);
    emit dataChanged(cell, cell, {Qt::DecorationRole, Qt::ToolTipRole});
}

void BinVoiceModel::VoicesChanged() {
    if (Rows > 0)
        emit dataChanged(index(0, 0), index(Rows - 1, ColumnCount - 1));
}

int BinVoiceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Rows;
}

int BinVoiceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BinVoiceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = index.row();
    if (role == Qt::BackgroundRole)
        return RowBackground(row);
    const orlamo::WAVE_DPTR* voice = VoiceAt(row);
    if (!voice)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        switch (index.column()) {
        case ColIndex:
            return QString::number(row + 1);
        case ColFileName:
            return FromCore(voice->FileName);
        case ColName:
            return FromCore(voice->VoiceName);
        case ColTime:
            return FromCore(voice->PlayTime);
        case ColSize:
            return voice->DataSize == 0 ? QString() : QString::number(Kilobytes(voice->DataSize));
        case ColDescription:
            return FromCore(voice->Descripition);
        default:
            return {};
        }
    }
    if (index.column() == ColIndex) {
        // Every row keeps the picture's room, so that the numbers line up whether marked or not.
        if (role == Qt::DecorationRole)
            return Marked(row) ? Marker : Blank;
        if (Marked(row) && (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole))
            return QStringLiteral("In the playlist");
    }
    return {};
}

QVariant BinVoiceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return ColumnCaption(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags BinVoiceModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
