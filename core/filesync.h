#pragma once

#include "core/savefile.h"

#include <QString>
#include <optional>

class QFileDevice;

// What makes a replaced file survive a power cut, as each system offers it: filesync_posix.cpp
// (fsync of the file and of its folder), filesync_windows.cpp (FlushFileBuffers; Windows has no
// folder to sync).
namespace pomiro {

// Makes everything written to the open `file` reach the disk; why not, when it did not.
std::optional<SaveError> syncToDisk(QFileDevice &file);

// Makes the folder's entry for a file just renamed reach the disk, where the system can. Not every
// file system can sync a folder; that alone is no failure.
void syncFolderOf(const QString &filePath);

} // namespace pomiro
