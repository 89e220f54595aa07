#include "core/datafile.h"

#include <cstddef>
#include <cstdint>

// Any bytes as a data file: the reader must never crash, never keep more than the table holds, and
// must account for every byte as either read or kept as the unread tail.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const pomiro::ParsedDataFile parsed = pomiro::parseDataFile(bytes);
    if (parsed.entries.size() > pomiro::kMaxEntries)
        __builtin_trap();
    if (parsed.unreadOffset < 0 || parsed.unreadOffset > bytes.size())
        __builtin_trap();
    if (parsed.stop == pomiro::LoadStop::EndOfFile && parsed.unreadOffset != bytes.size())
        __builtin_trap();
    return 0;
}
