#pragma once

#include "core/period.h"

#include <QList>
#include <QString>

namespace pomiro {

// The eleven text fields of an entry, in the order of a data file line.
enum class EntryField {
    Name,
    Day,
    Week,
    Month,
    Month6,
    Year,
    Year3,
    Year5,
    Year10,
    Year20,
    Year30
};

inline constexpr int kEntryFieldCount = 1 + kPeriodCount;
static_assert(int(EntryField::Year30) + 1 == kEntryFieldCount);

// A habit or recurring expense: its name and the amount texts of the ten periods, stored exactly
// as the main window showed them.
struct Entry
{
    QString name;
    PeriodTexts amounts;

    // The amount text of a period, by its place in period order (0 is a day).
    QString &amount(int period) { return amounts.at(static_cast<std::size_t>(period)); }
    const QString &amount(int period) const { return amounts.at(static_cast<std::size_t>(period)); }

    friend bool operator==(const Entry &, const Entry &) = default;
};

// The stored entries, in the order of the data file's lines; never more than kMaxEntries.
using Entries = QList<Entry>;

inline constexpr qsizetype kMaxEntries = 300;

} // namespace pomiro
