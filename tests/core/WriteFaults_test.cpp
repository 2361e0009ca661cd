// Faults injected into every file the core and orlamo-cli write: a folder that is not there, a
// target that is a folder, a read-only folder, the file-size limit hit part-way, and the process
// killed in the middle of a long compile. After each the previous file is intact byte for byte;
// after every failure the writer saw, it said so and left no temporary file behind.

#include "cli/Cli.h"
#include "formats/ArchiveFile.h"
#include "formats/PlayListFile.h"
#include "formats/WaveInspector.h"
#include "formats/WorkFile.h"
#include "model/Library.h"
#include "model/PlayList.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orlamo;
using namespace orlamo::test;
namespace fs = std::filesystem;

namespace {

// The exit status of a child that could not start orlamo-cli.
constexpr int ExecFailed = 127;

enum class Writer {
    SaveArchive,
    WritePlayList,
    CompileWorkFile,
    CliCompile,
    CliExtract,
    CliConvert,
    CliSlotMap
};

std::string WriterName(Writer writer) {
    switch (writer) {
    case Writer::SaveArchive:
        return "SaveArchive";
    case Writer::WritePlayList:
        return "WritePlayList";
    case Writer::CompileWorkFile:
        return "CompileWorkFile";
    case Writer::CliCompile:
        return "CliCompile";
    case Writer::CliExtract:
        return "CliExtract";
    case Writer::CliConvert:
        return "CliConvert";
    case Writer::CliSlotMap:
        return "CliSlotMap";
    }
    return "?";
}

bool IsCli(Writer writer) {
    return writer == Writer::CliCompile || writer == Writer::CliExtract ||
           writer == Writer::CliConvert || writer == Writer::CliSlotMap;
}

struct Outcome {
    bool Ok = false;
    std::string Message; // the error result, or what a CLI run wrote on stderr
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The names in a folder, so that a stray temporary file shows as a difference.
std::set<std::string> Listing(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.insert(entry.path().filename().string());
    return names;
}

// The inputs of every writer, made in a scratch folder: two waves, the library and playlist that
// name them, the playlist as a file (for `orlamo-cli compile`) and a work file (for `extract`).
class Scene {
public:
    // `small` and `large` are the data sizes of the two waves, in bytes.
    explicit Scene(std::uint32_t small = 1000, std::uint32_t large = 3000) {
        const fs::path waves = Temp.Path() / "waves";
        WriteBytes(waves / "small.wav", SimpleWave(8000, 8, small, 1, 1));
        WriteBytes(waves / "large.wav", SimpleWave(16000, 16, large, 1, 2));
        // What `orlamo-cli convert` turns into a wave the module takes.
        WriteBytes(Root() / "inputs" / "stereo.wav", SimpleWave(22050, 16, 4 * large, 2, 3));
        MakeModel(waves / "small.wav", waves / "large.wav");
    }

    // A scene whose two waves are sparse files of `dataSize` bytes each: a long compile that
    // costs no disk space to prepare.
    static std::unique_ptr<Scene> Sparse(std::uint32_t dataSize) {
        auto scene = std::make_unique<Scene>(0, 0);
        const fs::path waves = scene->Temp.Path() / "big";
        for (const char* name : {"one.wav", "two.wav"}) {
            const std::string header =
                Riff(Chunk("fmt ", FmtBody(1, 16000, 16)) + "data" + Le32(dataSize));
            WriteBytes(waves / name, header);
            fs::resize_file(waves / name, header.size() + dataSize);
        }
        scene->MakeModel(waves / "one.wav", waves / "two.wav");
        return scene;
    }

    // Adds a bin of `voices` voices with long descriptions, so that saving takes a while
    // (120,000 of them make about 27 MB of text).
    void GrowArchive(int voices) {
        std::vector<WAVE_DPTR> many(static_cast<std::size_t>(voices),
                                    Archive.BinAt(0).Voices.at(0));
        for (std::size_t i = 0; i < many.size(); ++i)
            many[i].Descripition = std::string(150, 'a' + static_cast<char>(i % 26));
        Archive.AddBin("Many", std::move(many));
    }

    const fs::path& Root() const { return Temp.Path(); }
    fs::path Folder(const std::string& name) const {
        fs::create_directories(Root() / name);
        return Root() / name;
    }

