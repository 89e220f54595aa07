#include "list_window/listprinting.h"

#include "list_window/listpages.h"
#include "list_window/listreport.h"
#include "list_window/texts.h"

namespace pomiro {

Printable listPrintable(const ListReport &report, QDate date, const QString &folder)
{
    return pdfPrintable(listPages(report, date), folder, listtexts::kPdfFileName);
}

} // namespace pomiro
