// What the playlist means on the module, answered in the editor: the capacity meter beside the
// totals, Export Slot Map, Check PlayList, and previews of slots as the module will play them
// (Play Wave on a slot, Play From Here, Stop).

#include "app/MainForm.h"

#include "app/AudioOutput.h"
#include "app/ChooserFolder.h"
#include "dialogs/CheckPlayList_Form.h"
#include "extras/Capacity.h"
#include "extras/Completeness.h"
#include "extras/SlotMap.h"
#include "extras/SlotPreview.h"
#include "views/ListViewColumns.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QStatusBar>
#include <algorithm>

using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
const QString SlotMapFilter = QStringLiteral("CSV File(*.csv);;C Header(*.h)");
const QString CsvSuffix = QStringLiteral("csv");
const QString HeaderSuffix = QStringLiteral("h");
// The bar turns red once the playlist holds more than the module takes.
const QString OverBudgetStyle =
    QStringLiteral("QProgressBar { color: #b71c1c; font-weight: bold; }"
                   " QProgressBar::chunk { background-color: #d32f2f; }");
// Wide enough for the longest text the meter shows, over budget.
const QString WidestMeterText =
    QStringLiteral("999,999,999 / 1,000,000 bytes (99999.9 %), over by 999,999,999 bytes "
                   "(about 99999.99 s)");
constexpr int MeterMinimumWidth = 260;

QString SoundErrorCaption() {
    return QStringLiteral("ERROR");
}
} // namespace

// ---- The capacity meter -------------------------------------------------------------------------

void TFormMain::BuildCapacityMeter() {
    CapacityMeter = new QProgressBar(statusBar());
    CapacityMeter->setObjectName(QStringLiteral("CapacityMeter"));
    CapacityMeter->setAccessibleName(QStringLiteral("Capacity"));
    CapacityMeter->setRange(0, static_cast<int>(orlamo::WorkFileSizeLimit));
    CapacityMeter->setTextVisible(true);
    CapacityMeter->setAlignment(Qt::AlignCenter);
    CapacityMeter->setMinimumWidth(MeterMinimumWidth);
    CapacityMeter->setMaximumWidth(CapacityMeter->fontMetrics().horizontalAdvance(WidestMeterText));
    CapacityMeter->setVisible(false);
    statusBar()->addPermanentWidget(CapacityMeter, 1);
}

void TFormMain::ShowCapacity() {
    if (!CapacityMeter)
        return;
    if (!ThePlayList) {
        CapacityMeter->setVisible(false);
        return;
    }
    const orlamo::PlayListCapacity capacity = orlamo::CapacityFigures(*ThePlayList);
    CapacityMeter->setMaximum(static_cast<int>(capacity.Budget));
    CapacityMeter->setValue(static_cast<int>(
        std::min<std::int64_t>(capacity.Used, static_cast<std::int64_t>(capacity.Budget))));
    // The text holds "%" only before ")", never as one of the bar's placeholders (%p, %v, %m).
    const QString text = FromCore(capacity.Text);
    CapacityMeter->setFormat(text);
    CapacityMeter->setToolTip(text);
    const bool over = capacity.IsOver();
    if (CapacityMeter->property("over").toBool() != over) {
        CapacityMeter->setProperty("over", over);
        CapacityMeter->setStyleSheet(over ? OverBudgetStyle : QString());
    }
    CapacityMeter->setVisible(true);
}

// ---- Export Slot Map and Check PlayList ---------------------------------------------------------

void TFormMain::ActPL_ExportSlotMapExecute() {
    if (!ThePlayList)
        return;
    QString proposed = FileDialogs.SaveDialogSlotMap;
    if (proposed.isEmpty() && !PlayListPath.isEmpty()) {
        const QFileInfo playList(PlayListPath);
        proposed = playList.dir().filePath(playList.completeBaseName() + QStringLiteral(".csv"));
    }
    const QString path = Seam().ChooseFile(
        this, FileDialogRequest{QStringLiteral("SaveDialogSlotMap"),
                                QStringLiteral("Export Slot Map"), SlotMapFilter, CsvSuffix,
                                ChooserStartFolder({proposed, PlayListPath, CurrentArchivePath()}),
                                proposed, true});
    if (path.isEmpty())
        return;
    FileDialogs.SaveDialogSlotMap = path;
    if (QFileInfo::exists(path) &&
        ShowResMessage(orlamo::MessageId::CoverFile, orlamo::MessageId::Warning,
                       MessageButtons::YesNo, MessageIcon::Question) != orlamo::ButtonResult::Yes)
        return;
    const orlamo::SlotMapFormat format =
        QFileInfo(path).suffix().compare(HeaderSuffix, Qt::CaseInsensitive) == 0
            ? orlamo::SlotMapFormat::CHeader
            : orlamo::SlotMapFormat::Csv;
    const std::string error =
        orlamo::ExportSlotMap(ToCore(path), orlamo::MakeSlotMap(*ThePlayList, &TheLibrary), format);
    if (!error.empty())
        ShowTextMessage(
            QStringLiteral("The slot map %1 was not written.\n\n%2").arg(path, FromCore(error)),
            FromCore(orlamo::ResString(orlamo::MessageId::Warning)), MessageButtons::Ok,
            MessageIcon::Warning);
}

