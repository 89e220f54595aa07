#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Tables of text as spreadsheets take them: fields quoted as RFC 4180 quotes them, and a CSV file
// in the code page Japanese spreadsheets open by default.
namespace pomiro::csv {

// One list of fields a record.
using Table = QList<QStringList>;

// A field as it stands, or in double quotes with its own quotes doubled when it holds the
// separator, a double quote, CR or LF (which would otherwise end the field or the record).
QString field(const QString &text, QChar separator);

// The records, their fields joined by `separator`, each record ended by `lineEnd`.
QString join(const Table &table, QChar separator, QStringView lineEnd);

struct EncodeError
{
    qsizetype record = 0;   // the record holding the first character refused
    qsizetype field = 0;    // its field in that record
    char32_t character = 0; // that character
};

// The table as a CSV file: comma-separated, CR LF after every record, in CP932. A character CP932
// cannot hold is refused, never written as a stand-in that would change the data unseen.
Result<QByteArray, EncodeError> encodeCp932(const Table &table);

} // namespace pomiro::csv
