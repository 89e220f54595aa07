#include "core/savefile.h"

#include "core/filesync.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace pomiro {

namespace {

bool isQtTemporarySuffix(QStringView suffix)
{
    // QSaveFile names its temporary file "<file>.XXXXXX", the X six random ASCII letters of either
    // case. A name a person gives a copy ("backup", "Backup", "BACKUP") is one case, or nearly: at
    // least two of each case keeps those, and still takes most of Qt's names (50 in 64).
    if (suffix.size() != 7 || suffix.front() != u'.')
        return false;
    int upper = 0;
    int lower = 0;
    for (const QChar c : suffix.sliced(1)) {
        if (c >= u'A' && c <= u'Z')
            ++upper;
        else if (c >= u'a' && c <= u'z')
            ++lower;
        else
            return false;
    }
    return upper >= 2 && lower >= 2;
}

} // namespace

WriteContent contentOf(QByteArray bytes)
{
    return
        [bytes = std::move(bytes)](QFileDevice &out) { return out.write(bytes) == bytes.size(); };
}

Result<void, SaveError> replaceFileWith(const QString &path, const WriteContent &write)
{
    QSaveFile file(path);
    // Unbuffered, so that a failed write is seen by the write itself: QSaveFile::commit() flushes
    // a write buffer only while closing, and still renames the short file when that flush fails.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(SaveError{file.errorString(), file.error() == QFileDevice::ResourceError});
    if (!write(file) || file.error() != QFileDevice::NoError) {
        const SaveError error{file.error() == QFileDevice::NoError
                                  ? QStringLiteral("the content could not be made")
                                  : file.errorString(),
                              file.error() == QFileDevice::ResourceError};
        file.cancelWriting();
        return fail(error);
    }
    // File systems that allocate late report a full disk only here; commit() ignores it.
    if (std::optional<SaveError> unsynced = syncToDisk(file)) {
        file.cancelWriting();
        return fail(std::move(*unsynced));
    }
    if (!file.commit())
        return fail(SaveError{file.errorString(), file.error() == QFileDevice::ResourceError});
    syncFolderOf(path);
    return {};
}

Result<void, SaveError> replaceFileAtomically(const QString &path, const QByteArray &bytes)
{
    return replaceFileWith(path, contentOf(bytes));
}

int removeLeftoverCopies(const QString &path, std::chrono::seconds age)
{
    const QFileInfo file(path);
    const QString name = file.fileName();
    const QDateTime youngest = QDateTime::currentDateTimeUtc().addSecs(-age.count());
    int removed = 0;
    const QFileInfoList candidates = file.absoluteDir().entryInfoList(
        {name + QStringLiteral(".*")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &copy : candidates) {
        const QString copyName = copy.fileName();
        if (!copyName.startsWith(name) ||
            !isQtTemporarySuffix(QStringView(copyName).sliced(name.size())))
            continue;
        if (copy.lastModified() < youngest && QFile::remove(copy.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

} // namespace pomiro
