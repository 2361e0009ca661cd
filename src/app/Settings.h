#pragma once
// Where the editor keeps what it remembers between runs: the user's settings of organisation
// "Quorvel", application "Orlamo", group "Data" (on Linux $XDG_CONFIG_HOME/Quorvel/Orlamo.conf).

#include <QList>
#include <QRect>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <utility>

class QSettings;

namespace Settings {

inline const QString Group = QStringLiteral("Data");
inline const QString ArchiveFilePath = QStringLiteral("ArchiveFilePath");
inline const QString PlayListFilePath = QStringLiteral("PlayListFilePath");
inline const QString Left = QStringLiteral("Left");
inline const QString Top = QStringLiteral("Top");
inline const QString Height = QStringLiteral("Height");
inline const QString Width = QStringLiteral("Width");
inline const QString Version = QStringLiteral("Version");
inline const QString VersionValue = QStringLiteral("1.0");

// The settings store of this program (user scope, native format).
std::unique_ptr<QSettings> Open();

// Whether the "Data" group holds any value: a first run has none.
bool DataExists(QSettings& settings);

// A 32-bit integer read from the "Data" group, or the error text that says why it cannot be:
// "Failed to get data for '<name>'" (absent) or "Invalid data type for '<name>'" (not a number).
struct IntegerValue {
    std::optional<int> Value;
    QString Error;
};
IntegerValue ReadInteger(QSettings& settings, const QString& name);

// Writes these values of the "Data" group into the settings file of `store`, with every other
// value the file holds. The new file is written beside the old one, read back and compared, and
// only then renamed over it, so that a write that fails part-way (a full disk, a file-size limit)
// leaves the previous file as it was. Nothing is written when the file holds these values
// already. `store` sees the new values afterwards. False when the file could not be written.
using NamedValues = QList<std::pair<QString, QVariant>>;
bool WriteValues(QSettings& store, const NamedValues& values);

// Whether a window whose frame would stand at `frame` can be seen and grabbed on some screen:
// a good part of its top edge, where the title bar is, lies on a screen's free area.
bool PlacementVisible(const QRect& frame);

} // namespace Settings
