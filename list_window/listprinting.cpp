#include "list_window/listprinting.h"

#include "list_window/listpages.h"
#include "list_window/texts.h"

#include <QDir>

namespace pomiro {

namespace {

QString proposedPath(const QString &folder)
{
    return QDir(folder).filePath(listtexts::kPdfFileName);
}

} // namespace

ListPrinting::ListPrinting(FindPrintDestination findDestination, std::function<QDate()> today,
                           AskSavePath askSavePath)
    : m_printing(std::move(findDestination), std::move(askSavePath)), m_today(std::move(today))
{}

bool ListPrinting::print(QWidget *window, const ListReport &report, const QString &folder) const
{
    const QDate date = m_today();
    return m_printing.print(
        window,
        [&](QFileDevice &out, const QPageSize &paper) {
            return writeListPdf(out, paper, report, date);
        },
        proposedPath(folder));
}

bool ListPrinting::saveAsPdf(QWidget *window, const ListReport &report, const QString &folder) const
{
    const QDate date = m_today();
    return m_printing.saveAsPdf(
        window,
        [&](QFileDevice &out, const QPageSize &paper) {
            return writeListPdf(out, paper, report, date);
        },
        QPageSize(), proposedPath(folder));
}

} // namespace pomiro
