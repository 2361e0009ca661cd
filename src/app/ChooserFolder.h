#pragma once
// Where a file chooser starts: beside the file last used with it, else beside the file the
// window has open, else in the home folder. A folder that has gone since is passed over, since a
// chooser told to start in one opens wherever the process happens to stand.

#include <QString>
#include <initializer_list>

// The folder of the first of `files` (most wanted first; empty ones skipped) whose folder still
// exists, or the home folder.
QString ChooserStartFolder(std::initializer_list<QString> files);
