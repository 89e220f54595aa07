#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The system's own conversion between UTF-16 and CP932, under the rules of core/cp932.h: iconv on
// Linux (codepage_iconv.cpp), code page 932 of Windows there (codepage_windows.cpp). Both convert
// raw: what reads back as another character is for the caller to find.
namespace pomiro::cp932::codepage {

// The CP932 bytes of `text`; false when a character has none.
bool encode(QStringView text, QByteArray &out);

// The text of CP932 `bytes`; false when they are not CP932, with `failedAt` the offset of the
// first byte that could not be read.
bool decode(QByteArrayView bytes, QString &out, qsizetype &failedAt);

} // namespace pomiro::cp932::codepage
