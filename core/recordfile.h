#pragma once

#include "core/quitrecord.h"
#include "core/result.h"
#include "core/savefile.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <optional>

namespace pomiro {

inline constexpr char16_t kRecordFileName[] = u"ぽみろの記録.json";

// The record file's format; a file of a later version is read as unknown and never written over.
inline constexpr int kRecordFileVersion = 1;

struct RecordFileError
{
    enum class Kind {
        Damaged,          // not a record file we can read: kept as it is, the records read-only
        UnknownVersion,   // written by a later program: kept as it is, the records read-only
        ReadFailed,       // the file exists but could not be read
        WriteFailed,      // the new content could not be written; the old file is unchanged
        DiskFull,         // WriteFailed for want of space
        ChangedElsewhere, // the file no longer holds what was last read or written: nothing written
        ReadOnly,         // a change while the file is damaged or of an unknown version
    };
    Kind kind = Kind::WriteFailed;
    QString detail; // the system's own words or what is wrong with the file, for the log
};

// The records as the file holds them: UTF-8 JSON,
//   {"version": 1, "records": [{"name": "禁煙",
//     "runs": [{"start": "2026-09-01", "end": "2026-10-05", "firstDaily": "500"}],
//     "prices": [{"from": "2026-10-01", "daily": "600"}]}]}
// with dates as ISO dates and amounts as decimal yen ("1250.5"), so that no amount passes through a
// double. Written compactly, each object's keys in name order, so that the same records are always
// the same bytes. Records without a run or a price change are left out.
QByteArray encodeRecordFile(const QuitRecords &records);

// Reads a record file's bytes. Anything that is not a whole, well-formed record file of our version
// (a run that ends before it starts, runs out of order, a date or amount that cannot be read)
// fails, as Damaged or UnknownVersion; empty bytes are no records. The JSON is read as RFC 8259
// has it and no more loosely (UTF-8, no comments, no trailing commas), keys in any order, and each
// object with its own keys once each; a key this version does not know would be lost by the next
// write, so it makes the file Damaged. A record without a run or a price change is passed over.
Result<QuitRecords, RecordFileError> parseRecordFile(const QByteArray &bytes);

// The record file beside the data file in one folder. Like the data file, it remembers what it
// last read or wrote, and a write goes ahead only while the file still holds exactly that. A file
// that is damaged or of an unknown version is never written over.
class RecordFile
{
public:
    explicit RecordFile(QDir folder = QDir::current());

    QString path() const;

    // Reads the file (no file: no records, and none is made until the first change), after
    // removing the copies a power cut left beside it. A file that exists but cannot be read fails
    // with ReadFailed, and no write may replace it until a load reads it.
    Result<QuitRecords, RecordFileError> load();

    // Replaces the file with `records`; refused when the file changed since it was last read or
    // written (ChangedElsewhere), then while read-only (ReadOnly), and after a failed read.
    Result<void, RecordFileError> write(const QuitRecords &records);

    // The file is damaged or of an unknown version: it is kept as it is.
    bool readOnly() const { return m_readOnly; }

    // True when the file holds something else than what was last read or written (it appeared or
    // went too), or, after a failed read, when it can be read now or went.
    bool changedElsewhere() const;

    void setReplacer(FileReplacer replacer) { m_replace = std::move(replacer); }

private:
    // Fails unless the file at `filePath` still holds m_known (or is still missing without it).
    Result<void, RecordFileError> checkUnchanged(const QString &filePath) const;

    QDir m_folder;
    std::optional<QByteArray> m_known; // as last read or written; none: there was no file
    bool m_readOnly = false;
    bool m_readFailed = false; // the last load could not read the file
    FileReplacer m_replace = replaceFileAtomically;
};

} // namespace pomiro
