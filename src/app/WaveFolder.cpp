#include "app/WaveFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString WaveFolderName = QStringLiteral("Wave");
const char* const OverrideVariable = "ORLAMO_WAVE_FOLDER";

WaveFolderDefaults InFolder(const QString& base) {
    const QString clean = QDir::cleanPath(base);
    return {QDir(clean).filePath(WaveFolderName), clean};
}
} // namespace

WaveFolderDefaults DefaultWaveFolder() {
    const QString overridden = qEnvironmentVariable(OverrideVariable);
    if (!overridden.isEmpty()) {
        const QString folder = QDir::cleanPath(QFileInfo(overridden).absoluteFilePath());
        return {folder, QFileInfo(folder).absolutePath()};
    }
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!programFolder.isEmpty()) {
        // Usable when the Wave folder can take files, or can be made when it is missing.
        const WaveFolderDefaults beside = InFolder(programFolder);
        const QFileInfo wave(beside.WaveFolder);
        const QFileInfo program(programFolder);
        if (wave.exists() ? (wave.isDir() && wave.isWritable()) : program.isWritable())
            return beside;
    }
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return InFolder(appData.isEmpty() ? QDir::homePath() : appData);
}
