// Faults injected into every file the editor writes, through the window and its commands: the
// archive (Save, Save As), the playlist (Save, Save As), the work file (Compile To WrkFile), the
// wave folder's copy (Add Voice) and the settings file (written when the window closes).
//
// Each write runs in a child process, this program started again with "--scenario <writer>
// <folder>": it builds the window offscreen, makes its change, runs the command and prints what
// the window showed and its state before and after as JSON. The parent lays out the files first
// and injects the fault into the child: its target folder read-only (as the user "nobody" when
// the tests run as root, who writes anywhere), a file-size limit the new file passes part-way
// (its writes then fail with EFBIG; SIGXFSZ is ignored), or SIGKILL in the middle of a long
// write. After each fault the previous file is intact byte for byte; after a failure the window
// saw, it said so, kept its change flags and paths, and left nothing new in the folder.

#include "app/MainForm.h"
#include "formats/ArchiveFile.h"
#include "formats/PlayListFile.h"
#include "formats/WaveInspector.h"
#include "support/GuiFixture.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"
#include "support/WindowScenes.h"
#include "views/ListViewColumns.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace scenes;
using orlamo::views::FromCore;
using orlamo::views::ToCore;

namespace {

// ---- What the child and the parent share --------------------------------------------------------

// The settings file is written twice as the window ends: the placement when it closes, the paths
// of the archive and the playlist when it is destroyed.
enum class Writer {
    SaveArchive,
    SaveArchiveAs,
    SavePlayList,
    SavePlayListAs,
    Compile,
    AddVoice,
    SettingsOnClose,
    SettingsOnDestroy
};

const QList<std::pair<Writer, QString>> WriterNames = {
    {Writer::SaveArchive, QStringLiteral("SaveArchive")},
    {Writer::SaveArchiveAs, QStringLiteral("SaveArchiveAs")},
    {Writer::SavePlayList, QStringLiteral("SavePlayList")},
    {Writer::SavePlayListAs, QStringLiteral("SavePlayListAs")},
    {Writer::Compile, QStringLiteral("Compile")},
    {Writer::AddVoice, QStringLiteral("AddVoice")},
    {Writer::SettingsOnClose, QStringLiteral("SettingsOnClose")},
    {Writer::SettingsOnDestroy, QStringLiteral("SettingsOnDestroy")},
};

QString NameOf(Writer writer) {
    for (const auto& [known, name] : WriterNames)
        if (known == writer)
            return name;
    return {};
}

// The files of a scene, relative to its folder.
const QString WaveFolder = QStringLiteral("Wave");
const QString ConfigFolder = QStringLiteral("config");
const QString SettingsFolder = QStringLiteral("config/Quorvel");
const QString SettingsFile = QStringLiteral("config/Quorvel/Orlamo.conf");
const QString ArchivePath = QStringLiteral("out/station.arh");
const QString ArchiveCopyPath = QStringLiteral("out/copy.arh");
const QString PlayListPath = QStringLiteral("out/door.pla");
const QString PlayListCopyPath = QStringLiteral("out/copy.pla");
const QString WorkFilePath = QStringLiteral("out/door.wrk");
const QString SourceWavePath = QStringLiteral("src/bell.wav");
const QString OldWavePath = QStringLiteral("Wave/bell.wav");

// The file each writer replaces, whose previous contents every fault must keep.
QString TargetOf(Writer writer) {
    switch (writer) {
    case Writer::SaveArchive:
        return ArchivePath;
    case Writer::SaveArchiveAs:
        return ArchiveCopyPath;
    case Writer::SavePlayList:
        return PlayListPath;
    case Writer::SavePlayListAs:
        return PlayListCopyPath;
    case Writer::Compile:
        return WorkFilePath;
    case Writer::AddVoice:
        return OldWavePath;
    case Writer::SettingsOnClose:
    case Writer::SettingsOnDestroy:
        return SettingsFile;
    }
    return {};
}

// The box a failed write of this writer shows, in the scene at root.
QString FailureBox(Writer writer, const QString& root) {
    const QString target = QDir(root).filePath(TargetOf(writer));
    switch (writer) {
    case Writer::Compile:
        return QStringLiteral("The Wrk File %1 was not written.\n\nUnable to write to %1")
            .arg(target);
    case Writer::AddVoice:
        return QStringLiteral("Unable to copy %1 to %2.")
            .arg(QDir(root).filePath(SourceWavePath), target);
    default:
        return QStringLiteral("Unable to write to ") + target;
    }
}

// Exit statuses of the child besides 0 (the report was printed).
constexpr int SceneFailed = 3;
constexpr int CannotDropRoot = 77;
constexpr int ExecFailed = 127;
constexpr uid_t NobodyId = 65534;

// ---- The child: one command through the window
// ---------------------------------------------------

// A scripted seam that hands what it recorded to `kept` when the window destroys it, so that boxes
// shown while the window is torn down (the settings written at the end) are seen too.
class KeptSeam : public ScriptedSeam {
public:
    KeptSeam(QList<ShownMessage>& kept, QStringList& keptUnscripted)
        : Kept(kept), KeptUnscripted(keptUnscripted) {}
    ~KeptSeam() override {
        Kept = Messages;
        KeptUnscripted = Unscripted;
    }

private:
    QList<ShownMessage>& Kept;
    QStringList& KeptUnscripted;
};

QJsonObject StateOf(const TFormMain& window) {
    return QJsonObject{{QStringLiteral("archiveModified"), window.ArchiveModified()},
                       {QStringLiteral("playListModified"), window.PlayListModified()},
                       {QStringLiteral("archivePath"), window.CurrentArchivePath()},
                       {QStringLiteral("playListPath"), window.CurrentPlayListPath()},
                       {QStringLiteral("voices"), window.Library().VoiceCount()}};
}

[[noreturn]] void SceneFails(const QString& why) {
    std::fprintf(stderr, "scene failed: %s\n", qPrintable(why));
    std::fflush(stderr);
    ::_exit(SceneFailed);
}

void TriggerOrFail(TFormMain& window, const char* name) {
    if (!Trigger(window, name))
        SceneFails(QStringLiteral("%1 is not enabled").arg(QString::fromLatin1(name)));
}

// The add-voice dialog: the wave picked with its open-file button, a name, OK.
int FillAddVoice(QDialog& dialog) {
    dialog.findChild<QPushButton*>(QStringLiteral("ElGBtn_OpenFile"))->click();
    ScriptedSeam::SetText(dialog, QStringLiteral("ElEdit_VoiceName"), QStringLiteral("Bell"));
    return ScriptedSeam::ClickButton(dialog, QStringLiteral("ElGB_OK"));
}

// Opens the scene's archive (and its playlist, for the writers that need one), makes the change
// the writer saves, runs the command and prints the report.
int RunScenario(Writer writer, const QString& root) {
    const QDir folder(root);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("ORLAMO_WAVE_FOLDER", folder.filePath(WaveFolder).toLocal8Bit());
    int argc = 1;
    char name[] = "WriteFaults_test";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       folder.filePath(ConfigFolder));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.filePath(ConfigFolder));

    QList<ScriptedSeam::ShownMessage> shown;
    QStringList unscripted;
    auto owned = std::make_unique<KeptSeam>(shown, unscripted);
    owned->FailOnUnscripted = false;
    // The one box a failure may show; the parent tells whether it should have.
    owned->AnswerAlways(FailureBox(writer, root), 1);
    ScriptedSeam& seam = *owned;
    auto window = std::make_unique<TFormMain>(std::move(owned));
    window->CreateDialogs();

    QJsonObject before;
    QJsonObject after;
    if (writer == Writer::SettingsOnClose || writer == Writer::SettingsOnDestroy) {
        // The earlier run's settings reopened the archive and placed the window. A moved window
        // has a new placement to write; a playlist file chosen in this run is a new path.
        if (window->CurrentArchivePath() != folder.filePath(ArchivePath))
            SceneFails(QStringLiteral("the remembered archive was not reopened"));
        if (writer == Writer::SettingsOnClose)
            window->move(window->pos() + QPoint(40, 30));
        else
            window->FileDialogs.SaveDialogPlay = folder.filePath(PlayListCopyPath);
        before = StateOf(*window);
        after = before;
        if (!window->close())
            SceneFails(QStringLiteral("the window did not close"));
        window.reset();
    } else {
        if (!window->LoadArchive(folder.filePath(ArchivePath)))
            SceneFails(QStringLiteral("the archive did not load"));
        ClickLibraryNode(*window, 1);
        const bool onPlayList = writer == Writer::SavePlayList ||
                                writer == Writer::SavePlayListAs || writer == Writer::Compile;
        if (onPlayList) {
            seam.QueueFile(QStringLiteral("OpenDialog_PlayList"), folder.filePath(PlayListPath));
            TriggerOrFail(*window, "ActPL_OpenPlayList");
            if (!window->PlayList())
                SceneFails(QStringLiteral("the playlist did not open"));
        }
        seam.AnswerAlways(CoverQuestion, 6);
        seam.AnswerAlways(SizeQuestion, 6);
        seam.AnswerAlways(RenameQuestion, 7); // No: the copy replaces the older file
        switch (writer) {
        case Writer::SaveArchive:
        case Writer::SaveArchiveAs:
            window->Library().AddBin("Extra");
            window->RebuildLibraryTree();
            window->SetArchiveModified(true);
            break;
        case Writer::SavePlayList:
        case Writer::SavePlayListAs:
            window->SetPlayListName(QStringLiteral("Door two"));
            window->SetPlayListModified(true);
            break;
        default:
            break;
        }
        seam.ClearRecords();
        before = StateOf(*window);
        switch (writer) {
        case Writer::SaveArchive:
            TriggerOrFail(*window, "ActFile_SaveArchive");
            break;
        case Writer::SaveArchiveAs:
            seam.QueueFile(QStringLiteral("SaveDialogBin"), folder.filePath(ArchiveCopyPath));
            TriggerOrFail(*window, "ActFile_SaveAsArchive");
            break;
        case Writer::SavePlayList:
            TriggerOrFail(*window, "ActPL_SavePlayList");
            break;
        case Writer::SavePlayListAs:
            seam.QueueFile(QStringLiteral("SaveDialogPlay"), folder.filePath(PlayListCopyPath));
            TriggerOrFail(*window, "ActPL_SaveAsPlayList");
            break;
        case Writer::Compile:
            seam.QueueFile(QStringLiteral("SaveDialog"), folder.filePath(WorkFilePath));
            TriggerOrFail(*window, "ActFile_SaveToWrkFile");
            break;
        case Writer::AddVoice:
            seam.QueueFile(QStringLiteral("OpenDialog"), folder.filePath(SourceWavePath));
            seam.OnDialog(QStringLiteral("Form_AddVoiceSlice"), FillAddVoice);
            TriggerOrFail(*window, "ActVoice_AddVoice");
            break;
        default:
            break;
        }
        after = StateOf(*window);
        shown = seam.Messages;
        unscripted = seam.Unscripted;
    }

    QJsonArray boxes;
    for (const ScriptedSeam::ShownMessage& box : shown)
        boxes.append(QJsonObject{{QStringLiteral("text"), box.Text},
                                 {QStringLiteral("caption"), box.Caption}});
    const QByteArray report = QJsonDocument(QJsonObject{{QStringLiteral("boxes"), boxes},
                                                        {QStringLiteral("unscripted"),
                                                         QJsonArray::fromStringList(unscripted)},
                                                        {QStringLiteral("before"), before},
                                                        {QStringLiteral("after"), after}})
                                  .toJson(QJsonDocument::Compact);
    std::fwrite(report.constData(), 1, static_cast<std::size_t>(report.size()), stdout);
    std::fflush(stdout);
    // Nothing of the window's teardown may write anything more.
    ::_exit(0);
}

