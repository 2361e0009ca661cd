#pragma once
// The bin view's rows: the voices of one bin of the library, in voice-list order, read from the
// library itself. The window shows a bin with ShowBin() and empties the view with Clear(); the
// in-playlist markers are computed by the window's refresh and handed in. Marked() says which
// rows show the marker; the others show a blank picture of the same size.

#include "model/Library.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

class BinVoiceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    BinVoiceModel(const orlamo::Library& library, QIcon inPlayListMarker,
                  QObject* parent = nullptr);

    // Shows the bin at child position binPosition; markers[i] says whether row i shows the
    // in-playlist marker (missing entries show none).
    void ShowBin(int binPosition, std::vector<bool> markers);
    // Removes every row; no bin is shown.
    void Clear();

    // The bin shown, or -1.
    int ShownBin() const { return BinPosition; }
    // The voice behind a row; nullptr when the row or the bin no longer exists.
    const orlamo::WAVE_DPTR* VoiceAt(int row) const;
    bool Marked(int row) const;
    // Shows or hides one row's marker (Add To PlayList marks rows before the next refresh).
    void SetMarked(int row, bool marked);
    // Tells the view that the voices' texts changed without rows coming or going.
    void VoicesChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const orlamo::Library& Library;
    QIcon Marker;
    QIcon Blank; // the room of the marker on a row without it
    int BinPosition = -1;
    int Rows = 0;
    std::vector<bool> Markers;
};
