#include "platform/stylepictures.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>
#include <QPixmapCache>

#include <cstring>

namespace pomiro {

namespace {

// Qt writes the numbers of a file's cache key byte by byte, low nibble first.
template <typename T>
QString keyDigits(T value)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    QString digits;
    for (unsigned char byte : bytes) {
        digits += QLatin1Char(kDigits[byte & 0xf]);
        digits += QLatin1Char(kDigits[byte >> 4]);
    }
    return digits;
}

// The key under which QPixmap(path) looks for the file in the cache before reading it.
QString fileCacheKey(const QFileInfo &file)
{
    constexpr uint kPixmapType = 0; // QPlatformPixmap::PixmapType
    return QStringLiteral("qt_pixmap") + file.absoluteFilePath() +
           keyDigits(uint(file.lastModified().toSecsSinceEpoch())) +
           keyDigits(quint64(file.size())) + keyDigits(kPixmapType);
}

} // namespace

void cacheStylePictures()
{
    const QFileInfo groupBoxFrame(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    QFile file(groupBoxFrame.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    QImageReader reader(&file, "png");
    reader.setAutoDetectImageFormat(false);
    const QImage picture = reader.read();
    if (!picture.isNull())
        QPixmapCache::insert(fileCacheKey(groupBoxFrame), QPixmap::fromImage(picture));
}

} // namespace pomiro
