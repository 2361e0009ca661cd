// The views as functions of the model: the bin view with its markers, header line and totals
// (ElTvProjectClick), and the playlist view with its wave check, header line and totals
// (ElTree_PlayListClick). Both views read their rows from the model; the refreshes decide what is
// shown and tell the views to repaint.

#include "app/MainForm.h"

#include "formats/WaveInspector.h"
#include "views/BinVoiceModel.h"
#include "views/ListViewColumns.h"
#include "views/PlayListModel.h"

#include <QLabel>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <unordered_set>

using orlamo::views::FromCore;
using orlamo::views::Kilobytes;

void TFormMain::ElTvProjectClick() {
    const std::optional<int> position = SelectedLibraryPosition();
    if (!position)
        return;
    ClearVoiceList(VoiceListKind::Archive);
    if (*position == 0 || *position - 1 >= TheLibrary.BinCount()) {
        // The archive node: nothing to show, and neither view changes its visibility.
        SetBinViewActive(false);
        SetHeaderText(QString());
        ClearTotals();
        return;
    }
    const int bin = *position - 1;
    SetBinViewActive(true);
    ShowBinView();
    BinModel->ShowBin(bin, MarkVoicesInPlayList(bin));

    const orlamo::Bin& shown = TheLibrary.BinAt(bin);
    qint64 kilobytes = 0;
    for (const orlamo::WAVE_DPTR& voice : shown.Voices)
        kilobytes += Kilobytes(voice.DataSize);
    SetHeaderText(QStringLiteral("Bin Name = ") + FromCore(shown.Name));
    ShowTotals(static_cast<int>(shown.Voices.size()), kilobytes);
}

std::vector<bool> TFormMain::MarkVoicesInPlayList(int binPosition) {
    std::vector<orlamo::WAVE_DPTR>& voices = TheLibrary.BinAt(binPosition).Voices;
    std::vector<bool> markers(voices.size(), false);
    if (!ThePlayList) {
        for (orlamo::WAVE_DPTR& voice : voices)
            voice.InPlayList = 0;
        return markers;
    }
    // A voice is in the playlist when some slot has exactly its full path. An empty slot has an
    // empty path, so a voice without a path matches it, as a slot-by-slot comparison would.
    std::unordered_set<std::string_view> slotPaths;
    slotPaths.reserve(ThePlayList->AllSlots().size());
    for (const orlamo::WAVE_DPTR& slot : ThePlayList->AllSlots())
        slotPaths.insert(slot.FullPath);
    for (std::size_t i = 0; i < voices.size(); ++i) {
        if (slotPaths.count(voices[i].FullPath) != 0) {
            voices[i].InPlayList = 1;
            markers[i] = true;
        }
    }
    return markers;
}

void TFormMain::ElTree_PlayListClick() {
    if (!ThePlayList || PlayListNodeCount() == 0) {
        SetBinViewActive(true);
        return;
    }
    SetBinViewActive(false);
    ShowPlayListView();
    SetPlayListViewEnabled(true);
    // Each run reports and empties one slot, so every bad slot gets its own box, in slot order.
    while (ThePlayList && !CheckPlayListFiles()) {
    }
    if (!ThePlayList)
        return;
    SetHeaderText(QStringLiteral("Play List Name = ") + FromCore(ThePlayList->Name));
    ShowTotals(ThePlayList->UsedSlotCount(), ThePlayList->KilobyteTotal());
}

void TFormMain::FillPlayListView() {
    PlayListRows->FillRows();
}

bool TFormMain::CheckPlayListFiles() {
    if (!ThePlayList)
        return true;
    const int slotCount = static_cast<int>(ThePlayList->AllSlots().size());
    for (int number = 1; number <= slotCount; ++number) {
        const orlamo::WAVE_DPTR& slot = ThePlayList->Slot(number);
        if (slot.FullPath.empty())
            continue;
        QString report;
        std::error_code error;
        // A folder, or anything else that is not a plain file, counts as missing.
        if (!std::filesystem::is_regular_file(slot.FullPath, error)) {
            report = QStringLiteral("Not Found ") + FromCore(slot.FileName);
        } else {
            // A wave the inspector refuses could not be compiled: report it and take it out too.
            const orlamo::WaveInspection inspection = orlamo::InspectWaveFile(slot.FullPath);
            if (inspection.Accepted())
                continue;
            report = FromCore(slot.FileName) + QStringLiteral(": ") + FromCore(inspection.Message) +
                     QStringLiteral("\n\n") + FromCore(orlamo::SupportedFormatText());
        }
        ShowTextMessage(report, QStringLiteral("ERROR"), MessageButtons::Ok, MessageIcon::Warning);
        if (ThePlayList && number <= static_cast<int>(ThePlayList->AllSlots().size())) {
            orlamo::ResetVoice(ThePlayList->Slot(number));
            PlayListRows->SlotChanged(number);
        }
        return false;
    }
    return true;
}

void TFormMain::LView_PLClick() {
    if (!PlayListNodeSelected())
        return;
    if (!BinViewActiveFlag && ThePlayList) {
        const QList<int> rows = SelectedRows(VoiceListKind::PlayList);
        if (!rows.isEmpty())
            ThePlayList->NextSlot = rows.first() + 1;
    }
    SetBinViewActive(false);
}
