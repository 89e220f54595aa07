#pragma once

#include <QString>
#include <QStringView>

namespace pomiro {

// The blanks a user may type around a value: a space, a tab, or the full-width space a Japanese
// input method gives.
inline bool isTypedBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

// `text` without the blanks around it.
inline QStringView withoutTypedBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTypedBlank(text.at(begin)))
        ++begin;
    while (end > begin && isTypedBlank(text.at(end - 1)))
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace pomiro