// ---- The parent: the scene, the fault, the checks
// -------------------------------------------------

enum class Fault { None, ReadOnlyFolder, FileSizeLimit };

// The file-size limit of the child: above anything it writes before the target (a settings lock
// file holds about a hundred bytes) and below every new file of a scene.
constexpr rlim_t SizeLimit = 200;

// A wave at path with `dataSize` bytes of sound data (22050 Hz, 16-bit mono); `sparse` leaves the
// data a hole in the file, so that hundreds of megabytes cost nothing to make.
void WriteWave(const QString& path, std::uint32_t dataSize, bool sparse = false) {
    namespace fs = std::filesystem;
    const fs::path file(QFile::encodeName(path).toStdString());
    if (!sparse) {
        orlamo::test::WriteBytes(file, orlamo::test::SimpleWave(22050, 16, dataSize, 1));
        return;
    }
    using namespace orlamo::test;
    const std::string header = Riff(Chunk("fmt ", FmtBody(1, 22050, 16)) + "data" + Le32(dataSize));
    WriteBytes(file, header);
    fs::resize_file(file, header.size() + dataSize);
}

orlamo::WAVE_DPTR VoiceFor(const QString& path, const std::string& name) {
    const orlamo::WaveInspection inspection = orlamo::InspectWaveFile(ToCore(path));
    orlamo::WAVE_DPTR voice;
    voice.FileName = ToCore(QFileInfo(path).fileName());
    voice.FullPath = ToCore(path);
    voice.VoiceName = name;
    voice.DataSize = inspection.DataSize;
    voice.PlayTime = inspection.PlayTime;
    voice.FormatCode = orlamo::WaveFormatCode(inspection.RateIndex);
    return voice;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        QTest::qFail(qPrintable(QStringLiteral("cannot write ") + path), __FILE__, __LINE__);
}

