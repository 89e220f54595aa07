#pragma once

#include <QLibrary>
#include <QtDebug>

namespace pomiro {

// For a shared library the program needs only for some commands (printing, help): loaded at the
// first such command, so that a session without it spends neither time nor memory on it. False,
// with a warning, when `library` can't be loaded. A QLibrary never unloads on destruction, so what
// was resolved stays valid.
inline bool loadLibrary(QLibrary &library, const char *purpose)
{
    if (library.load())
        return true;
    qWarning("The %s library could not be loaded: %s", purpose, qPrintable(library.errorString()));
    return false;
}

// Resolves `call` from `library` by its C name; null when the library lacks it.
template <typename Call> void resolveCall(QLibrary &library, Call &call, const char *name)
{
    call = reinterpret_cast<Call>(library.resolve(name));
}

} // namespace pomiro
