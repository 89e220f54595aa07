#include "list_window/listexport.h"

#include "core/csv.h"
#include "list_window/listreport.h"
#include "list_window/texts.h"
#include "platform/messagebox.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

namespace pomiro {

QString tabSeparated(const ListReport &report)
{
    return csv::join(report.table(), u'\t', u"\n");
}

void copyReport(const ListReport &report)
{
    QGuiApplication::clipboard()->setText(tabSeparated(report));
}

QString askCsvPathInDialog(QWidget *window, const QString &proposed)
{
    return askSavePathInDialog(
        window, {listtexts::kCsvTitle, QStringLiteral("CSV (*.csv)"), QStringLiteral("csv")},
        proposed);
}

bool saveReportAsCsv(QWidget *window, const ListReport &report, const QString &folder,
                     const AskSavePath &askSavePath)
{
    // Checked before asking where: a file that cannot be written whole is not worth a place.
    const csv::Table table = report.table();
    const auto bytes = csv::encodeCp932(table);
    if (!bytes) {
        const QString &name = table[bytes.error().record].value(0);
        warn(window, kSaveFailedTitle,
             listtexts::csvUnwritable(listtexts::shownName(name), bytes.error().character));
        return false;
    }

    const QString path = askSavePath(window, QDir(folder).filePath(listtexts::kCsvFileName));
    if (path.isEmpty())
        return false;
    return saveAndTell(window, path, contentOf(*bytes), QStringLiteral("CSVファイル"),
                       listtexts::kCsvTitle);
}

} // namespace pomiro
