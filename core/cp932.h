#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Conversion between program text and the Japanese code page CP932 (Shift-JIS), over the
// system's own tables (core/codepage.h).
namespace pomiro::cp932 {

struct EncodeError
{
    qsizetype position = 0; // index in the QString of the first character refused
    char32_t character = 0; // that character
};

struct DecodeError
{
    qsizetype offset = 0; // the first byte that is not CP932
};

// U+005C stays the byte 0x5C; a typed yen sign U+00A5 becomes 0x5C too, and the JIS forms that
// Linux input methods type (〜 ‖ − ¢ £ ¬ —) become their CP932 counterparts. Anything else CP932
// cannot hold is refused, never replaced.
Result<QByteArray, EncodeError> encode(const QString &text);

Result<QString, DecodeError> decode(QByteArrayView bytes);

// The text as it reads back from the file: the typed forms that encode() replaces are replaced
// ("朝の〜習慣" is stored as "朝の～習慣"). Names are compared in this form, so a name typed again
// finds its stored entry.
QString storedForm(const QString &text);

// How many bytes the character takes in CP932: 1 or 2, or 0 when CP932 cannot hold it.
int byteLength(char32_t character);

} // namespace pomiro::cp932
