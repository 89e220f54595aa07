#include "core/codepage.h"

#include <QtGlobal>
#include <iconv.h>

namespace pomiro::cp932::codepage {

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr char kUtf16[] = "UTF-16LE";
#else
constexpr char kUtf16[] = "UTF-16BE";
#endif

// One iconv descriptor per direction and thread, opened on first use: opening is far dearer than
// converting one short field.
class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (usable())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool usable() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in` into `out` (which must be large enough). Returns how many input bytes
    // were converted before the first one that could not be, or -1 when all were.
    qsizetype convert(const char *in, size_t inSize, char *out, size_t outSize, size_t &written)
    {
        written = 0;
        if (!usable())
            return 0;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char *inPtr = const_cast<char *>(in);
        char *outPtr = out;
        size_t inLeft = inSize;
        size_t outLeft = outSize;
        const size_t rc = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
        // Flush any shift state; CP932 and UTF-16 have none, but a strict reader costs nothing.
        if (rc != static_cast<size_t>(-1))
            iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);
        written = outSize - outLeft;
        if (rc == static_cast<size_t>(-1) || inLeft != 0)
            return static_cast<qsizetype>(inSize - inLeft);
        return -1;
    }

private:
    iconv_t m_cd;
};

Converter &encoder()
{
    thread_local Converter converter("CP932", kUtf16);
    return converter;
}

Converter &decoder()
{
    thread_local Converter converter(kUtf16, "CP932");
    return converter;
}

} // namespace

bool encode(QStringView text, QByteArray &out)
{
    out.resize(text.size() * 2);
    size_t written = 0;
    const qsizetype stop = encoder().convert(reinterpret_cast<const char *>(text.utf16()),
                                             static_cast<size_t>(text.size()) * 2, out.data(),
                                             static_cast<size_t>(out.size()), written);
    out.resize(static_cast<qsizetype>(written));
    return stop < 0;
}

bool decode(QByteArrayView bytes, QString &out, qsizetype &failedAt)
{
    // Every CP932 character, one byte or two, is one UTF-16 unit.
    out.resize(bytes.size());
    size_t written = 0;
    failedAt = decoder().convert(bytes.data(), static_cast<size_t>(bytes.size()),
                                 reinterpret_cast<char *>(out.data()),
                                 static_cast<size_t>(out.size()) * 2, written);
    out.resize(static_cast<qsizetype>(written / 2));
    return failedAt < 0;
}

} // namespace pomiro::cp932::codepage
