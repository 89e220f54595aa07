#include "core/recordfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string_view>
#include <system_error>

namespace pomiro {

namespace {

using namespace Qt::StringLiterals;

// The file's keys, for the writer and the reader alike.
constexpr char kVersion[] = "version";
constexpr char kRecords[] = "records";
constexpr char kName[] = "name";
constexpr char kRuns[] = "runs";
constexpr char kPrices[] = "prices";
constexpr char kStart[] = "start";
constexpr char kEnd[] = "end";
constexpr char kFirstDaily[] = "firstDaily";
constexpr char kFrom[] = "from";
constexpr char kDaily[] = "daily";

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

RecordFileError fileError(RecordFileError::Kind kind, QString detail)
{
    return RecordFileError{kind, std::move(detail)};
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

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The text yenText() writes: an optional minus, digits, and up to four decimals after a point.
// Anything else, or an amount beyond the range, is none.
std::optional<Amount> amountOfYenText(QByteArrayView text)
{
    qsizetype pos = 0;
    const bool negative = text.startsWith('-');
    if (negative)
        ++pos;
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    std::uint64_t whole = 0;
    const qsizetype wholeBegin = pos;
    while (pos < text.size() && isDigit(text[pos])) {
        if (__builtin_mul_overflow(whole, 10u, &whole) ||
            __builtin_add_overflow(whole, unsigned(text[pos] - '0'), &whole))
            return std::nullopt;
        ++pos;
    }
    if (pos == wholeBegin)
        return std::nullopt;
    std::uint64_t fraction = 0;
    if (pos < text.size() && text[pos] == '.') {
        const qsizetype fractionBegin = ++pos;
        while (pos < text.size() && isDigit(text[pos]) && pos - fractionBegin < 4)
            fraction = fraction * 10 + unsigned(text[pos++] - '0');
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
std::optional<QDate> dateOfIsoText(QByteArrayView text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (const qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!isDigit(text[i]))
            return std::nullopt;
    const auto number = [&](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    // Year 0 is none to QDate; a negative year cannot be written here.
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// --- Reading JSON ------------------------------------------------------------------------------

// Deeper than any record file, shallow enough for the stack.
constexpr int kMaxDepth = 256;

// A cursor over JSON text (RFC 8259, strictly: no comments, no trailing commas, UTF-8 only) that
// reads one value at a time, leaving the records to be built as it goes rather than from a tree of
// the whole file first.
class JsonCursor
{
public:
    explicit JsonCursor(QByteArrayView bytes) : m_bytes(bytes) {}

    qsizetype position() const { return m_pos; }

    bool atEnd()
    {
        skipBlanks();
        return m_pos == m_bytes.size();
    }

    // Takes `c` after any blanks.
    bool take(char c)
    {
        skipBlanks();
        if (m_pos == m_bytes.size() || m_bytes[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }

    bool peek(char c)
    {
        skipBlanks();
        return m_pos < m_bytes.size() && m_bytes[m_pos] == c;
    }

    // A string's UTF-8 bytes: a view of the text itself when it holds no escape, or else decoded
    // into `scratch`. None for anything but a whole, valid string.
    std::optional<QByteArrayView> string(QByteArray &scratch)
    {
        if (!take('"'))
            return std::nullopt;
        const qsizetype begin = m_pos;
        bool ascii = true;
        while (m_pos < m_bytes.size()) {
            const auto c = static_cast<unsigned char>(m_bytes[m_pos]);
            if (c == '"') {
                const QByteArrayView text = m_bytes.sliced(begin, m_pos++ - begin);
                if (!ascii && !text.isValidUtf8())
                    return std::nullopt;
                return text;
            }
            if (c == '\\') {
                scratch.resize(0); // keeps its room for the next one
                scratch.append(m_bytes.sliced(begin, m_pos - begin));
                return escapedRest(scratch);
            }
            if (c < 0x20)
                return std::nullopt;
            ascii = ascii && c < 0x80;
            ++m_pos;
        }
        return std::nullopt;
    }

    // A number as JSON writes one.
    std::optional<double> number()
    {
        skipBlanks();
        const qsizetype begin = m_pos;
        accept('-');
        if (accept('0')) {
        } else if (!digits()) {
            return std::nullopt;
        }
        if (accept('.') && !digits())
            return std::nullopt;
        if (accept('e') || accept('E')) {
            if (!accept('+'))
                accept('-');
            if (!digits())
                return std::nullopt;
        }
        double value = 0;
        const char *first = m_bytes.data() + begin;
        const char *last = m_bytes.data() + m_pos;
        const auto [end, error] = std::from_chars(first, last, value);
        if (error == std::errc::result_out_of_range)
            return std::numeric_limits<double>::infinity();
        if (error != std::errc() || end != last)
            return std::nullopt;
        return value;
    }

    // Passes over one value of any kind; false when it is not well formed.
    bool skipValue(int depth = 0)
    {
        if (depth > kMaxDepth)
            return false;
        QByteArray scratch;
        if (take('{')) {
            if (take('}'))
                return true;
            do {
                if (!string(scratch) || !take(':') || !skipValue(depth + 1))
                    return false;
            } while (take(','));
            return take('}');
        }
        if (take('[')) {
            if (take(']'))
                return true;
            do {
                if (!skipValue(depth + 1))
                    return false;
            } while (take(','));
            return take(']');
        }
        if (peek('"'))
            return string(scratch).has_value();
        if (word("true") || word("false") || word("null"))
            return true;
        return number().has_value();
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_bytes.size()) {
            const char c = m_bytes[m_pos];
            if (c != ' ' && c != '\n' && c != '\r' && c != '\t')
                return;
            ++m_pos;
        }
    }

    bool accept(char c)
    {
        if (m_pos == m_bytes.size() || m_bytes[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }

    bool digits()
    {
        const qsizetype begin = m_pos;
        while (m_pos < m_bytes.size() && isDigit(m_bytes[m_pos]))
            ++m_pos;
        return m_pos > begin;
    }

    bool word(std::string_view text)
    {
        skipBlanks();
        if (!m_bytes.sliced(m_pos).startsWith(QByteArrayView(text.data(), qsizetype(text.size()))))
            return false;
        m_pos += qsizetype(text.size());
        return true;
    }

    // Four hex digits of a \u escape.
    std::optional<char16_t> hexUnit()
    {
        if (m_bytes.size() - m_pos < 4)
            return std::nullopt;
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_bytes[m_pos++];
            value *= 16;
            if (isDigit(c))
                value += unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                value += unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value += unsigned(c - 'A' + 10);
            else
                return std::nullopt;
        }
        return char16_t(value);
    }

    // The escape at the cursor and the rest of the string, decoded into `out` after what it holds.
    std::optional<QByteArrayView> escapedRest(QByteArray &out)
    {
        while (m_pos < m_bytes.size()) {
            const auto c = static_cast<unsigned char>(m_bytes[m_pos++]);
            if (c == '"')
                return out.isValidUtf8() ? std::optional<QByteArrayView>(out) : std::nullopt;
            if (c < 0x20)
                return std::nullopt;
            if (c != '\\') {
                out += char(c);
                continue;
            }
            if (m_pos == m_bytes.size())
                return std::nullopt;
            const char escaped = m_bytes[m_pos++];
            switch (escaped) {
            case '"':
            case '\\':
            case '/':
                out += escaped;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                const auto unit = hexUnit();
                if (!unit)
                    return std::nullopt;
                char32_t code = *unit;
                // A surrogate only as the first of a pair written as two escapes.
                if (QChar::isLowSurrogate(code))
                    return std::nullopt;
                if (QChar::isHighSurrogate(code)) {
                    if (!accept('\\') || !accept('u'))
                        return std::nullopt;
                    const auto low = hexUnit();
                    if (!low || !QChar::isLowSurrogate(*low))
                        return std::nullopt;
                    code = QChar::surrogateToUcs4(char16_t(code), *low);
                }
                appendUtf8(out, code);
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    static void appendUtf8(QByteArray &out, char32_t code)
    {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

// The records of a version 1 file, read straight from its JSON: every object with exactly its own
// keys, each once, in any order. Stops at the first thing that is not so, keeping what it was.
class RecordReader
{
public:
    explicit RecordReader(QByteArrayView bytes) : m_json(bytes) {}

    std::optional<QuitRecords> file()
    {
        QuitRecords records;
        std::optional<double> version;
        const bool read = object({kVersion, kRecords}, 0b11, [&](int key) {
            if (key == 0) {
                version = m_json.number();
                return problem(version && *version == kRecordFileVersion, "not version 1");
            }
            return array([&] { return record(records); });
        });
        if (!read || !problem(m_json.atEnd(), "something after the records"))
            return std::nullopt;
        return records;
    }

    QString problem() const
    {
        return QStringLiteral("%1 (byte %2)")
            .arg(QLatin1StringView(m_problem ? m_problem : "not JSON"))
            .arg(m_json.position());
    }

private:
    // Notes the first thing found wrong; `ok` as it was.
    bool problem(bool ok, const char *what)
    {
        if (!ok && !m_problem)
            m_problem = what;
        return ok;
    }

    // An object whose keys are among `keys`, each at most once and those of `required` all there;
    // `value` reads the value of the key at the index it is given.
    template <typename ReadValue>
    bool object(std::initializer_list<const char *> keys, unsigned required, ReadValue value)
    {
        if (!m_json.take('{'))
            return problem(false, "not an object");
        unsigned seen = 0;
        if (!m_json.take('}')) {
            do {
                const auto key = m_json.string(m_scratch);
                if (!key || !m_json.take(':'))
                    return false;
                int index = 0;
                for (const char *known : keys) {
                    if (*key == QByteArrayView(known))
                        break;
                    ++index;
                }
                if (!problem(index < int(keys.size()), "an unknown key") ||
                    !problem(!(seen & (1u << index)), "a key given twice") || !value(index))
                    return false;
                seen |= 1u << index;
            } while (m_json.take(','));
            if (!m_json.take('}'))
                return false;
        }
        return problem((seen & required) == required, "a key missing");
    }

    template <typename ReadItem> bool array(ReadItem item)
    {
        if (!m_json.take('['))
            return problem(false, "not a list");
        if (m_json.take(']'))
            return true;
        do {
            if (!item())
                return false;
        } while (m_json.take(','));
        return m_json.take(']');
    }

    std::optional<QDate> date()
    {
        const auto text = m_json.string(m_scratch);
        const auto read = text ? dateOfIsoText(*text) : std::nullopt;
        problem(read.has_value(), "not a date");
        return read;
    }

    std::optional<Amount> amount()
    {
        const auto text = m_json.string(m_scratch);
        const auto read = text ? amountOfYenText(*text) : std::nullopt;
        problem(read.has_value(), "not an amount");
        return read;
    }

    bool record(QuitRecords &records)
    {
        QuitRecord record;
        const bool read = object({kName, kRuns, kPrices}, 0b111, [&](int key) {
            if (key == 0) {
                const auto name = m_json.string(m_scratch);
                if (name)
                    record.name = QString::fromUtf8(*name);
                return problem(name.has_value(), "a name that is no text");
            }
            if (key == 1)
                return array([&] { return run(record.runs); });
            return array([&] { return price(record.prices); });
        });
        if (!read)
            return false;
        if (record.runs.isEmpty() && record.prices.isEmpty())
            return true; // tells nothing, and is never written
        if (!problem(!m_names.contains(record.name), "two records of one name"))
            return false;
        m_names.insert(record.name);
        records.append(std::move(record));
        return true;
    }

    bool run(QList<QuitRun> &runs)
    {
        std::optional<QDate> start;
        std::optional<QDate> end;
        std::optional<Amount> firstDaily;
        const bool read = object({kStart, kEnd, kFirstDaily}, 0b101, [&](int key) {
            if (key == 2)
                return (firstDaily = amount()).has_value();
            return ((key == 0 ? start : end) = date()).has_value();
        });
        if (!read || !problem(!end || *end >= *start, "a run that ends before it starts"))
            return false;
        // Oldest first, none overlapping the one before, and only the last going on.
        if (!runs.isEmpty()) {
            const QuitRun &before = runs.last();
            if (!problem(!before.goesOn(), "a run going on before another") ||
                !problem(*start >= *before.end, "a run that starts before the last one ended"))
                return false;
        }
        runs.append(QuitRun{*start, end, *firstDaily});
        return true;
    }

    bool price(QList<PriceChange> &prices)
    {
        std::optional<QDate> from;
        std::optional<Amount> daily;
        const bool read = object({kFrom, kDaily}, 0b11, [&](int key) {
            if (key == 0)
                return (from = date()).has_value();
            return (daily = amount()).has_value();
        });
        if (!read ||
            !problem(prices.isEmpty() || *from > prices.last().from, "price changes out of order"))
            return false;
        prices.append(PriceChange{*from, *daily});
        return true;
    }

    JsonCursor m_json;
    QByteArray m_scratch;
    QSet<QString> m_names;
    const char *m_problem = nullptr;
};

// Why a file that is no version 1 record file is not: not JSON at all, no version, a later
// version (whatever its shape), or else `problem`.
RecordFileError whyUnreadable(QByteArrayView bytes, const QString &problem)
{
    JsonCursor json(bytes);
    std::optional<double> version;
    bool twice = false;
    bool wellFormed = json.take('{');
    if (wellFormed && !json.take('}')) {
        QByteArray scratch;
        do {
            const auto key = json.string(scratch);
            wellFormed = key && json.take(':');
            if (wellFormed && *key == QByteArrayView(kVersion) && !json.peek('"') &&
                !json.peek('{') && !json.peek('[')) {
                twice = twice || version.has_value();
                version = json.number();
                wellFormed = version.has_value() || json.skipValue();
            } else if (wellFormed) {
                wellFormed = json.skipValue();
            }
        } while (wellFormed && json.take(','));
        wellFormed = wellFormed && json.take('}');
    }
    using enum RecordFileError::Kind;
    if (!wellFormed || !json.atEnd())
        return fileError(Damaged, QStringLiteral("not JSON (byte %1)").arg(json.position()));
    if (!version || twice)
        return fileError(Damaged, QStringLiteral("no version"));
    if (*version != kRecordFileVersion)
        return fileError(UnknownVersion, QStringLiteral("version %1").arg(*version));
    return fileError(Damaged, problem);
}

QJsonObject runObject(const QuitRun &run)
{
    QJsonObject object{{key(kStart), isoText(run.start)},
                       {key(kFirstDaily), yenText(run.firstDaily)}};
    if (run.end)
        object.insert(key(kEnd), isoText(*run.end));
    return object;
}

QJsonObject priceObject(const PriceChange &price)
{
    return QJsonObject{{key(kFrom), isoText(price.from)}, {key(kDaily), yenText(price.daily)}};
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
        recordArray.append(
            QJsonObject{{key(kName), record.name}, {key(kRuns), runs}, {key(kPrices), prices}});
    }
    const QJsonObject file{{key(kVersion), kRecordFileVersion}, {key(kRecords), recordArray}};
    return QJsonDocument(file).toJson(QJsonDocument::Compact);
}

Result<QuitRecords, RecordFileError> parseRecordFile(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QuitRecords();
    RecordReader reader(bytes);
    if (auto records = reader.file())
        return std::move(records).value();
    return fail(whyUnreadable(bytes, reader.problem()));
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
