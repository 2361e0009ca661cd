#include "support/WindowScenes.h"

#include "views/ListViewColumns.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>
#include <algorithm>

namespace scenes {

using orlamo::views::ToCore;

orlamo::WAVE_DPTR Voice(const QString& fileName, std::uint32_t dataSize, const QString& fullPath,
                        const QString& name, const QString& description, const QString& playTime) {
    orlamo::WAVE_DPTR voice;
    voice.FileName = ToCore(fileName);
    voice.DataSize = dataSize;
    voice.FullPath = ToCore(fullPath);
    voice.VoiceName = ToCore(name);
    voice.Descripition = ToCore(description);
    voice.PlayTime = ToCore(playTime);
    return voice;
}

void OpenArchive(TFormMain& window, const QString& archiveName, const std::vector<BinSpec>& bins) {
    window.Library().Clear();
    window.Library().SetArchiveNode(ToCore(archiveName));
    for (const BinSpec& bin : bins)
        window.Library().AddBin(ToCore(bin.Name), bin.Voices);
    window.RebuildLibraryTree();
}

orlamo::WAVE_DPTR WaveVoice(GuiFixture& fixture, const QString& fileName, std::uint32_t dataSize,
                            const QString& name) {
    const QString path =
        fixture.WriteWave(QStringLiteral("Wave/") + fileName, dataSize, 22050, 16, 1);
    orlamo::WAVE_DPTR voice = Voice(fileName, dataSize, path, name);
    voice.FormatCode = 0x50000000u;
    return voice;
}

void OpenPlayList(TFormMain& window, const QString& name,
                  const std::vector<std::pair<int, orlamo::WAVE_DPTR>>& occupied) {
    orlamo::PlayList list(ToCore(name));
    for (const auto& [number, record] : occupied) {
        list.Slot(number) = record;
        list.Slot(number).SlotNumber = number;
    }
    window.AddPlayListNode(std::move(list));
    window.ShowPlayListView();
    window.FillPlayListView();
    window.SetBinViewActive(false);
    window.ElTree_PlayListClick();
}

void ClickLibraryNode(TFormMain& window, int position) {
    window.SelectLibraryNode(position);
    window.ElTvProjectClick();
}

void ClickPlayListNode(TFormMain& window) {
    window.SelectPlayListNode(true);
    window.ElTree_PlayListClick();
}

void OpenListPopup(TFormMain& window) {
    emit window.ElPMenu_SG->aboutToShow();
}

QStringList EnabledActions(const TFormMain& window) {
    QStringList names;
    for (const QAction* action : window.CommandActions)
        if (action->isEnabled())
            names.append(action->objectName());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace scenes
