#include "core/recordfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cstdint>
#include <limits>

namespace pomiro {

namespace {

using namespace Qt::StringLiterals;

const QString kVersion = u"version"_s;
const QString kRecords = u"records"_s;
const QString kName = u"name"_s;
const QString kRuns = u"runs"_s;
const QString kPrices = u"prices"_s;
const QString kStart = u"start"_s;
const QString kEnd = u"end"_s;
const QString kFirstDaily = u"firstDaily"_s;
const QString kFrom = u"from"_s;
const QString kDaily = u"daily"_s;

RecordFileError fileError(RecordFileError::Kind kind, QString detail)
{
    return RecordFileError{kind, std::move(detail)};
}

Failure<RecordFileError> damaged(const QString &what)
{
    return fail(fileError(RecordFileError::Kind::Damaged, what));
}

// --- Amounts as decimal yen, exact to the unit -------------------------------------------------

// "1250.5", "-3", "0.0001": the whole yen, then the units without their trailing zeros.
QString yenText(Amount amount)
{
    const bool negative = amount.units < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(amount.units)
                                             : static_cast<std::uint64_t>(amount.units);
    QString text = negative ? u"-"_s : QString();
    text += QString::number(magnitude / Amount::kUnitsPerYen);
    std::uint64_t fraction = magnitude % Amount::kUnitsPerYen;
    if (fraction != 0) {
        int places = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --places;
        }
        text += u'.';
        text += QString::number(fraction).rightJustified(places, u'0');
    }
    return text;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The text yenText() writes: an optional minus, digits, and up to four decimals after a point.
// Anything else, or an amount beyond the range, is none.
std::optional<Amount> amountOfYenText(const QString &text)
{
    qsizetype pos = 0;
    const bool negative = text.startsWith(u'-');
    if (negative)
        ++pos;
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    std::uint64_t whole = 0;
    const qsizetype wholeBegin = pos;
    while (pos < text.size() && isDigit(text.at(pos))) {
        if (__builtin_mul_overflow(whole, 10u, &whole) ||
            __builtin_add_overflow(whole, unsigned(text.at(pos).unicode() - u'0'), &whole))
            return std::nullopt;
        ++pos;
    }
    if (pos == wholeBegin)
        return std::nullopt;
    std::uint64_t fraction = 0;
    if (pos < text.size() && text.at(pos) == u'.') {
        const qsizetype fractionBegin = ++pos;
        while (pos < text.size() && isDigit(text.at(pos)) && pos - fractionBegin < 4)
            fraction = fraction * 10 + unsigned(text.at(pos++).unicode() - u'0');
        const qsizetype places = pos - fractionBegin;
        if (places == 0)
            return std::nullopt;
        for (qsizetype i = places; i < 4; ++i)
            fraction *= 10;
    }
    if (pos != text.size())
        return std::nullopt;
    std::uint64_t units = 0;
    if (__builtin_mul_overflow(whole, std::uint64_t(Amount::kUnitsPerYen), &units) ||
        __builtin_add_overflow(units, fraction, &units) || units > limit)
        return std::nullopt;
    return Amount{negative ? static_cast<qint64>(0 - units) : static_cast<qint64>(units)};
}

// --- Dates as ISO dates ------------------------------------------------------------------------

QString isoText(QDate date)
{
    return QString::asprintf("%04d-%02d-%02d", date.year(), date.month(), date.day());
}

// Exactly "YYYY-MM-DD" of a day that exists.
std::optional<QDate> dateOfIsoText(const QString &text)
{
    if (text.size() != 10 || text.at(4) != u'-' || text.at(7) != u'-')
        return std::nullopt;
    const auto digits = [&](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            if (!isDigit(text.at(i)))
                return -1;
            value = value * 10 + (text.at(i).unicode() - u'0');
        }
        return value;
    };
    const QDate date(digits(0, 4), digits(5, 2), digits(8, 2));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// --- Reading the JSON ----------------------------------------------------------------------------

// The object's keys are `required`, and maybe some of `optional`: a key this version does not
// know would be lost by the next write, so such a file is not ours to read.
bool hasKeys(const QJsonObject &object, std::initializer_list<const QString *> required,
             std::initializer_list<const QString *> optional = {})
{
    qsizetype known = 0;
    for (const QString *key : required) {
        if (!object.contains(*key))
            return false;
        ++known;
    }
    for (const QString *key : optional)
        known += object.contains(*key) ? 1 : 0;
    return known == object.size();
}

std::optional<QDate> dateField(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    return value.isString() ? dateOfIsoText(value.toString()) : std::nullopt;
}

std::optional<Amount> amountField(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    return value.isString() ? amountOfYenText(value.toString()) : std::nullopt;
}

Result<QuitRun, RecordFileError> runOf(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    if (!value.isObject() || !hasKeys(object, {&kStart, &kFirstDaily}, {&kEnd}))
        return damaged(u"a run is not a start, maybe an end, and a daily amount"_s);
    const auto start = dateField(object, kStart);
    const auto firstDaily = amountField(object, kFirstDaily);
    if (!start || !firstDaily)
        return damaged(u"a run's start or daily amount cannot be read"_s);
    QuitRun run{*start, std::nullopt, *firstDaily};
    if (object.contains(kEnd)) {
        run.end = dateField(object, kEnd);
        if (!run.end)
            return damaged(u"a run's end cannot be read"_s);
        if (*run.end < run.start)
            return damaged(u"a run ends before it starts"_s);
    }
    return run;
}

Result<PriceChange, RecordFileError> priceOf(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    if (!value.isObject() || !hasKeys(object, {&kFrom, &kDaily}))
        return damaged(u"a price change is not a date and a daily amount"_s);
    const auto from = dateField(object, kFrom);
    const auto daily = amountField(object, kDaily);
    if (!from || !daily)
        return damaged(u"a price change's date or amount cannot be read"_s);
    return PriceChange{*from, *daily};
}

Result<QuitRecord, RecordFileError> recordOf(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    if (!value.isObject() || !hasKeys(object, {&kName, &kRuns, &kPrices}))
        return damaged(u"a record is not a name, runs and price changes"_s);
    const QJsonValue name = object.value(kName);
    const QJsonValue runs = object.value(kRuns);
    const QJsonValue prices = object.value(kPrices);
    if (!name.isString() || !runs.isArray() || !prices.isArray())
        return damaged(u"a record's name, runs or price changes are of the wrong kind"_s);

    QuitRecord record;
    record.name = name.toString();
    for (const QJsonValue &runValue : runs.toArray()) {
        auto run = runOf(runValue);
        if (!run)
            return fail(run.error());
        // Oldest first, none overlapping the one before, and only the last going on.
        if (!record.runs.isEmpty()) {
            const QuitRun &before = record.runs.last();
            if (before.goesOn())
                return damaged(u"a run goes on before another run"_s);
            if (run->start < *before.end)
                return damaged(u"a run starts before the one before it ends"_s);
        }
        record.runs.append(std::move(run).value());
    }
    for (const QJsonValue &priceValue : prices.toArray()) {
        auto price = priceOf(priceValue);
        if (!price)
            return fail(price.error());
        if (!record.prices.isEmpty() && price->from <= record.prices.last().from)
            return damaged(u"price changes out of date order"_s);
        record.prices.append(std::move(price).value());
    }
    return record;
}

QJsonObject runObject(const QuitRun &run)
{
    QJsonObject object{{kStart, isoText(run.start)}, {kFirstDaily, yenText(run.firstDaily)}};
    if (run.end)
        object.insert(kEnd, isoText(*run.end));
    return object;
}

QJsonObject priceObject(const PriceChange &price)
{
    return QJsonObject{{kFrom, isoText(price.from)}, {kDaily, yenText(price.daily)}};
}

bool isEmpty(const QuitRecord &record)
{
    return record.runs.isEmpty() && record.prices.isEmpty();
}

Result<QByteArray, RecordFileError> readWholeFile(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(fileError(RecordFileError::Kind::ReadFailed, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(fileError(RecordFileError::Kind::ReadFailed, file.errorString()));
    return bytes;
}

} // namespace

QByteArray encodeRecordFile(const QuitRecords &records)
{
    QJsonArray recordArray;
    for (const QuitRecord &record : records) {
        if (isEmpty(record))
            continue;
        QJsonArray runs;
        for (const QuitRun &run : record.runs)
            runs.append(runObject(run));
        QJsonArray prices;
        for (const PriceChange &price : record.prices)
            prices.append(priceObject(price));
        recordArray.append(QJsonObject{{kName, record.name}, {kRuns, runs}, {kPrices, prices}});
    }
    const QJsonObject file{{kVersion, kRecordFileVersion}, {kRecords, recordArray}};
    return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

Result<QuitRecords, RecordFileError> parseRecordFile(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QuitRecords();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return damaged(parseError.errorString());
    if (!document.isObject())
        return damaged(u"not a JSON object"_s);
    const QJsonObject file = document.object();

    // The version first: a later version may be shaped in any other way.
    const QJsonValue version = file.value(kVersion);
    if (!version.isDouble())
        return damaged(u"no version"_s);
    if (version.toDouble() != kRecordFileVersion)
        return fail(fileError(RecordFileError::Kind::UnknownVersion,
                              u"version %1"_s.arg(version.toDouble())));
    if (!hasKeys(file, {&kVersion, &kRecords}) || !file.value(kRecords).isArray())
        return damaged(u"no list of records"_s);

    const QJsonArray recordArray = file.value(kRecords).toArray();
    QuitRecords records;
    records.reserve(recordArray.size());
    QSet<QString> names;
    for (const QJsonValue &value : recordArray) {
        auto record = recordOf(value);
        if (!record)
            return fail(record.error());
        if (isEmpty(*record))
            continue; // tells nothing, and is never written
        if (names.contains(record->name))
            return damaged(u"two records of one name"_s);
        names.insert(record->name);
        records.append(std::move(record).value());
    }
    return records;
}

RecordFile::RecordFile(QDir folder) : m_folder(std::move(folder)) {}

QString RecordFile::path() const
{
    return m_folder.filePath(QString::fromUtf16(kRecordFileName));
}

Result<QuitRecords, RecordFileError> RecordFile::load()
{
    const QString filePath = path();
    removeLeftoverCopies(filePath);
    m_readOnly = false;
    m_readFailed = false;
    if (!QFileInfo::exists(filePath)) {
        m_known.reset();
        return QuitRecords();
    }
    const auto read = readWholeFile(filePath);
    if (!read) {
        m_readFailed = true;
        m_known.reset();
        return fail(read.error());
    }
    m_known = read.value();
    auto parsed = parseRecordFile(read.value());
    if (!parsed)
        m_readOnly = true;
    return parsed;
}

Result<void, RecordFileError> RecordFile::write(const QuitRecords &records)
{
    if (m_readFailed)
        return fail(fileError(RecordFileError::Kind::ReadFailed, {}));
    const QString filePath = path();
    // First: a file another program mended since is read again rather than refused as read-only.
    if (const auto unchanged = checkUnchanged(filePath); !unchanged)
        return unchanged;
    if (m_readOnly)
        return fail(fileError(RecordFileError::Kind::ReadOnly, {}));

    const QByteArray content = encodeRecordFile(records);
    const auto written = m_replace(filePath, content);
    if (!written) {
        const auto kind = written.error().diskFull ? RecordFileError::Kind::DiskFull
                                                   : RecordFileError::Kind::WriteFailed;
        return fail(fileError(kind, written.error().detail));
    }
    m_known = content;
    return {};
}

bool RecordFile::changedElsewhere() const
{
    const QString filePath = path();
    // After a failed read, whatever can be read now, or a file that went, is news.
    if (m_readFailed)
        return !QFileInfo::exists(filePath) || readWholeFile(filePath).ok();
    const auto unchanged = checkUnchanged(filePath);
    return !unchanged && unchanged.error().kind == RecordFileError::Kind::ChangedElsewhere;
}

Result<void, RecordFileError> RecordFile::checkUnchanged(const QString &filePath) const
{
    const auto changed = fail(fileError(RecordFileError::Kind::ChangedElsewhere, {}));
    const QFileInfo info(filePath);
    // No file then and none now: nothing a write could lose.
    if (!info.exists())
        return m_known ? Result<void, RecordFileError>(changed) : Result<void, RecordFileError>();
    if (!m_known)
        return changed;
    // The size first: most changes show there without reading anything.
    if (info.isFile() && info.size() != m_known->size())
        return changed;
    const auto now = readWholeFile(filePath);
    if (!now)
        return fail(now.error());
    if (now.value() != *m_known)
        return changed;
    return {};
}

} // namespace pomiro