    // The file each writer puts in its folder, whose previous contents a fault must keep.
    static std::string TargetName(Writer writer) {
        switch (writer) {
        case Writer::SaveArchive:
            return "library.arh";
        case Writer::WritePlayList:
            return "list.pla";
        case Writer::CliExtract:
            return "slot-001.wav";
        case Writer::CliConvert:
            return "converted.wav";
        case Writer::CliSlotMap:
            return "slots.csv";
        default:
            return "image.wrk";
        }
    }
    // The file a writer writes last, made a folder by one fault.
    static std::string LastTargetName(Writer writer) {
        return writer == Writer::CliExtract ? "slot-003.wav" : TargetName(writer);
    }

    // The bytes the writer puts at TargetName when it succeeds, from a run into a folder of its
    // own.
    std::size_t NewSize(Writer writer) {
        const fs::path folder = Root() / ("size-of-" + WriterName(writer));
        fs::create_directories(folder);
        const Outcome outcome = Write(writer, folder);
        return outcome.Ok ? fs::file_size(folder / TargetName(writer)) : 0;
    }

    std::vector<std::string> CliArgs(Writer writer, const fs::path& folder,
                                     const std::string& name = {}) const {
        const std::string target = (folder / (name.empty() ? TargetName(writer) : name)).string();
        if (writer == Writer::CliCompile)
            return {"compile", PlayListPath.string(), "-o", target, "--force", "--allow-large"};
        if (writer == Writer::CliConvert)
            return {"convert", (Root() / "inputs" / "stereo.wav").string(), "-o", target,
                    "--force"};
        if (writer == Writer::CliSlotMap)
            return {"slotmap", PlayListPath.string(), "-o", target, "--force"};
        return {"extract", WorkPath.string(), "-d", folder.string()};
    }

    // Runs one writer into `folder`, in this process; `name` replaces the target's usual name.
    Outcome Write(Writer writer, const fs::path& folder, const std::string& name = {}) {
        const std::string target = (folder / (name.empty() ? TargetName(writer) : name)).string();
        switch (writer) {
        case Writer::SaveArchive: {
            const FileWriteResult result = SaveArchive(target, Archive);
            return {result.Ok, result.Message};
        }
        case Writer::WritePlayList: {
            const FileWriteResult result = WritePlayListFile(target, "list", List.AllSlots());
            return {result.Ok, result.Message};
        }
        case Writer::CompileWorkFile: {
            const CompileResult result = CompileWorkFile(target, List.AllSlots());
            return {result.Ok, result.Message};
        }
        default: {
            std::ostringstream out, err;
            const int status = cli::Run(CliArgs(writer, folder, name), out, err);
            return {status == cli::ExitOk, err.str()};
        }
        }
    }

