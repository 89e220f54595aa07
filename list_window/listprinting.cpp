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

PaintPdf listPainter(const ListReport &report, QDate date)
{
    return [&report, date](QFileDevice &out, const QPageSize &paper) {
        return writeListPdf(out, paper, report, date);
    };
}

} // namespace

ListPrinting::ListPrinting(FindPrintDestination findDestination, std::function<QDate()> today,
                           AskSavePath askSavePath)
    : m_printing(std::move(findDestination), std::move(askSavePath)), m_today(std::move(today))
{}

bool ListPrinting::print(QWidget *window, const ListReport &report, const QString &folder) const
{
    return m_printing.print(window, listPainter(report, m_today()), proposedPath(folder));
}

bool ListPrinting::saveAsPdf(QWidget *window, const ListReport &report, const QString &folder) const
{
    return m_printing.saveAsPdf(window, listPainter(report, m_today()), QPageSize(),
                                proposedPath(folder));
}

} // namespace pomiro
