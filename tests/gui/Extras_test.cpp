// The editor's answers to what a playlist means on the module: the capacity meter at the budget's
// edges and after the commands that change slots, Export Slot Map through the seam, the Check
// PlayList dialog, Convert... on import in the add-voice loop, and slot previews played through a
// fake sound output. With ORLAMO_SCREENSHOT set to a file name, the example playlist's meter and
// its Check PlayList dialog are saved as one picture.

#include "app/AudioOutput.h"
#include "app/MainForm.h"
#include "convert/WaveConvert.h"
#include "dialogs/AddVoiceSlice_Form.h"
#include "dialogs/CheckPlayList_Form.h"
#include "dialogs/ConvertWave_Form.h"
#include "extras/Capacity.h"
#include "extras/Completeness.h"
#include "extras/SlotMap.h"
#include "extras/SlotPreview.h"
#include "formats/PlayListFile.h"
#include "formats/WaveInspector.h"
#include "formats/WorkFile.h"
#include "model/Messages.h"
#include "support/FakeAudioOutput.h"
#include "support/GuiFixture.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"
#include "support/WindowScenes.h"
#include "views/ListViewColumns.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTreeWidget>

using namespace scenes;
using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {
const QString Examples = QStringLiteral(ORLAMO_EXAMPLES);

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray Bytes(const std::vector<unsigned char>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

QString Res(int id) {
    return FromCore(orlamo::ResString(id));
}

FakeAudioOutput& InstallFakeAudio(TFormMain& window) {
    auto fake = std::make_unique<FakeAudioOutput>();
    FakeAudioOutput& installed = *fake;
    window.SetAudioOutput(std::move(fake));
    return installed;
}

QString MeterText(const TFormMain& window) {
    return window.CapacityMeter->text();
}

// A voice with its wave in the wave folder, measured as the archive reader measures it.
orlamo::WAVE_DPTR MeasuredVoice(GuiFixture& fixture, const QString& fileName,
                                std::uint32_t dataSize) {
    orlamo::WAVE_DPTR voice = WaveVoice(fixture, fileName, dataSize);
    voice.PlayTime = orlamo::FormatPlayTime(2, dataSize / orlamo::TimeDivisor(5));
    return voice;
}

// The refusal box of a wave, as the add-voice dialog shows it.
QString RefusalText(const QString& path) {
    const orlamo::WaveInspection inspection = orlamo::InspectWaveFile(ToCore(path));
    return FromCore(inspection.Message) + QStringLiteral("\n\n") +
           FromCore(orlamo::SupportedFormatText());
}

// A bin "Doors" holding one voice, selected, with the bin view shown.
void OneBinShown(GuiFixture& fixture, TFormMain& window) {
    OpenArchive(window, QStringLiteral("Station"),
                {{QStringLiteral("Doors"), {WaveVoice(fixture, QStringLiteral("bell.wav"), 400)}}});
    ClickLibraryNode(window, 1);
}

// A wave whose data chunk announces `dataSize` bytes, made as a sparse file of that length.
void WriteSparseWave(const QString& path, std::uint32_t dataSize) {
    using namespace orlamo::test;
    WriteBytes(ToCore(path), "RIFF" + Le32(36 + dataSize) + "WAVE" +
                                 Chunk("fmt ", FmtBody(1, 22050, 16)) + "data" + Le32(dataSize));
    QFile(path).resize(44 + qint64{dataSize});
}
} // namespace

class ExtrasTest : public QObject {
    Q_OBJECT
private slots:
    void meterAtTheBudgetsEdges_data();
    void meterAtTheBudgetsEdges();
    void meterFollowsTheCommands();

    void exportSlotMap_data();
    void exportSlotMap();
    void exportSlotMapFailureIsShown();

    void checkPlayListListsEveryFinding();
    void checkPlayListWithoutProblems();
    void slotRunsAreJoined();

    void convertOnImport_data();
    void convertOnImport();
    void convertCancelledOrFailing();
    void onlyFormatRefusalsOfferConvert();

    void playWavePlaysTheModulesBytes();
    void playFromHerePlaysOccupiedSlotsInOrder();
    void stopEndsPlayback();
    void noSoundOutputIsReported();

    void screenshot();
};

// ---- Capacity meter -----------------------------------------------------------------------------

void ExtrasTest::meterAtTheBudgetsEdges_data() {
    QTest::addColumn<quint32>("second"); // data size of the second voice; the first holds 600,000
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("over");

    QTest::newRow("one byte within")
        << quint32(399'999) << QStringLiteral("999,999 / 1,000,000 bytes (99.9 %)") << 999'999
        << false;
    QTest::newRow("exactly the budget")
        << quint32(400'000) << QStringLiteral("1,000,000 / 1,000,000 bytes (100.0 %)") << 1'000'000
        << false;
    // One byte of 22,050 Hz 16-bit sound is the better part of a hundredth of a second.
    QTest::newRow("one byte over")
        << quint32(400'001)
        << QStringLiteral("1,000,001 / 1,000,000 bytes (100.0 %), over by 1 byte (about 0.01 s)")
        << 1'000'000 << true;
}

void ExtrasTest::meterAtTheBudgetsEdges() {
    QFETCH(quint32, second);
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(bool, over);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    QProgressBar* meter = window.findChild<QProgressBar*>(QStringLiteral("CapacityMeter"));
    QCOMPARE(meter, window.CapacityMeter);
    QVERIFY(meter->isHidden());

    OpenArchive(window, QStringLiteral("Station"), {});
    OpenPlayList(window, QStringLiteral("Full"),
                 {{1, MeasuredVoice(fixture, QStringLiteral("a.wav"), 600'000)},
                  {4, MeasuredVoice(fixture, QStringLiteral("b.wav"), second)}});
    QVERIFY(!meter->isHidden());
    QCOMPARE(meter->text(), text);
    QCOMPARE(meter->maximum(), 1'000'000);
    QCOMPARE(meter->value(), value);
    QCOMPARE(meter->property("over").toBool(), over);
    QCOMPARE(meter->styleSheet().contains(QStringLiteral("#d32f2f")), over);
    // The totals beside it still say what they said.
    QCOMPARE(window.StatusPanelText(2), QStringLiteral("Total Wave = 2"));
    QCOMPARE(window.StatusPanelText(3),
             QStringLiteral("Total Size = %1 KB").arg(600 + second / 1000));
}

// Add To PlayList, Del Voice, Move Wave To and closing the playlist each leave the meter showing
// the playlist as it now is.
void ExtrasTest::meterFollowsTheCommands() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(window, QStringLiteral("Station"),
                {{QStringLiteral("Doors"),
                  {WaveVoice(fixture, QStringLiteral("open.wav"), 3000),
                   WaveVoice(fixture, QStringLiteral("close.wav"), 5000)}}});
    OpenPlayList(window, QStringLiteral("Door"), {});
    QCOMPARE(MeterText(window), QStringLiteral("0 / 1,000,000 bytes (0.0 %)"));

    const auto addToPlayList = [&](int row, const QString& slot) {
        ClickLibraryNode(window, 1);
        window.SelectRows(VoiceListKind::Archive, {row});
        OpenListPopup(window);
        fixture.Seam().OnDialog(QStringLiteral("Form_MoveWaveTo"),
                                ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_WaveIndex"), slot));
        QVERIFY(Trigger(window, "ActVoice_AddToPlayList"));
    };
    addToPlayList(0, QStringLiteral("1"));
    QCOMPARE(MeterText(window), QStringLiteral("3,000 / 1,000,000 bytes (0.3 %)"));
    addToPlayList(1, QStringLiteral("2"));
    QCOMPARE(MeterText(window), QStringLiteral("8,000 / 1,000,000 bytes (0.8 %)"));

    // Slot 1 moved onto slot 2: the voice there leaves the playlist.
    ClickPlayListNode(window);
    window.SelectRows(VoiceListKind::PlayList, {0});
    OpenListPopup(window);
    fixture.Seam().OnDialog(
        QStringLiteral("Form_MoveWaveTo"),
        ScriptedSeam::EnterAndOk(QStringLiteral("ElEdit_WaveIndex"), QStringLiteral("2")));
    QVERIFY(Trigger(window, "ActPL_MoveWaveTo"));
    QCOMPARE(MeterText(window), QStringLiteral("3,000 / 1,000,000 bytes (0.3 %)"));

    window.SelectRows(VoiceListKind::PlayList, {1});
    OpenListPopup(window);
    QVERIFY(Trigger(window, "ActVoice_DelVoice"));
    QCOMPARE(MeterText(window), QStringLiteral("0 / 1,000,000 bytes (0.0 %)"));
    QCOMPARE(window.CapacityMeter->value(), 0);
    QVERIFY(!window.CapacityMeter->isHidden());

    fixture.Seam().ExpectMessage(Res(orlamo::MessageId::SavePlayListPrompt),
                                 orlamo::ButtonResult::No);
    QVERIFY(Trigger(window, "ActPL_DelPlayList"));
    QVERIFY(!window.PlayList());
    QVERIFY(window.CapacityMeter->isHidden());
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
}

// ---- Export Slot Map ----------------------------------------------------------------------------

void ExtrasTest::exportSlotMap_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("header");
    QTest::addColumn<bool>("existing"); // a file is there already
    QTest::addColumn<int>("answer");    // to the overwrite question
    QTest::addColumn<bool>("written");

    QTest::newRow("CSV") << QStringLiteral("station.csv") << false << false << 0 << true;
    QTest::newRow("C header") << QStringLiteral("voices.h") << true << false << 0 << true;
    QTest::newRow("C header, suffix in capitals")
        << QStringLiteral("VOICES.H") << true << false << 0 << true;
    QTest::newRow("over a file, Yes")
        << QStringLiteral("station.csv") << false << true << int(orlamo::ButtonResult::Yes) << true;
    QTest::newRow("over a file, No")
        << QStringLiteral("voices.h") << true << true << int(orlamo::ButtonResult::No) << false;
}

void ExtrasTest::exportSlotMap() {
    QFETCH(QString, fileName);
    QFETCH(bool, header);
    QFETCH(bool, existing);
    QFETCH(int, answer);
    QFETCH(bool, written);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const orlamo::WAVE_DPTR open =
        WaveVoice(fixture, QStringLiteral("open.wav"), 3000, QStringLiteral("Door, open"));
    OpenArchive(window, QStringLiteral("Station"), {{QStringLiteral("Doors"), {open}}});
    OpenPlayList(window, QStringLiteral("Station"),
                 {{2, open}, {5, WaveVoice(fixture, QStringLiteral("bell.wav"), 801)}});
    window.SetCurrentPlayListPath(fixture.Path(QStringLiteral("station.pla")));

    const QString path = fixture.Path(fileName);
    const QByteArray before("kept as it was\n");
    if (existing) {
        fixture.WriteFile(fileName, before);
        fixture.Seam().ExpectMessage(Res(orlamo::MessageId::CoverFile), answer);
    }
    fixture.Seam().QueueFile(QStringLiteral("SaveDialogSlotMap"), path);
    QVERIFY(Trigger(window, "ActPL_ExportSlotMap"));

    QCOMPARE(fixture.Seam().FileRequests.size(), 1);
    const FileDialogRequest& request = fixture.Seam().FileRequests[0];
    QCOMPARE(request.Filter, QStringLiteral("CSV File(*.csv);;C Header(*.h)"));
    QCOMPARE(request.DefaultSuffix, QStringLiteral("csv"));
    QVERIFY(request.Save);
    QCOMPARE(request.FileName, fixture.Path(QStringLiteral("station.csv")));
    QCOMPARE(request.Directory, fixture.Root());
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());

    const orlamo::SlotMap map = orlamo::MakeSlotMap(*window.PlayList(), &window.Library());
    const QByteArray expected = Bytes(orlamo::SlotMapText(
        map, header ? orlamo::SlotMapFormat::CHeader : orlamo::SlotMapFormat::Csv));
    QCOMPARE(FileBytes(path), written ? expected : before);
    if (written)
        QVERIFY(FileBytes(path).contains(header ? "#define VOICE_DOOR__OPEN 2" : "Door, open"));
    // The next export proposes the file chosen now.
    QCOMPARE(window.FileDialogs.SaveDialogSlotMap, path);
}

void ExtrasTest::exportSlotMapFailureIsShown() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OpenArchive(window, QStringLiteral("Station"), {});
    OpenPlayList(window, QStringLiteral("Station"),
                 {{1, WaveVoice(fixture, QStringLiteral("open.wav"), 3000)}});

    // Cancelled: nothing is written and nothing is said.
    fixture.Seam().QueueFile(QStringLiteral("SaveDialogSlotMap"), QString());
    QVERIFY(Trigger(window, "ActPL_ExportSlotMap"));
    QVERIFY(fixture.Seam().Messages.isEmpty());

    // A folder that is not there: the reason is shown, and no file appears.
    const QString path = fixture.Path(QStringLiteral("no such folder/map.csv"));
    const std::string reason = orlamo::ExportSlotMap(
        ToCore(path), orlamo::MakeSlotMap(*window.PlayList()), orlamo::SlotMapFormat::Csv);
    QVERIFY(!reason.empty());
    fixture.Seam().QueueFile(QStringLiteral("SaveDialogSlotMap"), path);
    fixture.Seam().ExpectMessage(
        QStringLiteral("The slot map %1 was not written.\n\n%2").arg(path, FromCore(reason)));
    QVERIFY(Trigger(window, "ActPL_ExportSlotMap"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    QCOMPARE(fixture.Seam().Messages.constLast().Caption, Res(orlamo::MessageId::Warning));
    QVERIFY(!QFileInfo::exists(path));

    // Closed playlist: the command is off.
    window.ClosePlayList();
    window.UpdateActions();
    QVERIFY(!window.ActPL_ExportSlotMap->isEnabled());
    QVERIFY(!window.ActPL_CheckPlayList->isEnabled());
}

// ---- Check PlayList -----------------------------------------------------------------------------

void ExtrasTest::checkPlayListListsEveryFinding() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const auto wave = [&](const QString& name) { return WaveVoice(fixture, name, 320); };
    const orlamo::WAVE_DPTR ok = wave(QStringLiteral("ok.wav"));
    const orlamo::WAVE_DPTR gone = wave(QStringLiteral("gone.wav"));
    const orlamo::WAVE_DPTR stereo = wave(QStringLiteral("stereo.wav"));
    const orlamo::WAVE_DPTR grown = wave(QStringLiteral("grown.wav"));
    const orlamo::WAVE_DPTR huge = wave(QStringLiteral("huge.wav"));
    const orlamo::WAVE_DPTR twice = wave(QStringLiteral("twice.wav"));
    const orlamo::WAVE_DPTR stray = wave(QStringLiteral("stray.wav"));
    OpenArchive(window, QStringLiteral("Station"),
                {{QStringLiteral("All"), {ok, gone, stereo, grown, huge, twice}}});
    OpenPlayList(window, QStringLiteral("Troubled"),
                 {{1, ok},
                  {2, gone},
                  {3, stereo},
                  {5, grown},
                  {6, huge},
                  {8, twice},
                  {9, twice},
                  {10, stray}});
    // The waves change after the playlist was opened and checked.
    QVERIFY(QFile::remove(FromCore(gone.FullPath)));
    fixture.WriteWave(QStringLiteral("Wave/stereo.wav"), 640, 22050, 16, 2);
    fixture.WriteWave(QStringLiteral("Wave/grown.wav"), 960);
    WriteSparseWave(FromCore(huge.FullPath), orlamo::MaxVoiceDataSize + 3);
    window.PlayList()->Slot(6).DataSize = orlamo::MaxVoiceDataSize + 3;

    QStringList kinds;
    QStringList slotTexts;
    QStringList stops;
    QStringList messages;
    QString summary;
    fixture.Seam().OnDialog(QStringLiteral("Form_CheckPlayList"), [&](QDialog& dialog) {
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("FindingsList"));
        if (!list)
            return 0;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            kinds.append(item->text(TForm_CheckPlayList::ColKind));
            slotTexts.append(item->text(TForm_CheckPlayList::ColSlots));
            stops.append(item->text(TForm_CheckPlayList::ColStopsCompile));
            messages.append(item->text(TForm_CheckPlayList::ColMessage));
        }
        summary = static_cast<TForm_CheckPlayList&>(dialog).SummaryText();
        return ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGB_OK"));
    });
    QVERIFY(Trigger(window, "ActPL_CheckPlayList"));
    QCOMPARE(fixture.Seam().DialogsShown, QStringList{QStringLiteral("Form_CheckPlayList")});
    QVERIFY(fixture.Seam().Messages.isEmpty());

    // The compile-stoppers first, then what deserves a look; each with its slots.
    QCOMPARE(kinds, (QStringList{QStringLiteral("Missing"), QStringLiteral("Refused"),
                                 QStringLiteral("Size changed"), QStringLiteral("Too large"),
                                 QStringLiteral("Duplicate"), QStringLiteral("Not in library"),
                                 QStringLiteral("Gap"), QStringLiteral("Gap")}));
    QCOMPARE(slotTexts,
             (QStringList{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("5"),
                          QStringLiteral("6"), QStringLiteral("8, 9"), QStringLiteral("10"),
                          QStringLiteral("4"), QStringLiteral("7")}));
    QCOMPARE(stops,
             (QStringList{QStringLiteral("Yes"), QStringLiteral("Yes"), QStringLiteral("Yes"),
                          QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("No"),
                          QStringLiteral("No"), QStringLiteral("No")}));
    const orlamo::CompletenessReport report =
        orlamo::CheckPlayList(*window.PlayList(), &window.Library());
    QCOMPARE(messages.size(), qsizetype(report.Findings.size()));
    for (qsizetype i = 0; i < messages.size(); ++i)
        QCOMPARE(messages[i], FromCore(report.Findings[static_cast<std::size_t>(i)].Message));
    QCOMPARE(summary, QStringLiteral("Play List Name = Troubled: 8 findings, 4 of which would stop "
                                     "Compile To WrkFile."));
    // Looking changes nothing.
    QVERIFY(!window.PlayListModified());
    QCOMPARE(window.PlayList()->UsedSlotCount(), 8);
}

void ExtrasTest::checkPlayListWithoutProblems() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    const orlamo::WAVE_DPTR ok = WaveVoice(fixture, QStringLiteral("ok.wav"), 320);
    OpenArchive(window, QStringLiteral("Station"), {{QStringLiteral("All"), {ok}}});
    OpenPlayList(window, QStringLiteral("Fine"), {{1, ok}});
    // Opened with the bin view in front, from the Play List menu's entry.
    ClickLibraryNode(window, 1);
    int rows = -1;
    QString summary;
    bool listShown = true;
    fixture.Seam().OnDialog(QStringLiteral("Form_CheckPlayList"), [&](QDialog& dialog) {
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("FindingsList"));
        rows = list->topLevelItemCount();
        listShown = !list->isHidden();
        summary = static_cast<TForm_CheckPlayList&>(dialog).SummaryText();
        return ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGB_OK"));
    });
    QAction* entry = nullptr;
    for (QAction* item : window.MainMenu(QStringLiteral("ElMMenu_PlayList"))->actions())
        if (item->text() == QLatin1String("Check PlayList"))
            entry = item;
    QVERIFY(entry);
    window.UpdateActions();
    QVERIFY(entry->isEnabled());
    entry->trigger();
    QCOMPARE(rows, 0);
    QVERIFY(!listShown);
    QCOMPARE(summary, QStringLiteral("No problems found."));
}