    // Runs one writer into `folder` in a child process: the orlamo-cli program for the CLI
    // writers, a fork of this one for the others. `prepare` runs in the child first.
    pid_t Spawn(Writer writer, const fs::path& folder, int errorPipe,
                const std::function<void()>& prepare) {
        const std::vector<std::string> args =
            IsCli(writer) ? CliArgs(writer, folder) : std::vector<std::string>{};
        const pid_t child = ::fork();
        if (child != 0)
            return child;
        prepare();
        if (IsCli(writer)) {
            ::dup2(errorPipe, STDERR_FILENO);
            const int devNull = ::open("/dev/null", O_WRONLY);
            ::dup2(devNull, STDOUT_FILENO);
            std::vector<char*> argv{const_cast<char*>(ORLAMO_CLI_PATH)};
            for (const auto& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            ::execv(ORLAMO_CLI_PATH, argv.data());
            ::_exit(ExecFailed);
        }
        const Outcome outcome = Write(writer, folder);
        const std::string report = outcome.Ok ? std::string() : "failed: " + outcome.Message;
        [[maybe_unused]] const auto written = ::write(errorPipe, report.data(), report.size());
        ::_exit(outcome.Ok ? 0 : 1);
    }

private:
    void MakeModel(const fs::path& first, const fs::path& second) {
        const WaveInspection one = InspectWaveFile(first.string());
        const WaveInspection two = InspectWaveFile(second.string());
        auto voice = [](const fs::path& path, const WaveInspection& inspection, int n) {
            WAVE_DPTR record;
            record.FileName = path.filename().string();
            record.FullPath = path.string();
            record.VoiceName = "Voice " + std::to_string(n);
            record.Descripition = "Description of voice " + std::to_string(n);
            record.DataSize = inspection.DataSize;
            record.PlayTime = inspection.PlayTime;
            record.FormatCode = WaveFormatCode(inspection.RateIndex);
            return record;
        };

        Archive = Library();
        Archive.SetArchiveNode("Faults");
        for (int b = 0; b < 3; ++b) {
            std::vector<WAVE_DPTR> voices;
            for (int v = 0; v < 20; ++v)
                voices.push_back(voice(v % 2 ? second : first, v % 2 ? two : one, v));
            Archive.AddBin("Bin " + std::to_string(b), std::move(voices));
        }

        // Slots 1 and 3 hold the voices: slot 1 is written first, slot 3 last.
        List = PlayList("list");
        List.Slot(1) = voice(first, one, 1);
        List.Slot(1).SlotNumber = 1;
        List.Slot(3) = voice(second, two, 3);
        List.Slot(3).SlotNumber = 3;

        PlayListPath = Root() / "inputs" / "list.pla";
        fs::create_directories(PlayListPath.parent_path());
        ASSERT_TRUE(WritePlayListFile(PlayListPath.string(), "list", List.AllSlots()).Ok);
        WorkPath = Root() / "inputs" / "image.wrk";
        std::vector<WAVE_DPTR> slots = List.AllSlots();
        if (List.TotalSize() < 64 * 1024 * 1024) {
            ASSERT_TRUE(CompileWorkFile(WorkPath.string(), slots).Ok);
        } else {
            // A large work file is laid out by hand over sparse data: the data is all zeros.
            const std::uint32_t a = List.Slot(1).DataSize, b = List.Slot(3).DataSize;
            std::string head = "ORMN" + Le16(WorkFileConstant) + Le16(3) + Le32(a + b);
            head += Le32(a + List.Slot(1).FormatCode) + Le32(36);
            head += Le32(0) + Le32(0);
            head += Le32(b + List.Slot(3).FormatCode) + Le32(36 + a);
            WriteBytes(WorkPath, head);
            fs::resize_file(WorkPath, 36ull + a + b);
        }
    }

    TempDir Temp;
    Library Archive;
    PlayList List;
    fs::path PlayListPath;
    fs::path WorkPath;
};

struct ChildOutcome {
    bool Exited = false; // false when a signal ended it
    int Status = -1;
    std::string Message; // the error result, or what the CLI wrote on stderr
};

// Runs one writer in a child process after `prepare`, and collects how it ended.
ChildOutcome RunInChild(Scene& scene, Writer writer, const fs::path& folder,
                        const std::function<void()>& prepare) {
    int pipe[2];
    if (::pipe(pipe) != 0)
        return {};
    const pid_t child = scene.Spawn(writer, folder, pipe[1], prepare);
    ::close(pipe[1]);
    ChildOutcome outcome;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        outcome.Message.append(buffer, static_cast<std::size_t>(got));
    ::close(pipe[0]);
    int status = 0;
    if (::waitpid(child, &status, 0) != child)
        return outcome;
    outcome.Exited = WIFEXITED(status);
    outcome.Status = outcome.Exited ? WEXITSTATUS(status) : -1;
    return outcome;
}

constexpr uid_t NobodyId = 65534;
constexpr int CannotDropRoot = 77;

const std::string PreviousContents = "previous contents, which every failure must keep\n";

class WriteFaults : public ::testing::TestWithParam<Writer> {
protected:
    Writer Kind() const { return GetParam(); }

