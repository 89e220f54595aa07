#pragma once

#include "platform/pdfprinting.h"

#include <QDate>
#include <QString>
#include <functional>

class QWidget;

namespace pomiro {

struct ListReport;

// The list on paper: printed on the default printer without a dialog, or saved as a PDF, through
// the same path as the letters. Cheap to make; the spooler's library is loaded only when the first
// page goes to a printer.
class ListPrinting
{
public:
    explicit ListPrinting(FindPrintDestination findDestination = &defaultPrintDestination,
                          std::function<QDate()> today = &QDate::currentDate,
                          AskSavePath askSavePath = &askPdfPathInDialog);

    // The menu's 印刷: silent when the printer took the pages; otherwise the user is told and
    // offered to save them as a PDF, proposed as "ぽみろ一覧.pdf" in `folder`. True when printed
    // or saved.
    bool print(QWidget *window, const ListReport &report, const QString &folder) const;

    // The menu's PDF で保存: the same pages on A4, through a save dialog proposing
    // "ぽみろ一覧.pdf" in `folder`. True when saved.
    bool saveAsPdf(QWidget *window, const ListReport &report, const QString &folder) const;

private:
    PdfPrinting m_printing;
    std::function<QDate()> m_today;
};

} // namespace pomiro
