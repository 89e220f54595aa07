#include "list_window/listprinting.h"

#include "list_window/listpages.h"
#include "list_window/listreport.h"
#include "list_window/texts.h"

#include <QDir>

namespace pomiro {

Printable listPrintable(const ListReport &report, QDate date, const QString &folder)
{
    return {[report, date](QFileDevice &out, const QPageSize &paper) {
                return writeListPdf(out, paper, report, date);
            },
            QDir(folder).filePath(listtexts::kPdfFileName)};
}

} // namespace pomiro
