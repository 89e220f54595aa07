#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace pomiro {

// Why a file could not be replaced; the old file is then unchanged.
struct SaveError
{
    QString detail;        // the system's own words
    bool diskFull = false; // no space left (or over quota): freeing space helps
};

// Replaces a file's whole content at once: the new bytes go to a temporary file beside it, reach
// the disk, and only then take the file's name. Any byte that did not arrive makes it fail, with
// the old file left byte for byte as it was and no temporary file behind.
Result<void, SaveError> replaceFileAtomically(const QString &path, const QByteArray &bytes);

// How a write replaces a file; replaceFileAtomically() unless a test puts a failing one in.
using FileReplacer =
    std::function<Result<void, SaveError>(const QString &path, const QByteArray &)>;

} // namespace pomiro
