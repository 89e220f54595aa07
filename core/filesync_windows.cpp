#include "core/filesync.h"

#include <QFileDevice>
#include <io.h>
#include <windows.h>

namespace pomiro {

std::optional<SaveError> syncToDisk(QFileDevice &file)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (handle == INVALID_HANDLE_VALUE || FlushFileBuffers(handle))
        return std::nullopt;
    const DWORD why = GetLastError();
    wchar_t *words = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, why, 0, reinterpret_cast<wchar_t *>(&words), 0, nullptr);
    const QString detail =
        words ? QString::fromWCharArray(words).trimmed() : QStringLiteral("error %1").arg(why);
    LocalFree(words);
    return SaveError{detail, why == ERROR_DISK_FULL || why == ERROR_HANDLE_DISK_FULL};
}

void syncFolderOf(const QString &)
{
    // Windows offers no call to sync a folder's entries; the content that takes the name is on the
    // disk before the rename (syncToDisk).
}

} // namespace pomiro
