#pragma once

#include "core/period.h"

#include <QString>
#include <QtGlobal>
#include <array>

namespace pomiro {

// The eleven text fields of an entry, in the order of a data file line.
enum class EntryField { Name, Day, Week, Month, Month6, Year, Year3, Year5, Year10, Year20, Year30 };

inline constexpr int kEntryFieldCount = 11;

// A habit or recurring expense: its name and the amount texts of the ten periods, stored exactly
// as the main window showed them.
struct Entry
{
    QString name;
    PeriodTexts amounts;

    friend bool operator==(const Entry &, const Entry &) = default;
};

inline constexpr int kMaxEntries = 300;

// Entries live in slots 1..count in file order; slot 0 stays empty for the whole run so that
// position 0 shows an empty window.
struct EntryTable
{
    qint16 count = 0;
    std::array<Entry, kMaxEntries + 1> slot; // "slots" is a Qt keyword
};

} // namespace pomiro
