#include "core/csv.h"

#include "core/cp932.h"

namespace pomiro::csv {

namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kComma = u',';

} // namespace

QString field(const QString &text, QChar separator)
{
    const bool quoted = text.contains(separator) || text.contains(kQuote) || text.contains(u'\r') ||
                        text.contains(u'\n');
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + doubled + kQuote;
}

QString join(const Table &table, QChar separator, QStringView lineEnd)
{
    QString text;
    for (const QStringList &record : table) {
        for (qsizetype i = 0; i < record.size(); ++i) {
            if (i > 0)
                text += separator;
            text += field(record[i], separator);
        }
        text += lineEnd;
    }
    return text;
}

// Field by field, so that a refused character can be named by where it stands; the separators,
// quotes and line ends are ASCII and encode as themselves.
Result<QByteArray, EncodeError> encodeCp932(const Table &table)
{
    QByteArray bytes;
    for (qsizetype r = 0; r < table.size(); ++r) {
        const QStringList &record = table[r];
        for (qsizetype f = 0; f < record.size(); ++f) {
            const auto encoded = cp932::encode(field(record[f], kComma));
            if (!encoded)
                return fail(EncodeError{r, f, encoded.error().character});
            if (f > 0)
                bytes += ',';
            bytes += *encoded;
        }
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace pomiro::csv
