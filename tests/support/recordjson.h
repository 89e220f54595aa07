#pragma once

// A second reading of record files for the tests to hold the program's own against: the bytes
// through Qt's JSON document, each value checked by a pattern and read by the program's amount
// reader. Slow but plainly right; it gives the records of a good file and nothing otherwise.

#include "core/amount.h"
#include "core/quitrecord.h"
#include "core/recordfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <optional>

namespace pomiro::testing {

inline std::optional<QuitRecords> recordsThroughQtJson(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QuitRecords(); // a file made and not yet written
    // The object holds exactly `keys`, those after a "?" being optional.
    const auto hasKeys = [](const QJsonValue &value, const QString &keys) {
        qsizetype count = 0;
        for (QString key : keys.split(u' ')) {
            const bool optional = key.startsWith(u'?');
            if (value.toObject().contains(key.remove(u'?')))
                ++count;
            else if (!optional)
                return false;
        }
        return value.isObject() && value.toObject().size() == count;
    };
    const auto date = [](const QJsonValue &value) -> std::optional<QDate> {
        static const QRegularExpression form(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
        const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
        return form.match(value.toString()).hasMatch() && date.isValid() ? date
                                                                         : std::optional<QDate>();
    };
    const auto amount = [](const QJsonValue &value) -> std::optional<Amount> {
        static const QRegularExpression form(QStringLiteral("^-?[0-9]+(\\.[0-9]{1,4})?$"));
        const auto read = parseAmountText(value.toString());
        return form.match(value.toString()).hasMatch() && read ? *read : std::optional<Amount>();
    };

    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    const QJsonObject file = document.object();
    if (!hasKeys(file, QStringLiteral("version records")) || !file[u"version"].isDouble() ||
        file[u"version"].toDouble() != kRecordFileVersion || !file[u"records"].isArray())
        return std::nullopt;
    QuitRecords records;
    QSet<QString> names;
    for (const QJsonValue &value : file[u"records"].toArray()) {
        if (!hasKeys(value, QStringLiteral("name runs prices")) || !value[u"name"].isString() ||
            !value[u"runs"].isArray() || !value[u"prices"].isArray())
            return std::nullopt;
        QuitRecord record{value[u"name"].toString(), {}, {}};
        for (const QJsonValue &run : value[u"runs"].toArray()) {
            const auto start = date(run[u"start"]);
            const auto end = date(run[u"end"]);
            const auto firstDaily = amount(run[u"firstDaily"]);
            const bool hasEnd = run.toObject().contains(u"end");
            if (!hasKeys(run, QStringLiteral("start firstDaily ?end")) || !start || !firstDaily ||
                (hasEnd && (!end || *end < *start)))
                return std::nullopt;
            if (!record.runs.isEmpty() &&
                (record.runs.last().goesOn() || *start < *record.runs.last().end))
                return std::nullopt;
            record.runs << QuitRun{*start, hasEnd ? end : std::nullopt, *firstDaily};
        }
        for (const QJsonValue &price : value[u"prices"].toArray()) {
            const auto from = date(price[u"from"]);
            const auto daily = amount(price[u"daily"]);
            if (!hasKeys(price, QStringLiteral("from daily")) || !from || !daily ||
                (!record.prices.isEmpty() && *from <= record.prices.last().from))
                return std::nullopt;
            record.prices << PriceChange{*from, *daily};
        }
        if (record.runs.isEmpty() && record.prices.isEmpty())
            continue; // tells nothing
        if (names.contains(record.name))
            return std::nullopt;
        names.insert(record.name);
        records << record;
    }
    return records;
}

} // namespace pomiro::testing
