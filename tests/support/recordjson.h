#pragma once

// A second reading of record files for the tests to hold the program's own against: the bytes
// through Qt's JSON document, then each value checked by a pattern and read by the program's
// amount reader. Slow, but plainly right; it need not tell a damaged file from one of another
// version, only give the records of a good one.

#include "core/amount.h"
#include "core/quitrecord.h"
#include "core/recordfile.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <optional>

namespace pomiro::testing {

namespace recordjson {

// The object has exactly `keys`, and maybe `optional`.
inline bool hasKeys(const QJsonObject &object, const QStringList &keys,
                    const QStringList &optional = {})
{
    for (const QString &key : keys)
        if (!object.contains(key))
            return false;
    qsizetype extra = 0;
    for (const QString &key : optional)
        extra += object.contains(key) ? 1 : 0;
    return object.size() == keys.size() + extra;
}

inline std::optional<QDate> date(const QJsonValue &value)
{
    static const QRegularExpression form(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    if (!value.isString() || !form.match(value.toString()).hasMatch())
        return std::nullopt;
    const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

inline std::optional<Amount> amount(const QJsonValue &value)
{
    static const QRegularExpression form(QStringLiteral("^-?[0-9]+(\\.[0-9]{1,4})?$"));
    if (!value.isString() || !form.match(value.toString()).hasMatch())
        return std::nullopt;
    const auto read = parseAmountText(value.toString());
    return read ? std::optional<Amount>(*read) : std::nullopt;
}

inline std::optional<QuitRecord> record(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    if (!value.isObject() ||
        !hasKeys(object,
                 {QStringLiteral("name"), QStringLiteral("runs"), QStringLiteral("prices")}) ||
        !object[QStringLiteral("name")].isString() || !object[QStringLiteral("runs")].isArray() ||
        !object[QStringLiteral("prices")].isArray())
        return std::nullopt;
    QuitRecord record{object[QStringLiteral("name")].toString(), {}, {}};
    for (const QJsonValue &item : object[QStringLiteral("runs")].toArray()) {
        const QJsonObject run = item.toObject();
        if (!item.isObject() ||
            !hasKeys(run, {QStringLiteral("start"), QStringLiteral("firstDaily")},
                     {QStringLiteral("end")}))
            return std::nullopt;
        const auto start = date(run[QStringLiteral("start")]);
        const auto firstDaily = amount(run[QStringLiteral("firstDaily")]);
        const auto end =
            run.contains(QStringLiteral("end")) ? date(run[QStringLiteral("end")]) : std::nullopt;
        if (!start || !firstDaily ||
            (run.contains(QStringLiteral("end")) && (!end || *end < *start)))
            return std::nullopt;
        if (!record.runs.isEmpty() &&
            (record.runs.last().goesOn() || *start < *record.runs.last().end))
            return std::nullopt;
        record.runs << QuitRun{*start, end, *firstDaily};
    }
    for (const QJsonValue &item : object[QStringLiteral("prices")].toArray()) {
        const QJsonObject price = item.toObject();
        if (!item.isObject() || !hasKeys(price, {QStringLiteral("from"), QStringLiteral("daily")}))
            return std::nullopt;
        const auto from = date(price[QStringLiteral("from")]);
        const auto daily = amount(price[QStringLiteral("daily")]);
        if (!from || !daily || (!record.prices.isEmpty() && *from <= record.prices.last().from))
            return std::nullopt;
        record.prices << PriceChange{*from, *daily};
    }
    return record;
}

} // namespace recordjson

// The records of a version 1 record file read through Qt's JSON document (empty bytes: none);
// nothing when it is not one.
inline std::optional<QuitRecords> recordsThroughQtJson(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QuitRecords(); // a file made and not yet written
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject file = document.object();
    if (!recordjson::hasKeys(file, {QStringLiteral("version"), QStringLiteral("records")}) ||
        !file[QStringLiteral("version")].isDouble() ||
        file[QStringLiteral("version")].toDouble() != kRecordFileVersion ||
        !file[QStringLiteral("records")].isArray())
        return std::nullopt;
    QuitRecords records;
    QSet<QString> names;
    for (const QJsonValue &value : file[QStringLiteral("records")].toArray()) {
        const auto record = recordjson::record(value);
        if (!record)
            return std::nullopt;
        if (record->runs.isEmpty() && record->prices.isEmpty())
            continue;
        if (names.contains(record->name))
            return std::nullopt;
        names.insert(record->name);
        records << *record;
    }
    return records;
}

} // namespace pomiro::testing