// Every file of a folder, hidden ones included, with its bytes.
QMap<QString, QByteArray> FolderContents(const QString& folder) {
    QMap<QString, QByteArray> contents;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::NoDotAndDotDot | QDir::System))
        contents.insert(name, FileBytes(QDir(folder).filePath(name)));
    return contents;
}

QStringList TemporaryFiles(const QString& folder) {
    QStringList found;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (name.startsWith(QLatin1Char('.')) && name.contains(QLatin1String(".tmp-")))
            found.append(name);
    return found;
}

// One scene in a folder of its own. `large`: the playlist's waves and the wave Add Voice copies
// are hundreds of megabytes (sparse), for a write that lasts long enough to be killed.
class Scene {
public:
    explicit Scene(bool large = false) {
        const auto path = [this](const QString& relative) { return Path(relative); };
        WriteWave(path(QStringLiteral("Wave/open.wav")), 3000);
        WriteWave(path(QStringLiteral("Wave/close.wav")), 2000);
        WriteWave(path(OldWavePath), 1000);
        constexpr std::uint32_t LargeData = 150u * 1000 * 1000;
        WriteWave(path(SourceWavePath), large ? 2 * LargeData : 2000, large);

        orlamo::Library library;
        library.SetArchiveNode("Station");
        library.AddBin("Doors", {VoiceFor(path(QStringLiteral("Wave/open.wav")), "Open"),
                                 VoiceFor(path(QStringLiteral("Wave/close.wav")), "Close")});
        QDir().mkpath(path(QStringLiteral("out")));
        if (!orlamo::SaveArchive(ToCore(path(ArchivePath)), library).Ok)
            QTest::qFail("cannot write the archive", __FILE__, __LINE__);

        orlamo::PlayList list("Door");
        if (large) {
            WriteWave(path(QStringLiteral("big/one.wav")), LargeData, true);
            WriteWave(path(QStringLiteral("big/two.wav")), LargeData, true);
            list.Slot(1) = VoiceFor(path(QStringLiteral("big/one.wav")), "One");
            list.Slot(2) = VoiceFor(path(QStringLiteral("big/two.wav")), "Two");
        } else {
            list.Slot(1) = VoiceFor(path(QStringLiteral("Wave/open.wav")), "Open");
            list.Slot(3) = VoiceFor(path(QStringLiteral("Wave/close.wav")), "Close");
        }
        if (!orlamo::WritePlayListFile(ToCore(path(PlayListPath)), "Door", list.AllSlots()).Ok)
            QTest::qFail("cannot write the playlist", __FILE__, __LINE__);

        WriteFile(path(ArchiveCopyPath), "an earlier archive\n");
        WriteFile(path(PlayListCopyPath), "an earlier playlist\n");
        WriteFile(path(WorkFilePath), "an earlier work file\n");
    }

