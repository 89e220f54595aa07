#pragma once

// What loading and changing the stored entries can report: the data file's name, why a load
// stopped early, and why a change was refused. Shared by the store, its file, and the windows that
// tell the user.

#include "core/entry.h"

#include <QString>

namespace pomiro {

inline constexpr char16_t kDataFileName[] = u"データ.txt";

// Why reading stopped before the end of the file. Whatever was not read is kept, byte for byte,
// behind the entries by every later rewrite.
enum class LoadStop {
    EndOfFile,       // everything was read
    TableFull,       // a 301st entry
    IncompleteEntry, // the file ends in the middle of an entry
    Undecodable,     // bytes that are not CP932
};

// What a load found.
struct LoadReport
{
    LoadStop stop = LoadStop::EndOfFile;
    bool created = false; // there was no data file, so an empty one was made
};

struct DataFileError
{
    enum class Kind {
        TableFull,        // a new entry while 300 are stored
        UnwritableText,   // a double quote, or a character CP932 cannot hold
        ReadFailed,       // the file exists but could not be read
        WriteFailed,      // the new content could not be written; the old file is unchanged
        DiskFull,         // WriteFailed for want of space
        ChangedElsewhere, // the file no longer holds what was last read or written: nothing written
    };
    Kind kind = Kind::WriteFailed;
    EntryField field = EntryField::Name; // UnwritableText: the field holding the character
    char32_t character = 0;              // UnwritableText: the first character refused
    qsizetype entry = -1;                // UnwritableText in an entry already stored: its index
    QString detail; // the system's own words, for ReadFailed / WriteFailed, logged by the window
};

} // namespace pomiro