void TFormMain::ActPL_CheckPlayListExecute() {
    if (!ThePlayList)
        return;
    if (!CheckPlayListForm)
        CheckPlayListForm = new TForm_CheckPlayList(this);
    CheckPlayListForm->ShowReport(FromCore(ThePlayList->Name),
                                  orlamo::CheckPlayList(*ThePlayList, &TheLibrary));
    Seam().ExecDialog(*CheckPlayListForm);
}

// ---- Previews -----------------------------------------------------------------------------------

void TFormMain::SetAudioOutput(std::unique_ptr<AudioOutput> output) {
    if (AudioPtr)
        AudioPtr->Stop();
    WaitingSlots.clear();
    AudioPtr = std::move(output);
    connect(AudioPtr.get(), &AudioOutput::Finished, this,
            [this] { RunGuarded([this] { PreviewFinished(); }); });
    UpdateActions();
}

bool TFormMain::Playing() const {
    return (AudioPtr && AudioPtr->IsPlaying()) || !WaitingSlots.isEmpty();
}

bool TFormMain::PlaySlots(const QList<int>& slotNumbers) {
    StopPlaying();
    if (!Audio().IsAvailable()) {
        ShowTextMessage(QStringLiteral("No sound output device is available: the slot cannot be "
                                       "played."),
                        SoundErrorCaption(), MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    WaitingSlots = slotNumbers;
    const bool started = PlayNextSlot();
    UpdateActions();
    return started;
}

bool TFormMain::PlayNextSlot() {
    while (!WaitingSlots.isEmpty()) {
        const int number = WaitingSlots.takeFirst();
        if (!ThePlayList || number < 1 || number > orlamo::PlayListSlots)
            continue;
        // A slot emptied while the ones before it played is passed over.
        if (ThePlayList->Slot(number).FileName.empty())
            continue;
        const orlamo::SlotPreview preview = orlamo::PreviewSlot(*ThePlayList, number);
        if (!preview.Ok) {
            WaitingSlots.clear();
            ShowTextMessage(FromCore(preview.Message), SoundErrorCaption(), MessageButtons::Ok,
                            MessageIcon::Warning);
            return false;
        }
        const QByteArray bytes(reinterpret_cast<const char*>(preview.Bytes.data()),
                               static_cast<qsizetype>(preview.Bytes.size()));
        const QString error = Audio().Play(
            bytes, SlotAudioFormat(static_cast<int>(preview.SampleRate), preview.Bits));
        if (!error.isEmpty()) {
            WaitingSlots.clear();
            ShowTextMessage(QStringLiteral("Slot %1 cannot be played: %2.").arg(number).arg(error),
                            SoundErrorCaption(), MessageButtons::Ok, MessageIcon::Warning);
            return false;
        }
        return true;
    }
    return false;
}

void TFormMain::PreviewFinished() {
    if (!WaitingSlots.isEmpty())
        PlayNextSlot();
    UpdateActions();
}

void TFormMain::StopPlaying() {
    WaitingSlots.clear();
    if (AudioPtr)
        AudioPtr->Stop();
    UpdateActions();
}

void TFormMain::ActPL_PlayFromHereExecute() {
    if (!ThePlayList)
        return;
    const QList<int> rows = SelectedRows(VoiceListKind::PlayList);
    const int first = rows.isEmpty() ? 1 : rows.first() + 1;
    QList<int> occupied;
    for (int number = first; number <= orlamo::PlayListSlots; ++number)
        if (!ThePlayList->Slot(number).FileName.empty())
            occupied.append(number);
    if (occupied.isEmpty()) {
        ShowTextMessage(QStringLiteral("No slot from slot %1 on holds a voice.").arg(first),
                        FromCore(orlamo::ResString(orlamo::MessageId::Warning)), MessageButtons::Ok,
                        MessageIcon::Warning);
        return;
    }
    PlaySlots(occupied);
}

void TFormMain::ActTool_StopPlayingExecute() {
    StopPlaying();
}
