#include "tests/support/fsyncfault.h"

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <climits>
#include <mutex>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

std::mutex g_lock;
std::string g_folder; // with a trailing '/'; empty: no fault
int g_error = 0;
std::atomic<int> g_failed{0};

// Whether `fd` is a file under the faulty folder, by the path the kernel keeps for it.
bool underFaultyFolder(int fd, int *error)
{
    const std::lock_guard lock(g_lock);
    if (g_folder.empty())
        return false;
    char path[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), path, sizeof path - 1);
    if (length <= 0)
        return false;
    *error = g_error;
    return std::string(path, size_t(length)).starts_with(g_folder);
}

} // namespace

extern "C" int fsync(int fd)
{
    int error = 0;
    if (underFaultyFolder(fd, &error)) {
        ++g_failed;
        errno = error;
        return -1;
    }
    return int(::syscall(SYS_fsync, fd));
}

namespace pomiro::testing {

FsyncFault::FsyncFault(const QString &folder, int error)
{
    const std::lock_guard lock(g_lock);
    // The kernel names an open file by its real path.
    g_folder = QFile::encodeName(QFileInfo(folder).canonicalFilePath()).toStdString() + '/';
    g_error = error;
    g_failed = 0;
}

FsyncFault::~FsyncFault()
{
    const std::lock_guard lock(g_lock);
    g_folder.clear();
}

int FsyncFault::failedCalls() const
{
    return g_failed;
}

} // namespace pomiro::testing
