#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QString>
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

// How a write replaces a file; replaceFileAtomically() unless a test puts a failing one in.
using FileReplacer =
    std::function<Result<void, SaveError>(const QString &path, const QByteArray &)>;

} // namespace pomiro
