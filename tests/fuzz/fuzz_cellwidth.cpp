#include "core/cellwidth.h"

#include <QList>
#include <algorithm>
#include <cstddef>
#include <cstdint>

// Any text: the cell count is between one and two cells a character, and right-alignment never
// shortens or changes the text itself.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const int cells = pomiro::cellCount(text);
    const int characters = static_cast<int>(text.toUcs4().size());
    if (cells < characters || cells > 2 * characters)
        __builtin_trap();
    const QString aligned = pomiro::rightAlignInCells(text, 15);
    if (!aligned.endsWith(text) || pomiro::cellCount(aligned) != std::max(cells, 15))
        __builtin_trap();
    return 0;
}
