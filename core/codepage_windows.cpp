#include "core/codepage.h"

#include <algorithm>
#include <windows.h>

namespace pomiro::cp932::codepage {

namespace {

constexpr UINT kCodePage = 932;

// Single bytes that Windows reads as characters of its own (0x80 as U+0080, 0xA0 and 0xFD to 0xFF
// as private ones) but that are no CP932 character where files are written elsewhere: refused, as
// iconv refuses them, so that a file reads the same on every system.
bool isWindowsOnlyByte(BYTE byte)
{
    return byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
}

// The bytes of one character starting at `at`: a lead byte takes the next one with it.
qsizetype characterLength(QByteArrayView bytes, qsizetype at)
{
    return IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(bytes[at])) ? 2 : 1;
}

// Whether the bytes from `at` read as one character.
bool readsAsOne(QByteArrayView bytes, qsizetype at, qsizetype length)
{
    wchar_t unit[2];
    return at + length <= bytes.size() &&
           !(length == 1 && isWindowsOnlyByte(static_cast<BYTE>(bytes[at]))) &&
           MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data() + at, int(length),
                               unit, 2) == 1;
}

// The offset of the first character that does not read, or -1.
qsizetype firstUnreadable(QByteArrayView bytes)
{
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = characterLength(bytes, at);
        if (!readsAsOne(bytes, at, length))
            return at;
        at += length;
    }
    return -1;
}

bool mayHoldWindowsOnlyBytes(QByteArrayView bytes)
{
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char byte) { return isWindowsOnlyByte(static_cast<BYTE>(byte)); });
}

} // namespace

bool encode(QStringView text, QByteArray &out)
{
    out.clear();
    if (text.isEmpty())
        return true;
    const auto *units = reinterpret_cast<const wchar_t *>(text.utf16());
    // No best fit: a character without bytes of its own is refused, not replaced by a look-alike.
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, units, int(text.size()),
                                         nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault)
        return false;
    out.resize(size);
    return WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, units, int(text.size()), out.data(),
                               size, nullptr, &usedDefault) == size &&
           !usedDefault;
}

bool decode(QByteArrayView bytes, QString &out, qsizetype &failedAt)
{
    out.clear();
    failedAt = -1;
    if (bytes.isEmpty())
        return true;
    const int size = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                         int(bytes.size()), nullptr, 0);
    // The system says only that something is wrong, and takes bytes CP932 has not: walk the
    // characters where either may be so.
    if (size <= 0 || mayHoldWindowsOnlyBytes(bytes)) {
        failedAt = firstUnreadable(bytes);
        if (size <= 0 && failedAt < 0)
            failedAt = 0;
        if (failedAt >= 0)
            return false;
    }
    out.resize(size);
    MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(out.data()), size);
    return true;
}

} // namespace pomiro::cp932::codepage