    // The failure was reported: an error result naming the file, or a failed exit with a message.
    void ExpectReported(const Outcome& outcome, const fs::path& named) {
        EXPECT_FALSE(outcome.Ok);
        if (IsCli(Kind()))
            EXPECT_TRUE(Contains(outcome.Message, named.string())) << outcome.Message;
        else
            EXPECT_EQ(outcome.Message, "Unable to write to " + named.string());
    }
};

TEST_P(WriteFaults, WritesWhenNothingGoesWrong) {
    Scene scene;
    const fs::path folder = scene.Folder("out");
    WriteBytes(folder / Scene::TargetName(Kind()), PreviousContents);
    const Outcome outcome = scene.Write(Kind(), folder);
    ASSERT_TRUE(outcome.Ok) << outcome.Message;
    EXPECT_EQ(fs::file_size(folder / Scene::TargetName(Kind())), scene.NewSize(Kind()));
    for (const auto& name : Listing(folder))
        EXPECT_NE(name.front(), '.') << name;
}

// The temporary file beside the target must fit wherever the target's name fits.
TEST_P(WriteFaults, WritesATargetWithTheLongestName) {
    if (Kind() == Writer::CliExtract)
        GTEST_SKIP() << "extract names its files itself";
    Scene scene;
    const fs::path folder = scene.Folder("out");
    const std::string name = Scene::TargetName(Kind());
    const fs::path target = folder / (std::string(255 - name.size(), 'n') + name);
    WriteBytes(target, PreviousContents);
    ASSERT_EQ(target.filename().string().size(), 255u);

    const Outcome outcome = scene.Write(Kind(), folder, target.filename().string());
    ASSERT_TRUE(outcome.Ok) << outcome.Message;
    EXPECT_EQ(fs::file_size(target), scene.NewSize(Kind()));
    EXPECT_EQ(Listing(folder), std::set<std::string>{target.filename().string()});
}

TEST_P(WriteFaults, FolderThatDoesNotExist) {
    if (Kind() == Writer::CliExtract)
        GTEST_SKIP() << "extract makes its folder";
    Scene scene;
    const fs::path folder = scene.Root() / "missing";
    const Outcome outcome = scene.Write(Kind(), folder);
    ExpectReported(outcome, folder / Scene::TargetName(Kind()));
    EXPECT_FALSE(fs::exists(folder));
}

TEST_P(WriteFaults, FolderUnderARegularFile) {
    Scene scene;
    WriteBytes(scene.Root() / "plain", PreviousContents);
    const fs::path folder = scene.Root() / "plain" / "sub";
    const Outcome outcome = scene.Write(Kind(), folder);
    EXPECT_FALSE(outcome.Ok);
    EXPECT_FALSE(outcome.Message.empty());
    if (Kind() != Writer::CliExtract)
        ExpectReported(outcome, folder / Scene::TargetName(Kind()));
    EXPECT_EQ(ReadBytes(scene.Root() / "plain"), PreviousContents);
}

TEST_P(WriteFaults, TargetThatIsAFolder) {
    Scene scene;
    const fs::path folder = scene.Folder("out");
    const fs::path blocked = folder / Scene::LastTargetName(Kind());
    fs::create_directories(blocked);
    WriteBytes(blocked / "inside", PreviousContents);
    if (Scene::LastTargetName(Kind()) != Scene::TargetName(Kind()))
        WriteBytes(folder / Scene::TargetName(Kind()), PreviousContents);
    const auto before = Listing(folder);

    const Outcome outcome = scene.Write(Kind(), folder);
    ExpectReported(outcome, blocked);
    EXPECT_EQ(ReadBytes(blocked / "inside"), PreviousContents);
    if (Scene::LastTargetName(Kind()) != Scene::TargetName(Kind())) {
        EXPECT_EQ(ReadBytes(folder / Scene::TargetName(Kind())), PreviousContents);
    }
    EXPECT_EQ(Listing(folder), before);
}

// Root writes into read-only folders, so as root the writer runs as the user "nobody" instead.
TEST_P(WriteFaults, ReadOnlyFolder) {
    Scene scene;
    const fs::path folder = scene.Folder("out");
    const fs::path target = folder / Scene::TargetName(Kind());
    WriteBytes(target, PreviousContents);
    // Everything else stays readable for that other user.
    std::error_code error;
    fs::permissions(scene.Root(), fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::add);
    for (const auto& entry : fs::recursive_directory_iterator(scene.Root(), error))
        fs::permissions(entry.path(),
                        entry.is_directory() ? fs::perms::others_read | fs::perms::others_exec
                                             : fs::perms::others_read,
                        fs::perm_options::add);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const auto before = Listing(folder);

    const ChildOutcome outcome = RunInChild(scene, Kind(), folder, [] {
        if (::geteuid() == 0 && (::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0))
            ::_exit(CannotDropRoot);
    });
    fs::permissions(folder, fs::perms::owner_all);
    if (outcome.Exited && outcome.Status == CannotDropRoot)
        GTEST_SKIP() << "cannot run as another user here";
    if (outcome.Exited && outcome.Status == ExecFailed)
        GTEST_SKIP() << "that user cannot run " << ORLAMO_CLI_PATH;
    ASSERT_TRUE(outcome.Exited) << "the writer died instead of reporting the failure";
    EXPECT_NE(outcome.Status, 0);
    EXPECT_TRUE(Contains(outcome.Message, "Unable to write to " + folder.string()))
        << outcome.Message;
    EXPECT_EQ(ReadBytes(target), PreviousContents);
    EXPECT_EQ(Listing(folder), before);
}

// The child's file-size limit lies inside the new file: its writes fail with EFBIG part-way.
TEST_P(WriteFaults, FileSizeLimitReachedPartWay) {
    Scene scene(1000, 3000);
    const fs::path folder = scene.Folder("out");
    const fs::path target = folder / Scene::TargetName(Kind());
    WriteBytes(target, PreviousContents);
    const auto before = Listing(folder);
    // For extract the limit lies between the first wave (1044 bytes) and the last (3044 bytes),
    // so that the last one fails after the first is complete.
    const rlim_t limit = Kind() == Writer::CliExtract ? 2000 : scene.NewSize(Kind()) / 2;
    ASSERT_GT(limit, 0u);

    const ChildOutcome outcome = RunInChild(scene, Kind(), folder, [limit] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
    });
    ASSERT_TRUE(outcome.Exited) << "the writer died instead of reporting the failure";
    EXPECT_NE(outcome.Status, 0);
    EXPECT_TRUE(Contains(outcome.Message, "Unable to write to " + folder.string()))
        << outcome.Message;
    EXPECT_EQ(ReadBytes(target), PreviousContents);
    EXPECT_EQ(Listing(folder), before);
}

INSTANTIATE_TEST_SUITE_P(AllWriters, WriteFaults,
                         ::testing::Values(Writer::SaveArchive, Writer::WritePlayList,
                                           Writer::CompileWorkFile, Writer::CliCompile,
                                           Writer::CliExtract, Writer::CliConvert,
                                           Writer::CliSlotMap),
                         [](const auto& info) { return WriterName(info.param); });

// A long write killed with SIGKILL part-way (a large archive being saved, a 200 MB compile or
// extract): the previous file stays as it was. (A temporary file of the dead process may stay
// beside it; nothing could have removed it.)
class KilledWrite : public ::testing::TestWithParam<Writer> {};

TEST_P(KilledWrite, LeavesThePreviousFileIntact) {
    constexpr std::uint32_t WaveData = 100 * 1000 * 1000; // two of these: 200 MB to copy
    const auto scene = Scene::Sparse(WaveData);
    const Writer kind = GetParam();
    if (kind == Writer::SaveArchive)
        scene->GrowArchive(120000);
    const fs::path folder = scene->Folder("out");
    const fs::path target = folder / Scene::TargetName(kind);
    WriteBytes(target, PreviousContents);

    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t child = scene->Spawn(kind, folder, pipe[1], [] {});
    ::close(pipe[1]);

    // Wait until the temporary file has taken a good part of the data, then kill the writer.
    // The archive's text goes out in one write, so its save is part-way once the file exists.
    const std::uintmax_t partWay = kind == Writer::SaveArchive ? 0 : 8 * 1000 * 1000;
    bool caught = false;
    bool ended = false;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!caught && std::chrono::steady_clock::now() < deadline) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error))
            if (Contains(entry.path().filename().string(), ".tmp-") &&
                entry.file_size(error) >= partWay)
                caught = true;
        if (::waitpid(child, &status, WNOHANG) == child) {
            ended = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    ::close(pipe[0]);

    ASSERT_TRUE(caught) << "the writer ended before it could be killed part-way";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(ReadBytes(target), PreviousContents);
}

INSTANTIATE_TEST_SUITE_P(LongWriters, KilledWrite,
                         ::testing::Values(Writer::SaveArchive, Writer::CompileWorkFile,
                                           Writer::CliCompile, Writer::CliExtract),
                         [](const auto& info) { return WriterName(info.param); });

} // namespace
