#include "views/PlayListModel.h"

#include "views/ListViewColumns.h"

using namespace orlamo::views;

PlayListModel::PlayListModel(const std::optional<orlamo::PlayList>& playList, QObject* parent)
    : QAbstractTableModel(parent), PlayList(playList) {}

void PlayListModel::FillRows() {
    beginResetModel();
    Rows = PlayList ? static_cast<int>(PlayList->AllSlots().size()) : 0;
    endResetModel();
}

void PlayListModel::Clear() {
    beginResetModel();
    Rows = 0;
    endResetModel();
}

const orlamo::WAVE_DPTR* PlayListModel::SlotAt(int row) const {
    if (!PlayList || row < 0 || row >= Rows)
        return nullptr;
    const auto& allSlots = PlayList->AllSlots();
    if (row >= static_cast<int>(allSlots.size()))
        return nullptr;
    return &allSlots[static_cast<std::size_t>(row)];
}

void PlayListModel::SlotChanged(int slotNumber) {
    const int row = slotNumber - 1;
    if (row >= 0 && row < Rows)
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void PlayListModel::SlotsChanged() {
    if (Rows > 0)
        emit dataChanged(index(0, 0), index(Rows - 1, ColumnCount - 1));
}

int PlayListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Rows;
}

int PlayListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PlayListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = index.row();
    if (role == Qt::BackgroundRole)
        return RowBackground(row);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (index.column() == ColIndex)
        return QString::number(row + 1);
    const orlamo::WAVE_DPTR* slot = SlotAt(row);
    // An empty slot's row shows only its number.
    if (!slot || orlamo::IsEmptySlot(*slot))
        return QString();
    switch (index.column()) {
    case ColFileName:
        return FromCore(slot->FileName);
    case ColName:
        return FromCore(slot->VoiceName);
    case ColTime:
        return FromCore(slot->PlayTime);
    case ColSize:
        return QString::number(Kilobytes(slot->DataSize));
    case ColDescription:
        return FromCore(slot->Descripition);
    default:
        return {};
    }
}

QVariant PlayListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return ColumnCaption(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags PlayListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
