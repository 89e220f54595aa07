#include "core/filesync.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace pomiro {

std::optional<SaveError> syncToDisk(QFileDevice &file)
{
    // EINVAL: a file that cannot be synced (a pipe, say) has nothing more to write.
    if (::fsync(file.handle()) == 0 || errno == EINVAL)
        return std::nullopt;
    const int why = errno;
    return SaveError{QString::fromLocal8Bit(strerror(why)), why == ENOSPC || why == EDQUOT};
}

void syncFolderOf(const QString &filePath)
{
    const int folder = ::open(QFile::encodeName(QFileInfo(filePath).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    ::fsync(folder);
    ::close(folder);
}

} // namespace pomiro