    QString Root() const { return Folder.path(); }
    QString Path(const QString& relative) const { return QDir(Folder.path()).filePath(relative); }

    // The settings an earlier run left, with a value of another program's group that must stay.
    void WriteEarlierRun() {
        const QByteArray text = "[Data]\nArchiveFilePath=" + Path(ArchivePath).toUtf8() +
                                "\nHeight=534\nLeft=286\nTop=244\nVersion=1.0\nWidth=798\n\n"
                                "[Other]\nNote=" +
                                QByteArray(300, 'n') + "\n";
        WriteFile(Path(SettingsFile), text);
    }

    // Everything readable and every folder open to other users, for a child that runs as one.
    void OpenToOthers() const {
        const auto open = [](const QString& path) {
            QFile::setPermissions(path,
                                  QFile::permissions(path) | QFile::ReadOther | QFile::ReadGroup |
                                      (QFileInfo(path).isDir() ? QFile::ExeOther | QFile::ExeGroup
                                                               : QFile::Permissions()));
        };
        open(Root());
        QDirIterator entries(Root(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        while (entries.hasNext())
            open(entries.next());
    }

private:
    QTemporaryDir Folder;
};

struct ChildRun {
    bool Exited = false;
    int Status = -1;
    QJsonObject Report;
    QByteArray Output;
};

// Starts this program on a scenario in a child process whose standard output goes to `outFd`;
// the fault is applied in the child before it starts.
pid_t StartScenario(Writer writer, const QString& root, Fault fault, int* outFd) {
    const std::string self =
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    const std::string writerArg = NameOf(writer).toStdString();
    const std::string rootArg = QFile::encodeName(root).toStdString();
    std::vector<char*> argv{const_cast<char*>(self.c_str()), const_cast<char*>("--scenario"),
                            const_cast<char*>(writerArg.c_str()),
                            const_cast<char*>(rootArg.c_str()), nullptr};
    int pipe[2];
    if (::pipe(pipe) != 0)
        return -1;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child != 0) {
        ::close(pipe[1]);
        *outFd = pipe[0];
        return child;
    }
    // Only calls that are safe between fork and exec from here on.
    ::dup2(pipe[1], STDOUT_FILENO);
    ::close(pipe[0]);
    ::close(pipe[1]);
    if (fault == Fault::ReadOnlyFolder && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0))
        ::_exit(CannotDropRoot);
    if (fault == Fault::FileSizeLimit) {
        // Ignored dispositions survive exec: the write fails with EFBIG instead of a signal.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{SizeLimit, SizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ::execv(self.c_str(), argv.data());
    ::_exit(ExecFailed);
}

ChildRun RunScenarioInChild(Writer writer, const QString& root, Fault fault) {
    ChildRun run;
    int out = -1;
    const pid_t child = StartScenario(writer, root, fault, &out);
    if (child < 0)
        return run;
    char buffer[4096];
    for (ssize_t got; (got = ::read(out, buffer, sizeof buffer)) > 0;)
        run.Output.append(buffer, got);
    ::close(out);
    int status = 0;
    if (::waitpid(child, &status, 0) != child)
        return run;
    run.Exited = WIFEXITED(status);
    run.Status = run.Exited ? WEXITSTATUS(status) : -1;
    run.Report = QJsonDocument::fromJson(run.Output).object();
    return run;
}

QStringList BoxTexts(const QJsonObject& report) {
    QStringList texts;
    for (const QJsonValue& box : report.value(QStringLiteral("boxes")).toArray())
        texts.append(box.toObject().value(QStringLiteral("text")).toString());
    return texts;
}

// The folder a fault makes read-only: the one the new file goes to.
QString TargetFolderOf(Writer writer, const Scene& scene) {
    return QFileInfo(scene.Path(TargetOf(writer))).absolutePath();
}

} // namespace

