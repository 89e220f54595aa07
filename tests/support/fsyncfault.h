#pragma once

// A disk that loses the written pages, told at the one call that would report it: while an
// FsyncFault lives, fsync() of any file under its folder fails with the error given, as the kernel
// reports a failed write-back (EIO) or a file system that allocates late a full disk (ENOSPC).
//
// fsyncfault.cpp defines fsync() itself. A test binary that links it (the pomiro_fsync_fault
// object library) has its own fsync() in place of the C library's, for its own code and the
// libraries it loads; other files are synced for real. No LD_PRELOAD is needed, so the sanitizer
// build runs it unchanged.

#include <QString>

namespace pomiro::testing {

class FsyncFault
{
public:
    FsyncFault(const QString &folder, int error);
    ~FsyncFault();
    FsyncFault(const FsyncFault &) = delete;
    FsyncFault &operator=(const FsyncFault &) = delete;

    // How many fsync() calls this fault has failed: a test that sees none did not reach the call.
    int failedCalls() const;
};

} // namespace pomiro::testing
