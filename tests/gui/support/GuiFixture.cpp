#include "support/GuiFixture.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

namespace {
const char* const WaveFolderVariable = "ORLAMO_WAVE_FOLDER";

std::unique_ptr<QSettings> FixtureSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Quorvel"), QStringLiteral("Orlamo"));
}
} // namespace

GuiFixture::GuiFixture()
    : PendingSeam(std::make_unique<ScriptedSeam>()), SeamPtr(PendingSeam.get()) {
    QDir(Folder.path()).mkpath(QStringLiteral("config"));
    // The settings store and the wave folder of this test only.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       Path(QStringLiteral("config")));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Path(QStringLiteral("config")));
    HadWaveFolderVariable = qEnvironmentVariableIsSet(WaveFolderVariable);
    OldWaveFolderVariable = qgetenv(WaveFolderVariable);
    qputenv(WaveFolderVariable, WaveFolder().toLocal8Bit());
}

GuiFixture::~GuiFixture() {
    WindowPtr.reset();
    if (HadWaveFolderVariable)
        qputenv(WaveFolderVariable, OldWaveFolderVariable);
    else
        qunsetenv(WaveFolderVariable);
}

TFormMain& GuiFixture::CreateWindow() {
    if (!PendingSeam) {
        PendingSeam = std::make_unique<ScriptedSeam>();
        SeamPtr = PendingSeam.get();
    }
    WindowPtr = std::make_unique<TFormMain>(std::move(PendingSeam));
    WindowPtr->CreateDialogs();
    return *WindowPtr;
}

bool GuiFixture::CloseAndDestroyWindow() {
    if (!WindowPtr)
        return false;
    const bool closed = WindowPtr->close();
    WindowPtr.reset();
    SeamPtr = nullptr;
    return closed;
}

TFormMain& GuiFixture::Restart() {
    CloseAndDestroyWindow();
    PendingSeam = std::make_unique<ScriptedSeam>();
    SeamPtr = PendingSeam.get();
    return CreateWindow();
}

QString GuiFixture::Path(const QString& relative) const {
    return QDir(Folder.path()).filePath(relative);
}

QString GuiFixture::SettingsFile() const {
    return Path(QStringLiteral("config/Quorvel/Orlamo.conf"));
}

void GuiFixture::WriteSetting(const QString& name, const QVariant& value) {
    const auto settings = FixtureSettings();
    settings->setValue(QStringLiteral("Data/") + name, value);
    settings->sync();
}

QVariant GuiFixture::ReadSetting(const QString& name) const {
    return FixtureSettings()->value(QStringLiteral("Data/") + name);
}

bool GuiFixture::HasSetting(const QString& name) const {
    return FixtureSettings()->contains(QStringLiteral("Data/") + name);
}

void GuiFixture::WriteEarlierRun(const QRect& placement) {
    WriteSetting(QStringLiteral("Left"), placement.x());
    WriteSetting(QStringLiteral("Top"), placement.y());
    WriteSetting(QStringLiteral("Height"), placement.height());
    WriteSetting(QStringLiteral("Width"), placement.width());
    WriteSetting(QStringLiteral("Version"), QStringLiteral("1.0"));
}

QString GuiFixture::WriteWave(const QString& relativePath, std::uint32_t dataSize,
                              std::uint32_t rate, std::uint16_t bits, std::uint16_t channels) {
    const std::string bytes = orlamo::test::SimpleWave(rate, bits, dataSize, channels);
    return WriteFile(relativePath, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString GuiFixture::WriteFile(const QString& relativePath, const QByteArray& bytes) {
    const QString path = Path(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        QTest::qFail(qPrintable(QStringLiteral("cannot write ") + path), __FILE__, __LINE__);
    return path;
}