Q_DECLARE_METATYPE(Writer)
Q_DECLARE_METATYPE(Fault)

class WriteFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void faultKeepsThePreviousFile_data();
    void faultKeepsThePreviousFile();
    void killedWriteKeepsThePreviousFile_data();
    void killedWriteKeepsThePreviousFile();
};

void WriteFaultsTest::faultKeepsThePreviousFile_data() {
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<Fault>("fault");
    for (const auto& [writer, name] : WriterNames) {
        const QByteArray row = name.toLatin1();
        QTest::newRow(row + ": no fault") << writer << Fault::None;
        QTest::newRow(row + ": read-only folder") << writer << Fault::ReadOnlyFolder;
        QTest::newRow(row + ": file-size limit") << writer << Fault::FileSizeLimit;
    }
}

void WriteFaultsTest::faultKeepsThePreviousFile() {
    QFETCH(Writer, writer);
    QFETCH(Fault, fault);
    Scene scene;
    if (writer == Writer::SettingsOnClose || writer == Writer::SettingsOnDestroy)
        scene.WriteEarlierRun();
    const QString target = scene.Path(TargetOf(writer));
    const QString folder = TargetFolderOf(writer, scene);
    const QByteArray previous = FileBytes(target);
    const QByteArray previousArchive = FileBytes(scene.Path(ArchivePath));
    const QByteArray previousPlayList = FileBytes(scene.Path(PlayListPath));
    const QMap<QString, QByteArray> folderBefore = FolderContents(folder);
    QVERIFY(!previous.isEmpty());

    if (fault == Fault::ReadOnlyFolder) {
        scene.OpenToOthers();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    }
    const ChildRun run = RunScenarioInChild(writer, scene.Root(), fault);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (run.Exited && run.Status == CannotDropRoot)
        QSKIP("cannot run the window as another user here");
    if (run.Exited && run.Status == ExecFailed)
        QSKIP("the user nobody cannot start this program here");
    QVERIFY2(run.Exited, "the window died instead of reporting the failure");
    QVERIFY2(run.Status == 0, run.Output.constData());
    const QJsonObject before = run.Report.value(QStringLiteral("before")).toObject();
    const QJsonObject after = run.Report.value(QStringLiteral("after")).toObject();
    const QStringList boxes = BoxTexts(run.Report);
    // Every box, dialog and chooser the command showed was one the scene expected.
    const QJsonArray unscripted = run.Report.value(QStringLiteral("unscripted")).toArray();
    QVERIFY2(unscripted.isEmpty(), QJsonDocument(unscripted).toJson().constData());
    // The boxes besides the questions the commands ask on the way.
    QStringList others = boxes;
    for (const QString& question : {CoverQuestion, SizeQuestion, RenameQuestion})
        others.removeAll(question);

    if (fault == Fault::None) {
        // The scene writes for real: a new file that passes the size limit, and no other box.
        QVERIFY2(others.isEmpty(), qPrintable(others.join(QLatin1Char('\n'))));
        const QByteArray written = FileBytes(target);
        QVERIFY(written != previous);
        QVERIFY2(written.size() > qsizetype(SizeLimit),
                 qPrintable(QString::number(written.size())));
        QVERIFY(TemporaryFiles(folder).isEmpty());
        switch (writer) {
        case Writer::SaveArchive:
        case Writer::SaveArchiveAs:
            QVERIFY(written.contains("Extra"));
            QVERIFY(!after.value(QStringLiteral("archiveModified")).toBool());
            QCOMPARE(after.value(QStringLiteral("archivePath")).toString(), target);
            break;
        case Writer::SavePlayList:
        case Writer::SavePlayListAs:
            QVERIFY(written.contains("Door two"));
            QVERIFY(!after.value(QStringLiteral("playListModified")).toBool());
            QCOMPARE(after.value(QStringLiteral("playListPath")).toString(), target);
            break;
        case Writer::Compile:
            QVERIFY(written.startsWith("ORMN"));
            break;
        case Writer::AddVoice:
            QCOMPARE(written, FileBytes(scene.Path(SourceWavePath)));
            QCOMPARE(after.value(QStringLiteral("voices")).toInt(),
                     before.value(QStringLiteral("voices")).toInt() + 1);
            QVERIFY(after.value(QStringLiteral("archiveModified")).toBool());
            break;
        case Writer::SettingsOnClose:
        case Writer::SettingsOnDestroy: {
            // Only what changed is new; a value of another group is kept.
            const bool moved = writer == Writer::SettingsOnClose;
            QCOMPARE(written.contains("Left=286"), !moved);
            QCOMPARE(written.contains("PlayListFilePath="), !moved);
            QVERIFY(written.contains("ArchiveFilePath=" + scene.Path(ArchivePath).toUtf8()));
            QVERIFY(written.contains("Note=" + QByteArray(300, 'n')));
            break;
        }
        }
        return;
    }

    // The window said so, in one box that names the file.
    QCOMPARE(others, QStringList{FailureBox(writer, scene.Root())});
    // The flags, the paths and the library are as they were before the command.
    QCOMPARE(after, before);
    // The previous file is intact byte for byte, and nothing was added to its folder.
    QCOMPARE(FileBytes(target), previous);
    QCOMPARE(FolderContents(folder), folderBefore);
    QCOMPARE(FileBytes(scene.Path(ArchivePath)), previousArchive);
    QCOMPARE(FileBytes(scene.Path(PlayListPath)), previousPlayList);
}

