#include "core/cellwidth.h"

#include "core/cp932.h"

namespace pomiro {

int cellCount(const QString &text)
{
    int cells = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        // Most texts are amount texts: plain ASCII needs no conversion. The code of NUL is 0,
        // which is not "above 0", so it counts two cells like a double-byte character.
        if (unit > 0 && unit < 0x80) {
            ++cells;
            continue;
        }
        char32_t character = unit;
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            character = QChar::surrogateToUcs4(unit, text.at(i + 1).unicode());
            ++i;
        }
        cells += (unit != 0 && cp932::byteLength(character) == 1) ? 1 : 2;
    }
    return cells;
}

QString rightAlignInCells(const QString &text, int width)
{
    const int padding = width - cellCount(text);
    if (padding <= 0)
        return text;
    return QString(padding, u' ') + text;
}

} // namespace pomiro
