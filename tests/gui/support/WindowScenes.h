#pragma once
// Small scenes for GUI tests: an archive made in memory and shown in the library tree, a
// playlist made in memory whose voices have real wave files, clicks on nodes and rows.

#include "app/MainForm.h"
#include "support/GuiFixture.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <vector>

namespace scenes {

// A voice record with these fields; the rest as a new record has them.
orlamo::WAVE_DPTR Voice(const QString& fileName, std::uint32_t dataSize,
                        const QString& fullPath = QString(), const QString& name = QString(),
                        const QString& description = QString(),
                        const QString& playTime = QString());

// Makes the window's library: archive `archiveName` with these bins, and rebuilds the tree.
struct BinSpec {
    QString Name;
    std::vector<orlamo::WAVE_DPTR> Voices;
};
void OpenArchive(TFormMain& window, const QString& archiveName, const std::vector<BinSpec>& bins);

// A voice whose wave file exists in the fixture's wave folder (22050 Hz, 16-bit mono).
orlamo::WAVE_DPTR WaveVoice(GuiFixture& fixture, const QString& fileName, std::uint32_t dataSize,
                            const QString& name = QString());

// Opens a playlist as the Open command leaves it: node added, rows filled, refresh run.
// `occupied` maps slot numbers (1 to 245) to records.
void OpenPlayList(TFormMain& window, const QString& name,
                  const std::vector<std::pair<int, orlamo::WAVE_DPTR>>& occupied);

// Selects a library node by absolute position and runs the click handler, as a click would.
void ClickLibraryNode(TFormMain& window, int position);
// Selects the playlist node and runs the playlist tree's click handler.
void ClickPlayListNode(TFormMain& window);
// Opens the list popup's judgement (ElPMenu_SGPopup and the rules) as opening the popup does.
void OpenListPopup(TFormMain& window);

// The names of the enabled command actions, sorted.
QStringList EnabledActions(const TFormMain& window);

} // namespace scenes
