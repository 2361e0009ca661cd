#include "app/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace Settings {

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