void ExtrasTest::slotRunsAreJoined() {
    QCOMPARE(TForm_CheckPlayList::SlotsText({}), QString());
    QCOMPARE(TForm_CheckPlayList::SlotsText({7}), QStringLiteral("7"));
    QCOMPARE(TForm_CheckPlayList::SlotsText({3, 4, 5, 9}), QStringLiteral("3-5, 9"));
    QCOMPARE(TForm_CheckPlayList::SlotsText({1, 3, 4, 243, 244, 245}),
             QStringLiteral("1, 3, 4, 243-245"));
}

// ---- Convert... on import -----------------------------------------------------------------------

void ExtrasTest::convertOnImport_data() {
    QTest::addColumn<quint32>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("proposed");  // the rate index the dialog proposes
    QTest::addColumn<int>("chosen");    // the one the user picks
    QTest::addColumn<QString>("taken"); // a file of the wave folder in the copy's way, if any
    QTest::addColumn<QString>("copyName");

    QTest::newRow("stereo 44.1 kHz 24-bit")
        << quint32(44100) << 24 << 2 << 8 << 8 << QString() << QStringLiteral("door-44100.wav");
    QTest::newRow("96 kHz") << quint32(96000) << 16 << 1 << 9 << 9 << QString()
                            << QStringLiteral("door-48000.wav");
    QTest::newRow("96 kHz, 16 kHz chosen")
        << quint32(96000) << 16 << 1 << 9 << 4 << QString() << QStringLiteral("door-16000.wav");
    QTest::newRow("96 kHz, 8 kHz 8-bit chosen")
        << quint32(96000) << 16 << 1 << 9 << 0 << QString() << QStringLiteral("door-8000.wav");
    QTest::newRow("the copy's name is taken")
        << quint32(44100) << 24 << 2 << 8 << 8 << QStringLiteral("door-44100.wav")
        << QStringLiteral("door-44100-2.wav");
}

