#include "core/cp932.h"

#include "core/codepage.h"

namespace pomiro::cp932 {

namespace {

bool isAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool isAscii(QByteArrayView bytes)
{
    for (const char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    }
    return true;
}

// The character CP932 is asked for in place of one the user typed: the yen sign becomes the 0x5C
// of amount texts, and the JIS forms of Linux input methods become CP932's own.
char16_t substitute(char16_t c)
{
    switch (c) {
    case 0x00A5:
        return u'\\';
    case 0x301C:
        return 0xFF5E; // 〜 -> ～
    case 0x2016:
        return 0x2225; // ‖ -> ∥
    case 0x2212:
        return 0xFF0D; // − -> －
    case 0x00A2:
        return 0xFFE0; // ¢ -> ￠
    case 0x00A3:
        return 0xFFE1; // £ -> ￡
    case 0x00AC:
        return 0xFFE2; // ¬ -> ￢
    case 0x2014:
        return 0x2015; // — -> ―
    default:
        return c;
    }
}

// The CP932 bytes of one (already substituted) character, or empty when CP932 has none that
// reads back as the same character. The system maps a few characters one way only (U+203E to 0x7E,
// for one); such a character would come back as another, so it counts as unrepresentable.
QByteArray encodeOne(QStringView character)
{
    QByteArray bytes;
    if (!codepage::encode(character, bytes) || bytes.isEmpty())
        return {};
    QString back;
    qsizetype failedAt = 0;
    if (!codepage::decode(bytes, back, failedAt) || back != character)
        return {};
    return bytes;
}

QString substituted(const QString &text)
{
    QString mapped = text;
    for (QChar &c : mapped)
        c = QChar(substitute(c.unicode()));
    return mapped;
}

} // namespace

Result<QByteArray, EncodeError> encode(const QString &text)
{
    if (isAscii(text))
        return text.toLatin1();

    const QString mapped = substituted(text);
    QByteArray bytes;
    if (codepage::encode(mapped, bytes)) {
        QString back;
        qsizetype failedAt = 0;
        if (codepage::decode(bytes, back, failedAt) && back == mapped)
            return bytes;
    }

    // Something did not convert or would not read back: find the first character to blame.
    for (qsizetype i = 0; i < mapped.size();) {
        const bool pair = i + 1 < mapped.size() && mapped.at(i).isHighSurrogate() &&
                          mapped.at(i + 1).isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        if (encodeOne(QStringView(mapped).mid(i, length)).isEmpty()) {
            const char32_t character =
                pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
            return fail(EncodeError{i, character});
        }
        i += length;
    }
    // Every character converts alone but not together: cannot happen for a stateless code page.
    return fail(EncodeError{0, text.isEmpty() ? char32_t{0} : text.at(0).unicode()});
}

Result<QString, DecodeError> decode(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QString text;
    qsizetype failedAt = 0;
    if (!codepage::decode(bytes, text, failedAt))
        return fail(DecodeError{failedAt});
    return text;
}

QString storedForm(const QString &text)
{
    return isAscii(text) ? text : substituted(text);
}

int byteLength(char32_t character)
{
    if (character < 0x80)
        return 1;
    if (character >= 0xFF61 && character <= 0xFF9F) // half-width katakana
        return 1;
    if (character > 0xFFFF) // CP932 holds nothing beyond the BMP
        return 0;
    const char16_t unit = substitute(static_cast<char16_t>(character));
    if (unit >= 0xD800 && unit <= 0xDFFF)
        return 0;
    return static_cast<int>(encodeOne(QStringView(&unit, 1)).size());
}

} // namespace pomiro::cp932
