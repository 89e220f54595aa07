#pragma once

#include "platform/savedialog.h"

#include <QString>

class QWidget;

namespace pomiro {

struct ListReport;

// The report as a spreadsheet pastes it: tab-separated, one line a row (line feeds, as text is
// written on this desktop; spreadsheets take them), the header first.
QString tabSeparated(const ListReport &report);

// Puts tabSeparated() on the clipboard as plain text.
void copyReport(const ListReport &report);

// The save dialog for the list's CSV file.
QString askCsvPathInDialog(QWidget *window, const QString &proposed);

// Saves the report as a CSV file in CP932 for Japanese spreadsheets: asks where, proposing
// "ぽみろ一覧.csv" in `folder`, and replaces the chosen file in one step, so that a failure leaves
// the old file as it was and nothing half-written. Tells the user how it went; a cancel is
// silent. True when the file was saved.
bool saveReportAsCsv(QWidget *window, const ListReport &report, const QString &folder,
                     const AskSavePath &askSavePath = &askCsvPathInDialog);

} // namespace pomiro
