#include "app/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QRandomGenerator>
#include <QScreen>
#include <QSettings>
#include <filesystem>
#include <system_error>

namespace Settings {

namespace {
// A hidden name beside the settings file, not used before in this run.
QString ScratchNameFor(const QString& target) {
    const QFileInfo info(target);
    return info.absoluteDir().filePath(QStringLiteral(".%1.tmp-%2-%3")
                                           .arg(info.fileName())
                                           .arg(QCoreApplication::applicationPid())
                                           .arg(QRandomGenerator::global()->generate64()));
}

// Values read back from a file are strings where the program wrote numbers.
bool SameValue(const QVariant& a, const QVariant& b) {
    return a == b ||
           (a.canConvert<QString>() && b.canConvert<QString>() && a.toString() == b.toString());
}

// Whether the settings file at path holds exactly these values.
bool HoldsExactly(const QString& path, QSettings::Format format,
                  const QMap<QString, QVariant>& values) {
    const QSettings file(path, format);
    if (file.status() != QSettings::NoError || file.allKeys().size() != values.size())
        return false;
    for (auto value = values.cbegin(); value != values.cend(); ++value)
        if (!file.contains(value.key()) || !SameValue(file.value(value.key()), value.value()))
            return false;
    return true;
}
} // namespace

std::unique_ptr<QSettings> Open() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Quorvel"), QStringLiteral("Orlamo"));
}

bool DataExists(QSettings& settings) {
    settings.beginGroup(Group);
    const bool any = !settings.allKeys().isEmpty();
    settings.endGroup();
    return any;
}

IntegerValue ReadInteger(QSettings& settings, const QString& name) {
    const QString key = Group + QLatin1Char('/') + name;
    if (!settings.contains(key))
        return {std::nullopt, QStringLiteral("Failed to get data for '%1'").arg(name)};
    const QVariant value = settings.value(key);
    bool ok = false;
    int number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
        number = value.toInt(&ok);
        break;
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        number = value.toInt(&ok);
        break; // fails outside 32 bits
    case QMetaType::QString:
        number = value.toString().toInt(&ok, 10);
        break;
    case QMetaType::QByteArray:
        number = value.toByteArray().toInt(&ok, 10);
        break;
    default:
        break;
    }
    if (!ok)
        return {std::nullopt, QStringLiteral("Invalid data type for '%1'").arg(name)};
    return {number, {}};
}

bool WriteValues(QSettings& store, const NamedValues& values) {
    // What the file holds now, other runs' changes included, with the new values over it. (The
    // store itself also answers from the files it falls back on, which are not to be copied.)
    const QString target = store.fileName();
    QMap<QString, QVariant> wanted;
    {
        const QSettings file(target, store.format());
        for (const QString& key : file.allKeys())
            wanted.insert(key, file.value(key));
    }
    bool changed = false;
    for (const auto& [name, value] : values) {
        const QString key = Group + QLatin1Char('/') + name;
        changed = changed || !wanted.contains(key) || !SameValue(wanted.value(key), value);
        wanted.insert(key, value);
    }
    if (!changed)
        return true;

    // QSettings renames its new file into place even when the end of it could not be written (the
    // error comes with the last flush, which it does not check): it only lays out the text here,
    // in a scratch file that is checked before it replaces anything.
    QDir().mkpath(QFileInfo(target).absolutePath());
    const QString written = ScratchNameFor(target);
    bool ok = false;
    {
        QSettings file(written, store.format());
        for (auto value = wanted.cbegin(); value != wanted.cend(); ++value)
            file.setValue(value.key(), value.value());
        file.sync();
        ok = file.status() == QSettings::NoError;
    }
    // Read back under a name of its own: a file this run has read is answered from memory.
    const QString checked = ScratchNameFor(target);
    ok = ok && QFile::rename(written, checked) && HoldsExactly(checked, store.format(), wanted);
    if (ok && QFileInfo::exists(target))
        ok = QFile::setPermissions(checked, QFile::permissions(target));
    if (ok) {
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(checked).toStdString(),
                                QFile::encodeName(target).toStdString(), error);
        ok = !error;
    }
    if (!ok) {
        QFile::remove(written);
        QFile::remove(checked);
    }
    // The store reads the file again when it has changed.
    store.sync();
    return ok;
}

bool PlacementVisible(const QRect& frame) {
    if (frame.width() <= 0 || frame.height() <= 0)
        return false;
    // The strip a user would grab to move the window back.
    constexpr int GrabHeight = 24;
    constexpr int MinimumGrabWidth = 48;
    const QRect grabStrip(frame.left(), frame.top(), frame.width(),
                          std::min(GrabHeight, frame.height()));
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect seen = grabStrip.intersected(screen->availableGeometry());
        if (seen.width() >= std::min(MinimumGrabWidth, frame.width()) && seen.height() >= 4)
            return true;
    }
    return false;
}

} // namespace Settings