void ExtrasTest::convertOnImport() {
    QFETCH(quint32, rate);
    QFETCH(int, bits);
    QFETCH(int, channels);
    QFETCH(int, proposed);
    QFETCH(int, chosen);
    QFETCH(QString, taken);
    QFETCH(QString, copyName);
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OneBinShown(fixture, window);
    const int frames = static_cast<int>(rate / 10);
    const QString original =
        fixture.WriteWave(QStringLiteral("Recordings/door.wav"),
                          static_cast<std::uint32_t>(frames * channels * bits / 8), rate,
                          static_cast<std::uint16_t>(bits), static_cast<std::uint16_t>(channels));
    const QByteArray originalBytes = FileBytes(original);
    QByteArray takenBytes;
    if (!taken.isEmpty()) {
        takenBytes = FileBytes(fixture.WriteWave(QStringLiteral("Wave/") + taken, 100));
    }
    const QString copy = QDir(window.WaveFolder()).filePath(copyName);

    QString location;
    bool okEnabled = false;
    int shownProposal = -1;
    fixture.Seam().OnDialog(QStringLiteral("Form_AddVoiceSlice"), [&](QDialog& dialog) {
        fixture.Seam().QueueFile(QStringLiteral("OpenDialog"), original);
        fixture.Seam().ExpectMessage(RefusalText(original), ExtraButtonAnswer);
        fixture.Seam().OnDialog(QStringLiteral("Form_ConvertWave"), [&](QDialog& convert) {
            auto* combo = convert.findChild<QComboBox*>(QStringLiteral("ComboBox_Rate"));
            shownProposal = combo->currentData().toInt();
            combo->setCurrentIndex(combo->findData(chosen));
            return ScriptedSeam::ClickButton(convert, QStringLiteral("ElGB_OK"));
        });
        ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGBtn_OpenFile"));
        location = static_cast<TForm_AddVoiceSlice&>(dialog).Location();
        okEnabled = dialog.findChild<QPushButton*>(QStringLiteral("ElGB_OK"))->isEnabled();
        ScriptedSeam::SetText(dialog, QStringLiteral("ElEdit_VoiceName"), QStringLiteral("Door"));
        return ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGB_OK"));
    });
    QVERIFY(Trigger(window, "ActVoice_AddVoice"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY2(fixture.Seam().Unscripted.isEmpty(),
             qPrintable(fixture.Seam().Unscripted.join(QLatin1Char('\n'))));
    QCOMPARE(fixture.Seam().Messages.size(), 1);
    QCOMPARE(fixture.Seam().Messages[0].ExtraButton, QStringLiteral("Convert..."));
    QCOMPARE(fixture.Seam().Messages[0].Caption, QStringLiteral("ERROR"));
    QCOMPARE(shownProposal, proposed);

    // The copy lies in the wave folder, in the format chosen; the dialog went on with it.
    QCOMPARE(location, copy);
    QVERIFY(okEnabled);
    const orlamo::WaveInspection inspection = orlamo::InspectWaveFile(ToCore(copy));
    QVERIFY(inspection.Accepted());
    QCOMPARE(inspection.RateIndex, chosen);
    QCOMPARE(FileBytes(original), originalBytes);
    if (!taken.isEmpty())
        QCOMPARE(FileBytes(QDir(window.WaveFolder()).filePath(taken)), takenBytes);

    // Add Voice keeps the copy where it is, without asking about the file already there.
    const std::vector<orlamo::WAVE_DPTR>& voices = window.Library().BinAt(0).Voices;
    QCOMPARE(voices.size(), std::size_t{2});
    const orlamo::WAVE_DPTR& voice = voices.back();
    QCOMPARE(FromCore(voice.FullPath), copy);
    QCOMPARE(FromCore(voice.FileName), copyName);
    QCOMPARE(FromCore(voice.VoiceName), QStringLiteral("Door"));
    QCOMPARE(voice.DataSize, inspection.DataSize);
    QCOMPARE(voice.FormatCode, orlamo::WaveFormatCode(chosen));
    QVERIFY(window.ArchiveModified());
}

void ExtrasTest::convertCancelledOrFailing() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OneBinShown(fixture, window);
    const QString stereo = fixture.WriteWave(QStringLiteral("In/stereo.wav"), 4000, 22050, 16, 2);
    // Refused for its format, but it holds no sound to convert: no data chunk at all.
    const QString empty = fixture.WriteFile(QStringLiteral("In/empty.wav"),
                                            Bytes(orlamo::test::Riff(orlamo::test::Chunk(
                                                "fmt ", orlamo::test::FmtBody(2, 96000, 16)))));
    const orlamo::ConversionTarget emptyTarget = orlamo::ProposedTarget(ToCore(empty));
    QVERIFY(!emptyTarget.Ok);
    const QString waveFolder = window.WaveFolder();
    const QStringList before = QDir(waveFolder).entryList(QDir::Files);

    QString location = QStringLiteral("unset");
    fixture.Seam().OnDialog(QStringLiteral("Form_AddVoiceSlice"), [&](QDialog& dialog) {
        // The conversion dialog cancelled: the chooser comes again.
        fixture.Seam().QueueFile(QStringLiteral("OpenDialog"), stereo);
        fixture.Seam().ExpectMessage(RefusalText(stereo), ExtraButtonAnswer);
        fixture.Seam().OnDialog(QStringLiteral("Form_ConvertWave"), ScriptedSeam::Cancel());
        // A file that cannot be converted: the reason, and the chooser again.
        fixture.Seam().QueueFile(QStringLiteral("OpenDialog"), empty);
        fixture.Seam().ExpectMessage(RefusalText(empty), ExtraButtonAnswer);
        fixture.Seam().ExpectMessage(QStringLiteral("%1 cannot be converted.\n\n%2")
                                         .arg(empty, FromCore(emptyTarget.Message)));
        // The refusal answered with OK: the chooser again, then cancelled.
        fixture.Seam().QueueFile(QStringLiteral("OpenDialog"), stereo);
        fixture.Seam().ExpectMessage(RefusalText(stereo), orlamo::ButtonResult::Ok);
        fixture.Seam().QueueFile(QStringLiteral("OpenDialog"), QString());
        ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGBtn_OpenFile"));
        location = static_cast<TForm_AddVoiceSlice&>(dialog).Location();
        return ScriptedSeam::Cancel()(dialog);
    });
    QVERIFY(Trigger(window, "ActVoice_AddVoice"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY2(fixture.Seam().Unscripted.isEmpty(),
             qPrintable(fixture.Seam().Unscripted.join(QLatin1Char('\n'))));
    QCOMPARE(fixture.Seam().Messages.at(2).Caption, QStringLiteral("ERROR"));
    QCOMPARE(location, QString());
    QCOMPARE(QDir(waveFolder).entryList(QDir::Files), before);
    QCOMPARE(window.Library().BinAt(0).Voices.size(), std::size_t{1});

    // A wave folder that cannot be made: said so, and nothing is written.
    const QString blocker = fixture.WriteFile(QStringLiteral("blocker"), "a file");
    window.SetWaveFolder(blocker + QStringLiteral("/wave"));
    TForm_AddVoiceSlice& addVoice = *window.Form_AddVoiceSlice();
    fixture.Seam().QueueFile(QStringLiteral("OpenDialog"), stereo);
    fixture.Seam().ExpectMessage(RefusalText(stereo), ExtraButtonAnswer);
    fixture.Seam().OnDialog(QStringLiteral("Form_ConvertWave"), [](QDialog& convert) {
        return ScriptedSeam::ClickButton(convert, QStringLiteral("ElGB_OK"));
    });
    fixture.Seam().ExpectMessage(
        QStringLiteral("%1 cannot be converted: the folder %2 cannot be made.")
            .arg(stereo, blocker + QStringLiteral("/wave")));
    fixture.Seam().QueueFile(QStringLiteral("OpenDialog"), QString());
    addVoice.ElGBtn_OpenFileClick();
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    QCOMPARE(addVoice.Location(), QString());
}

// A missing file and a file that is no wave keep their plain box; a wave the module takes shows
// none. Without the window's hook the dialog offers no conversion either.
void ExtrasTest::onlyFormatRefusalsOfferConvert() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    OneBinShown(fixture, window);
    const QString missing = fixture.Path(QStringLiteral("In/missing.wav"));
    const QString text = fixture.WriteFile(QStringLiteral("In/notes.wav"), "not a wave at all");
    const QString stereo = fixture.WriteWave(QStringLiteral("In/stereo.wav"), 4000, 22050, 16, 2);

    TForm_AddVoiceSlice& dialog = *window.Form_AddVoiceSlice();
    for (const QString& path : {missing, text}) {
        fixture.Seam().QueueFile(QStringLiteral("OpenDialog"), path);
        fixture.Seam().ExpectMessage(RefusalText(path), orlamo::ButtonResult::Ok);
    }
    fixture.Seam().QueueFile(QStringLiteral("OpenDialog"), QString());
    dialog.ElGBtn_OpenFileClick();
    QCOMPARE(fixture.Seam().Messages.size(), 2);
    for (const ScriptedSeam::ShownMessage& shown : fixture.Seam().Messages)
        QVERIFY(shown.ExtraButton.isEmpty());

    fixture.Seam().ClearRecords();
    dialog.ConversionFolder = nullptr;
    fixture.Seam().QueueFile(QStringLiteral("OpenDialog"), stereo);
    fixture.Seam().ExpectMessage(RefusalText(stereo), orlamo::ButtonResult::Ok);
    fixture.Seam().QueueFile(QStringLiteral("OpenDialog"), QString());
    dialog.ElGBtn_OpenFileClick();
    QCOMPARE(fixture.Seam().Messages.size(), 1);
    QVERIFY(fixture.Seam().Messages[0].ExtraButton.isEmpty());
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
}

// ---- Previews -----------------------------------------------------------------------------------

void ExtrasTest::playWavePlaysTheModulesBytes() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    FakeAudioOutput& audio = InstallFakeAudio(window);
    orlamo::WAVE_DPTR low = Voice(QStringLiteral("low.wav"), 1601,
                                  fixture.WriteWave(QStringLiteral("Wave/low.wav"), 1601, 8000, 8));
    low.FormatCode = orlamo::WaveFormatCode(0);
    const orlamo::WAVE_DPTR bell = WaveVoice(fixture, QStringLiteral("bell.wav"), 3000);
    OpenArchive(window, QStringLiteral("Station"), {{QStringLiteral("All"), {bell, low}}});
    OpenPlayList(window, QStringLiteral("Two"), {{2, bell}, {5, low}});

    struct Case {
        int Slot;
        int Rate;
        QAudioFormat::SampleFormat Format;
    };
    for (const Case& c :
         {Case{2, 22050, QAudioFormat::Int16}, Case{5, 8000, QAudioFormat::UInt8}}) {
        window.SelectRows(VoiceListKind::PlayList, {c.Slot - 1});
        OpenListPopup(window);
        QVERIFY(Trigger(window, "ActTool_PlayWav"));
        const orlamo::SlotPreview preview = orlamo::PreviewSlot(*window.PlayList(), c.Slot);
        QVERIFY(preview.Ok);
        QCOMPARE(audio.Played.constLast().Bytes, Bytes(preview.Bytes));
        QCOMPARE(audio.Played.constLast().Format.sampleRate(), c.Rate);
        QCOMPARE(audio.Played.constLast().Format.sampleFormat(), c.Format);
        QCOMPARE(audio.Played.constLast().Format.channelCount(), 1);
        window.UpdateActions();
        QVERIFY(window.ActTool_StopPlaying->isEnabled());
        audio.Finish();
        window.UpdateActions();
        QVERIFY(!window.ActTool_StopPlaying->isEnabled());
    }
    QCOMPARE(audio.Played.size(), 2);
    QVERIFY(fixture.Seam().StartedPrograms.isEmpty());
    QVERIFY(fixture.Seam().Messages.isEmpty());

    // A wave gone since the playlist was opened: the reason, and nothing plays.
    QVERIFY(QFile::remove(FromCore(bell.FullPath)));
    window.SelectRows(VoiceListKind::PlayList, {1});
    OpenListPopup(window);
    fixture.Seam().ExpectMessage(FromCore(orlamo::PreviewSlot(*window.PlayList(), 2).Message));
    QVERIFY(Trigger(window, "ActTool_PlayWav"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(audio.Played.size(), 2);
    QVERIFY(!window.Playing());
}

void ExtrasTest::playFromHerePlaysOccupiedSlotsInOrder() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    FakeAudioOutput& audio = InstallFakeAudio(window);
    const orlamo::WAVE_DPTR a = WaveVoice(fixture, QStringLiteral("a.wav"), 1000);
    const orlamo::WAVE_DPTR b = WaveVoice(fixture, QStringLiteral("b.wav"), 2000);
    const orlamo::WAVE_DPTR c = WaveVoice(fixture, QStringLiteral("c.wav"), 3000);
    OpenArchive(window, QStringLiteral("Station"), {{QStringLiteral("All"), {a, b, c}}});
    OpenPlayList(window, QStringLiteral("Three"), {{1, a}, {3, b}, {7, c}, {9, a}});

    // From the empty slot 2: slots 3, 7 and 9, one after another.
    window.SelectRows(VoiceListKind::PlayList, {1});
    QVERIFY(Trigger(window, "ActPL_PlayFromHere"));
    QList<int> sizes;
    for (int played = 0; played < 5 && window.Playing(); ++played) {
        sizes.append(static_cast<int>(audio.Played.constLast().Bytes.size()));
        // A slot emptied meanwhile is passed over.
        if (played == 0) {
            window.SelectRows(VoiceListKind::PlayList, {6});
            OpenListPopup(window);
            QVERIFY(Trigger(window, "ActVoice_DelVoice"));
        }
        audio.Finish();
    }
    QCOMPARE(sizes, (QList<int>{2000, 1000}));
    QCOMPARE(audio.Played.size(), 2);
    QCOMPARE(audio.Played[0].Bytes, Bytes(orlamo::PreviewSlot(*window.PlayList(), 3).Bytes));
    QVERIFY(!window.Playing());
    QVERIFY(fixture.Seam().Messages.isEmpty());

    // Nothing selected: from slot 1. Past the last voice: said so, nothing played.
    window.SelectRows(VoiceListKind::PlayList, {});
    QVERIFY(Trigger(window, "ActPL_PlayFromHere"));
    QCOMPARE(audio.Played.size(), 3);
    QCOMPARE(audio.Played.constLast().Bytes.size(), 1000);
    window.SelectRows(VoiceListKind::PlayList, {9});
    fixture.Seam().ExpectMessage(QStringLiteral("No slot from slot 10 on holds a voice."));
    QVERIFY(Trigger(window, "ActPL_PlayFromHere"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QCOMPARE(audio.Played.size(), 3);

    // Only while the playlist view is shown.
    ClickLibraryNode(window, 1);
    window.UpdateActions();
    QVERIFY(!window.ActPL_PlayFromHere->isEnabled());
}

void ExtrasTest::stopEndsPlayback() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    FakeAudioOutput& audio = InstallFakeAudio(window);
    const orlamo::WAVE_DPTR a = WaveVoice(fixture, QStringLiteral("a.wav"), 1000);
    OpenArchive(window, QStringLiteral("Station"), {{QStringLiteral("All"), {a}}});
    OpenPlayList(window, QStringLiteral("Two"), {{1, a}, {2, a}});
    window.SelectRows(VoiceListKind::PlayList, {0});
    QVERIFY(Trigger(window, "ActPL_PlayFromHere"));
    QCOMPARE(audio.Played.size(), 1);
    QVERIFY(window.Playing());
    const int stopsBefore = audio.StopCount;
    QVERIFY(Trigger(window, "ActTool_StopPlaying"));
    QVERIFY(audio.StopCount > stopsBefore);
    QVERIFY(!audio.IsPlaying());
    QVERIFY(!window.Playing());
    // The slot that was waiting does not follow.
    audio.Finish();
    emit audio.Finished();
    QCOMPARE(audio.Played.size(), 1);
    window.UpdateActions();
    QVERIFY(!window.ActTool_StopPlaying->isEnabled());

    // Closing the playlist stops what it was playing.
    QVERIFY(Trigger(window, "ActPL_PlayFromHere"));
    QVERIFY(window.Playing());
    window.ClosePlayList();
    QVERIFY(!window.Playing());
    QVERIFY(!audio.IsPlaying());
}

void ExtrasTest::noSoundOutputIsReported() {
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    FakeAudioOutput& audio = InstallFakeAudio(window);
    const orlamo::WAVE_DPTR a = WaveVoice(fixture, QStringLiteral("a.wav"), 1000);
    OpenArchive(window, QStringLiteral("Station"), {{QStringLiteral("All"), {a}}});
    OpenPlayList(window, QStringLiteral("One"), {{3, a}});
    window.SelectRows(VoiceListKind::PlayList, {2});
    OpenListPopup(window);

    audio.Available = false;
    const QString noDevice =
        QStringLiteral("No sound output device is available: the slot cannot be played.");
    fixture.Seam().ExpectMessage(noDevice);
    QVERIFY(Trigger(window, "ActTool_PlayWav"));
    fixture.Seam().ExpectMessage(noDevice);
    QVERIFY(Trigger(window, "ActPL_PlayFromHere"));

    audio.Available = true;
    audio.StartError = QStringLiteral("the sound device could not be opened");
    fixture.Seam().ExpectMessage(
        QStringLiteral("Slot 3 cannot be played: the sound device could not be opened."));
    QVERIFY(Trigger(window, "ActPL_PlayFromHere"));
    QVERIFY(fixture.Seam().ScriptUsedUp());
    QVERIFY(fixture.Seam().Unscripted.isEmpty());
    for (const ScriptedSeam::ShownMessage& shown : fixture.Seam().Messages)
        QCOMPARE(shown.Caption, QStringLiteral("ERROR"));
    QVERIFY(audio.Played.isEmpty());
    QVERIFY(!window.Playing());
}

// ---- Picture for the documentation --------------------------------------------------------------

void ExtrasTest::screenshot() {
    const QString target = qEnvironmentVariable("ORLAMO_SCREENSHOT");
    if (target.isEmpty())
        QSKIP("set ORLAMO_SCREENSHOT to a file name to save a picture of the meter and the "
              "Check PlayList dialog");
    GuiFixture fixture;
    TFormMain& window = fixture.CreateWindow();
    QVERIFY(window.LoadArchive(Examples + QStringLiteral("/station.arh")));
    orlamo::PlayListReadResult read =
        orlamo::ReadPlayListFile(ToCore(Examples + QStringLiteral("/station.pla")));
    QVERIFY(read.FileFound);
    window.AddPlayListNode(std::move(read.List));
    window.SetCurrentPlayListPath(Examples + QStringLiteral("/station.pla"));
    window.FillPlayListView();
    window.ExpandLibraryTree(true);
    ClickPlayListNode(window);
    window.SetArchivePath(QStringLiteral("/home/user/Voices/station.arh"));
    window.resize(980, 600);
    window.findChild<QSplitter*>(QStringLiteral("Splitter"))->setSizes({210, 770});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
    const QPixmap windowPicture = window.grab();

    QPixmap dialogPicture;
    fixture.Seam().OnDialog(QStringLiteral("Form_CheckPlayList"), [&](QDialog& dialog) {
        QTest::qWait(50);
        dialogPicture = dialog.grab();
        return ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGB_OK"));
    });
    QVERIFY(Trigger(window, "ActPL_CheckPlayList"));
    QVERIFY(!dialogPicture.isNull());

    // The dialog over the window's empty slots, leaving the occupied ones and the meter in sight.
    QPixmap picture = windowPicture;
    QPainter painter(&picture);
    const QPoint at(picture.width() - dialogPicture.width() - 24,
                    picture.height() - dialogPicture.height() - 44);
    painter.fillRect(QRect(at + QPoint(4, 4), dialogPicture.size()), QColor(0, 0, 0, 70));
    painter.drawPixmap(at, dialogPicture);
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(QRect(at, dialogPicture.size()).adjusted(0, 0, -1, -1));
    painter.end();
    QVERIFY(picture.save(target));
}

QTEST_MAIN(ExtrasTest)
#include "Extras_test.moc"
