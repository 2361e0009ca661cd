#pragma once
// One GUI test's world: a temporary folder that holds the settings store, the wave folder and
// any files the test writes; the main window created over a ScriptedSeam; helpers that write
// wave files and settings values. Make one per test function (init/cleanup or a local).

#include "app/MainForm.h"
#include "support/ScriptedSeam.h"

#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <cstdint>
#include <memory>

class GuiFixture {
public:
    GuiFixture();
    ~GuiFixture();
    GuiFixture(const GuiFixture&) = delete;
    GuiFixture& operator=(const GuiFixture&) = delete;

    // The seam the next window will get; script it before CreateWindow() for start-up boxes.
    ScriptedSeam& Seam() { return *SeamPtr; }
    // Creates the window (FormCreate with the settings of this fixture) and its dialogs.
    TFormMain& CreateWindow();
    TFormMain& Window() { return *WindowPtr; }
    bool HasWindow() const { return WindowPtr != nullptr; }
    // Closes the window (the close request and FormClose) and destroys it (FormDestroy).
    // Gives whether the close was accepted; a refused close still destroys the window.
    bool CloseAndDestroyWindow();
    // A fresh seam and window over the same settings and files, as a restart of the program.
    TFormMain& Restart();

    // Paths inside the fixture's folder.
    QString Root() const { return Folder.path(); }
    QString Path(const QString& relative) const;
    QString WaveFolder() const { return Path(QStringLiteral("Wave")); }
    QString SettingsFile() const; // <root>/config/Quorvel/Orlamo.conf

    // Settings written before the window starts (group "Data"), and read after it ends.
    void WriteSetting(const QString& name, const QVariant& value);
    QVariant ReadSetting(const QString& name) const;
    bool HasSetting(const QString& name) const;
    // What an earlier run leaves behind when it closes: the placement and the version.
    void WriteEarlierRun(const QRect& placement = QRect(286, 244, 798, 534));

    // A canonical mono wave file; returns its full path. `dataSize` bytes of sound data.
    QString WriteWave(const QString& relativePath, std::uint32_t dataSize,
                      std::uint32_t rate = 22050, std::uint16_t bits = 16,
                      std::uint16_t channels = 1);
    // Any bytes at a path (e.g. a file the inspector refuses).
    QString WriteFile(const QString& relativePath, const QByteArray& bytes);

private:
    QTemporaryDir Folder;
    std::unique_ptr<ScriptedSeam> PendingSeam;
    ScriptedSeam* SeamPtr = nullptr;
    std::unique_ptr<TFormMain> WindowPtr;
    QByteArray OldWaveFolderVariable;
    bool HadWaveFolderVariable = false;
};