void WriteFaultsTest::killedWriteKeepsThePreviousFile_data() {
    QTest::addColumn<Writer>("writer");
    QTest::newRow("Compile To WrkFile, 300 MB of waves") << Writer::Compile;
    QTest::newRow("Add Voice, a 300 MB wave") << Writer::AddVoice;
}

// The child copies hundreds of megabytes; once its temporary file holds a good part of them it is
// killed. The previous file stays as it was. (The dead process's temporary file may stay beside
// it: nothing was left to remove it.)
void WriteFaultsTest::killedWriteKeepsThePreviousFile() {
    QFETCH(Writer, writer);
    Scene scene(true);
    const QString target = scene.Path(TargetOf(writer));
    const QString folder = TargetFolderOf(writer, scene);
    const QByteArray previous = FileBytes(target);

    int out = -1;
    const pid_t child = StartScenario(writer, scene.Root(), Fault::None, &out);
    QVERIFY(child > 0);
    bool caught = false;
    bool ended = false;
    QElapsedTimer waited;
    waited.start();
    while (!caught && !ended && waited.elapsed() < 120'000) {
        for (const QString& name : TemporaryFiles(folder))
            if (QFileInfo(QDir(folder).filePath(name)).size() > 8 * 1000 * 1000)
                caught = true;
        ended = ::waitpid(child, nullptr, WNOHANG) == child;
        if (!caught && !ended)
            QThread::msleep(1);
    }
    if (!ended) {
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
    ::close(out);
    QVERIFY2(caught && !ended, "the write ended before it could be killed part-way");
    QCOMPARE(FileBytes(target), previous);
}

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--scenario") {
        for (const auto& [writer, name] : WriterNames)
            if (name == QLatin1String(argv[2]))
                return RunScenario(writer, QString::fromLocal8Bit(argv[3]));
        return SceneFailed;
    }
    QApplication application(argc, argv);
    application.setAttribute(Qt::AA_Use96Dpi, true);
    WriteFaultsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WriteFaults_test.moc"
