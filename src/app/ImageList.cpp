#include "app/ImageList.h"

#include <array>

// The pictures live in a static library: register its resources before the first use.
static void EnsureIconResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

namespace ImageList {

namespace {
constexpr std::array<const char*, Count> Files{
    "00-blank-page.svg", "01-open-folder.svg",  "02-floppy.svg",     "03-door.svg",
    "04-book-help.svg",  "05-disc.svg",         "06-note-add.svg",   "07-note-remove.svg",
    "08-note-ok.svg",    "09-list-page.svg",    "10-list-add.svg",   "11-list-remove.svg",
    "12-list-ok.svg",    "13-folder-notes.svg", "14-folder-add.svg", "15-folder-remove.svg",
    "16-play-disc.svg",  "17-red-tick.svg",     "18-note-sheet.svg",
};
} // namespace

QString ResourcePath(int index) {
    if (index < 0 || index >= Count)
        return {};
    return QStringLiteral(":/icons/") + QLatin1String(Files[static_cast<std::size_t>(index)]);
}

QIcon Icon(int index) {
    if (index < 0 || index >= Count)
        return {};
    EnsureIconResources();
    // The SVG icon engine draws the picture afresh at every size and scale it is asked for.
    return QIcon(ResourcePath(index));
}

QIcon ApplicationIcon() {
    EnsureIconResources();
    return QIcon(QStringLiteral(":/icons/orlamo.svg"));
}

} // namespace ImageList
