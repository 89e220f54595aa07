#include "core/cp932.h"

#include <cstddef>
#include <cstdint>

// Any bytes as CP932: decoding either fails cleanly or gives text that encodes again (not always
// to the same bytes: CP932 has characters with two codes).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto text = pomiro::cp932::decode(bytes);
    if (!text)
        return 0;
    const auto encoded = pomiro::cp932::encode(*text);
    if (!encoded)
        __builtin_trap();
    (void)encoded.value();
    return 0;
}
