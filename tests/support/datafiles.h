#pragma once

// Data files for the tests of the entries' store and of the windows that change it: the bytes the
// program writes for some entries, and a file replacement that always fails.

#include "core/datafile.h"
#include "core/savefile.h"

#include <QByteArray>

namespace pomiro::testing {

// The data file as the program writes these entries.
inline QByteArray fileOf(const Entries &entries)
{
    QByteArray bytes;
    for (const Entry &entry : entries)
        bytes += encodeEntryLine(entry).value();
    return bytes;
}

// A replacing write that fails as a failing disk makes it fail, leaving the old file.
inline FileReplacer failingReplacer()
{
    return [](const QString &, const QByteArray &) -> Result<void, SaveError> {
        return fail(SaveError{QStringLiteral("Input/output error"), false});
    };
}

} // namespace pomiro::testing
