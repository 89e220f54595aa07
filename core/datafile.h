#pragma once

#include "core/datafileerror.h"
#include "core/entry.h"
#include "core/result.h"
#include "core/savefile.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <optional>

namespace pomiro {

// The bytes of a data file taken apart by the reading rules; no file work.
struct ParsedDataFile
{
    Entries entries; // at most kMaxEntries
    LoadStop stop = LoadStop::EndOfFile;
    qsizetype unreadOffset = 0; // where the unread tail starts (== size when all was read)
};

ParsedDataFile parseDataFile(const QByteArray &bytes);

// One line as written: eleven double-quoted CP932 fields, commas, CR LF. Refuses a double quote or
// a character CP932 cannot hold, naming the first field that has one.
Result<QByteArray, DataFileError> encodeEntryLine(const Entry &entry);

// The data file "データ.txt" in one folder, with the append and rewrite steps. It remembers the
// bytes it could not load so that no rewrite ever drops them, and what the file held when it last
// read or wrote it: a write goes ahead only while the file still holds exactly that, so a change
// made by another program or window is never overwritten from a stale table.
class DataFile
{
public:
    explicit DataFile(QDir folder = QDir::current());

    // The file used: an existing one whose name matches "データ.txt" without regard to letter case,
    // otherwise "データ.txt" itself.
    QString path() const;

    // Reads the file into `entries` (creating an empty file when there is none), after removing the
    // copies a power cut left beside it (removeLeftoverCopies). A file that
    // exists but cannot be read leaves `entries` as they were and fails with ReadFailed; a missing
    // file that cannot be created leaves them empty and fails with WriteFailed.
    Result<LoadReport, DataFileError> load(Entries &entries);

    // Adds one line for a new entry after the loaded entries; refuses a 301st entry and text the
    // file cannot hold. Every existing byte is kept; a rest that could not be read (a cut-off or
    // undecodable entry) stays behind the new line so that the new entry reads back. Fails with
    // ChangedElsewhere, writing nothing, when the file changed since it was last read or written.
    // Does not touch the table.
    Result<void, DataFileError> append(const Entry &entry, const Entries &entries);

    // Writes every entry but the one at index `leaveOut` (-1: none), then the unread tail. Refused
    // after a load that could not read the file, and (ChangedElsewhere) when the file changed since
    // it was last read or written. Does not touch the table.
    Result<void, DataFileError> rewrite(const Entries &entries, qsizetype leaveOut = -1);

    // Fails with ChangedElsewhere unless the file still holds what was last read or written.
    Result<void, DataFileError> checkUnchanged() const { return checkUnchanged(path()); }

    // Tests put a failing replacer here to see what a failed write leaves behind.
    void setReplacer(FileReplacer replacer) { m_replace = std::move(replacer); }

private:
    // Fails unless the file at `filePath` still holds m_known.
    Result<void, DataFileError> checkUnchanged(const QString &filePath) const;
    Result<void, DataFileError> write(const QString &filePath, const QByteArray &content);

    QDir m_folder;
    std::optional<QByteArray> m_known; // the file's bytes as last read or written; none before

    QByteArray m_unreadTail;
    LoadStop m_stop = LoadStop::EndOfFile;
    bool m_readFailed = false; // the last load could not read the file: no rewrite may replace it
    FileReplacer m_replace = replaceFileAtomically;
};

} // namespace pomiro
