#include "core/codepage.h"

#include <windows.h>

namespace pomiro::cp932::codepage {

namespace {

constexpr UINT kCodePage = 932;

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
           MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data() + at, int(length),
                               unit, 2) == 1;
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
    if (size > 0) {
        out.resize(size);
        MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                            reinterpret_cast<wchar_t *>(out.data()), size);
        return true;
    }
    // The system says only that something is wrong: find the first character that is.
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = characterLength(bytes, at);
        if (!readsAsOne(bytes, at, length)) {
            failedAt = at;
            break;
        }
        at += length;
    }
    if (failedAt < 0)
        failedAt = 0;
    out.clear();
    return false;
}

} // namespace pomiro::cp932::codepage
