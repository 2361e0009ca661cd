// How fast the window's two views refresh: the bin view for a bin of 10,000 voices while a
// playlist with all 245 slots occupied is open (the in-playlist marker pass included), and the
// playlist view being filled and refreshed (every slot's wave checked on disk). Each is measured
// alone and together with the repaint it causes. Runs offscreen; the target is under 50 ms each.

#include "app/MainForm.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr int BinVoices = 10000;
constexpr std::uint32_t WaveBytes = 2000;

// Boxes must not come up in a benchmark: count them instead, and choose nothing.
class SilentSeam final : public UiSeam {
public:
    int ShowMessage(QWidget*, const MessageRequest& request) override {
        ++Boxes;
        LastText = request.Text;
        return 1;
    }
    int ExecDialog(QDialog&) override { return 0; }
    QString ChooseFile(QWidget*, const FileDialogRequest&) override { return {}; }
    QString ChooseFolder(QWidget*, const QString&, const QString&) override { return {}; }
    bool OpenUrl(const QUrl&) override { return false; }
    bool StartDetached(const QString&, const QStringList&) override { return false; }
    int Boxes = 0;
    QString LastText;
};

QByteArray Le16(std::uint16_t value) {
    QByteArray bytes;
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>(value >> 8));
    return bytes;
}
QByteArray Le32(std::uint32_t value) {
    return Le16(static_cast<std::uint16_t>(value & 0xFFFF)) +
           Le16(static_cast<std::uint16_t>(value >> 16));
}

// A mono 16-bit 22050 Hz wave with `dataBytes` of silence.
QByteArray Wave(std::uint32_t dataBytes) {
    const QByteArray fmt = Le16(1) + Le16(1) + Le32(22050) + Le32(44100) + Le16(2) + Le16(16);
    const QByteArray body = QByteArray("WAVE") + "fmt " + Le32(16) + fmt + "data" +
                            Le32(dataBytes) + QByteArray(static_cast<qsizetype>(dataBytes), '\0');
    return "RIFF" + Le32(static_cast<std::uint32_t>(body.size())) + body;
}

// One window with the scene both benchmarks use, made once.
struct Scene {
    QTemporaryDir Folder;
    SilentSeam* Seam = nullptr;
    std::unique_ptr<TFormMain> Window;

    Scene() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder.path());
        qputenv("ORLAMO_WAVE_FOLDER",
                QDir(Folder.path()).filePath(QStringLiteral("Wave")).toLocal8Bit());
        auto seam = std::make_unique<SilentSeam>();
        Seam = seam.get();
        Window = std::make_unique<TFormMain>(std::move(seam));
        Window->resize(900, 600);
        Window->show();

        const QString waveFolder = QDir(Folder.path()).filePath(QStringLiteral("Wave"));
        QDir().mkpath(waveFolder);
        const QByteArray wave = Wave(WaveBytes);
        std::vector<orlamo::WAVE_DPTR> voices;
        voices.reserve(BinVoices);
        for (int i = 0; i < BinVoices; ++i) {
            orlamo::WAVE_DPTR voice;
            voice.FileName = "voice-" + std::to_string(i) + ".wav";
            voice.FullPath =
                QDir(waveFolder).filePath(QString::fromStdString(voice.FileName)).toStdString();
            voice.VoiceName = "Voice " + std::to_string(i);
            voice.Descripition = "A prompt of the benchmark";
            voice.PlayTime = "0.04";
            voice.DataSize = WaveBytes;
            voice.FormatCode = 0x50000000u;
            voices.push_back(voice);
        }
        // The playlist holds every 40th voice of the bin, so the marker pass finds 245 of them.
        orlamo::PlayList list("Bench");
        for (int slot = 1; slot <= orlamo::PlayListSlots; ++slot) {
            const orlamo::WAVE_DPTR& source = voices[static_cast<std::size_t>((slot - 1) * 40)];
            QFile file(QString::fromStdString(source.FullPath));
            if (!file.open(QIODevice::WriteOnly) || file.write(wave) != wave.size())
                throw std::runtime_error("cannot write " + source.FullPath);
            list.Slot(slot) = source;
            list.Slot(slot).SlotNumber = slot;
        }
        Window->Library().SetArchiveNode("Bench");
        Window->Library().AddBin("Ten thousand", std::move(voices));
        Window->RebuildLibraryTree();
        Window->AddPlayListNode(std::move(list));
        Window->SelectLibraryNode(1);
        QCoreApplication::processEvents();
    }
};

// Made after the application object and gone before it (see main).
std::unique_ptr<Scene> TheSceneInstance;

Scene& TheScene() {
    if (!TheSceneInstance)
        TheSceneInstance = std::make_unique<Scene>();
    return *TheSceneInstance;
}

void CheckScene(benchmark::State& state, const Scene& scene) {
    if (scene.Seam->Boxes != 0)
        state.SkipWithError(("a box came up: " + scene.Seam->LastText.toStdString()).c_str());
}

void BM_BinViewRefresh(benchmark::State& state) {
    Scene& scene = TheScene();
    TFormMain& window = *scene.Window;
    for (auto _ : state) {
        window.ElTvProjectClick();
        if (state.range(0) != 0)
            QCoreApplication::processEvents(); // the repaint the refresh asks for
    }
    state.counters["rows"] = window.LView_Archive->model()->rowCount();
    int marked = 0;
    for (int row = 0; row < BinVoices; ++row)
        marked += window.BinRowMarked(row) ? 1 : 0;
    state.counters["marked"] = marked;
    CheckScene(state, scene);
}
BENCHMARK(BM_BinViewRefresh)->ArgName("repaint")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PlayListViewFill(benchmark::State& state) {
    Scene& scene = TheScene();
    TFormMain& window = *scene.Window;
    for (auto _ : state) {
        window.ShowPlayListView();
        window.FillPlayListView();
        window.ElTree_PlayListClick();
        if (state.range(0) != 0)
            QCoreApplication::processEvents();
    }
    state.counters["used"] = window.PlayList()->UsedSlotCount();
    CheckScene(state, scene);
}
BENCHMARK(BM_PlayListViewFill)->ArgName("repaint")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    TheSceneInstance.reset();
    return 0;
}
