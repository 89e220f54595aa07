#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>

class QFileDevice;

namespace pomiro {

// Why a file could not be replaced; the old file is then unchanged.
struct SaveError
{
    QString detail;        // the system's own words
    bool diskFull = false; // no space left (or over quota): freeing space helps
};

// Writes a file's whole content into `out`, which is open for writing; false when the content
// could not be made whole.
using WriteContent = std::function<bool(QFileDevice &out)>;

// Content that is these bytes.
WriteContent contentOf(QByteArray bytes);

// Replaces a file's whole content at once: the new content goes to a temporary file beside it,
// reaches the disk, and only then takes the file's name. Any byte that did not arrive, or content
// that could not be made, makes it fail, with the old file left byte for byte as it was and no
// temporary file behind.
Result<void, SaveError> replaceFileWith(const QString &path, const WriteContent &write);
Result<void, SaveError> replaceFileAtomically(const QString &path, const QByteArray &bytes);

// A power cut between a replacement's write and its rename leaves the new content behind in a full
// copy named "<file>.XXXXXX" (six random letters). Removes such copies of `path` that are older
// than `age`: a younger one may be another program's save in progress. Nothing else is touched: not
// a folder, a link, another name, nor a name a person would give ("データ.txt.backup"). Returns how
// many copies went.
int removeLeftoverCopies(const QString &path, std::chrono::seconds age = std::chrono::hours(1));

// How a write replaces a file; replaceFileAtomically() unless a test puts a failing one in.
using FileReplacer =
    std::function<Result<void, SaveError>(const QString &path, const QByteArray &)>;

} // namespace pomiro
