#pragma once
// The playlist view's rows: one per slot of the open playlist, read from the playlist itself, so
// a row always shows its slot as it is. FillRows() brings the 245 rows in, Clear() takes them out;
// commands that change slots say so with SlotChanged() or SlotsChanged().

#include "model/PlayList.h"

#include <QAbstractTableModel>
#include <optional>

class PlayListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PlayListModel(const std::optional<orlamo::PlayList>& playList,
                           QObject* parent = nullptr);

    // Removes every row and adds one per slot of the open playlist (none when no playlist is open).
    void FillRows();
    void Clear();
    bool Filled() const { return Rows > 0; }

    // The slot behind a row (row r shows slot r + 1); nullptr when there is none.
    const orlamo::WAVE_DPTR* SlotAt(int row) const;
    void SlotChanged(int slotNumber);
    void SlotsChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const std::optional<orlamo::PlayList>& PlayList;
    int Rows = 0;
};
