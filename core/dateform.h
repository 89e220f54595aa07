#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace pomiro {

// Reads a date as people write it: "2026/9/1", "2026-09-01", "2026年9月1日", and Japanese era
// dates "令和8年9月1日", "平成31年4月30日" ("元年" for the first year; 明治 to 令和), with
// blanks around it and full-width digits, slashes and hyphens as their half-width selves. A day
// that does not exist (2026/2/30) or falls outside its era is no date.
std::optional<QDate> parseDateText(const QString &text);

// A date as the program shows it: "2026/09/01".
QString formatDate(QDate date);

// A date in the Japanese calendar: "令和8年9月1日" ("令和元年5月1日"); empty before 明治.
QString formatEraDate(QDate date);

} // namespace pomiro
