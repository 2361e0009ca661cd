#pragma once
// ImageList1: the 19 pictures that menus, popups, actions, the library tree and the bin view
// share, addressed by index. The pictures are SVG files compiled into the program.

#include <QIcon>
#include <QString>

namespace ImageList {

constexpr int Count = 19;

enum Index {
    BlankPage = 0,
    OpenFolder = 1,
    Floppy = 2,
    Door = 3,
    BookHelp = 4,
    Disc = 5, // a bin node of the library tree
    NoteAdd = 6,
    NoteRemove = 7,
    NoteOk = 8,
    ListPage = 9,
    ListAdd = 10,
    ListRemove = 11,
    ListOk = 12,
    FolderNotes = 13,
    FolderAdd = 14,
    FolderRemove = 15,
    PlayDisc = 16,
    InPlayListTick = 17, // the in-playlist marker of a bin-view row
    NoteSheet = 18,
};

// The picture at an index; a null icon for an index outside 0 to Count - 1.
QIcon Icon(int index);
// Its resource path (":/icons/...svg"); empty outside the range.
QString ResourcePath(int index);
// The application's own icon, for the window.
QIcon ApplicationIcon();

} // namespace ImageList
