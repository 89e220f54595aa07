#include "core/datafile.h"

#include "core/cp932.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace pomiro {

namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';
constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kSpace = ' ';

bool isLineEnd(char c)
{
    return c == kCr || c == kLf;
}

// Where one field's bytes lie; the quotes are not part of it.
struct FieldSpan
{
    qsizetype begin = 0;
    qsizetype end = 0;
};

// A cursor over the file's bytes that reads fields by the reading rules. Quote, comma, CR, LF and
// space are never trail bytes of a CP932 character, so splitting the raw bytes is safe.
class FieldReader
{
public:
    explicit FieldReader(const QByteArray &bytes) : m_bytes(bytes) {}

    qsizetype position() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_bytes.size(); }

    // Blank lines and spaces are never written; where an entry would start they are passed over.
    void skipBlankLines()
    {
        while (!atEnd() && (m_bytes[m_pos] == kSpace || isLineEnd(m_bytes[m_pos])))
            ++m_pos;
    }

    // The next field, or false when the file ends before the field does.
    bool readField(FieldSpan &field)
    {
        while (!atEnd() && m_bytes[m_pos] == kSpace)
            ++m_pos;
        if (atEnd())
            return false;

        if (m_bytes[m_pos] == kQuote) {
            const qsizetype close = m_bytes.indexOf(kQuote, m_pos + 1);
            if (close < 0)
                return false;
            field = {m_pos + 1, close};
            // Anything between the closing quote and the next comma or line end is not part of
            // any field.
            m_pos = close + 1;
            while (!atEnd() && m_bytes[m_pos] != kComma && !isLineEnd(m_bytes[m_pos]))
                ++m_pos;
        } else {
            const qsizetype begin = m_pos;
            while (!atEnd() && m_bytes[m_pos] != kComma && !isLineEnd(m_bytes[m_pos]))
                ++m_pos;
            field = {begin, m_pos};
        }
        skipTerminator();
        return true;
    }

private:
    // One comma, or one line end (CR LF counts as one).
    void skipTerminator()
    {
        if (atEnd())
            return;
        if (m_bytes[m_pos] == kCr && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == kLf)
            m_pos += 2;
        else
            ++m_pos;
    }

    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
};

QString &fieldOf(Entry &entry, int index)
{
    return index == 0 ? entry.name : entry.amount(index - 1);
}

const QString &fieldOf(const Entry &entry, int index)
{
    return index == 0 ? entry.name : entry.amount(index - 1);
}

DataFileError fileError(DataFileError::Kind kind, QString detail)
{
    DataFileError error;
    error.kind = kind;
    error.detail = std::move(detail);
    return error;
}

Result<QByteArray, DataFileError> readWholeFile(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(fileError(DataFileError::Kind::ReadFailed, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(fileError(DataFileError::Kind::ReadFailed, file.errorString()));
    return bytes;
}

bool endsWithLineEnd(const QByteArray &bytes)
{
    return !bytes.isEmpty() && isLineEnd(bytes.back());
}

} // namespace

ParsedDataFile parseDataFile(const QByteArray &bytes)
{
    ParsedDataFile parsed;
    // An entry takes a line or more: room for them all up front spares the start-up the copies
    // and the spare room of a growing list.
    parsed.entries.reserve(std::min<qsizetype>(bytes.count('\n') + 1, kMaxEntries));
    FieldReader reader(bytes);
    for (;;) {
        reader.skipBlankLines();
        const qsizetype entryStart = reader.position();
        if (reader.atEnd()) {
            parsed.stop = LoadStop::EndOfFile;
            parsed.unreadOffset = bytes.size();
            return parsed;
        }
        if (parsed.entries.size() == kMaxEntries) {
            parsed.stop = LoadStop::TableFull;
            parsed.unreadOffset = entryStart;
            return parsed;
        }

        std::array<FieldSpan, kEntryFieldCount> spans;
        for (FieldSpan &span : spans) {
            if (!reader.readField(span)) {
                parsed.stop = LoadStop::IncompleteEntry;
                parsed.unreadOffset = entryStart;
                return parsed;
            }
        }

        Entry entry;
        for (int i = 0; i < kEntryFieldCount; ++i) {
            const FieldSpan &span = spans[static_cast<size_t>(i)];
            auto text =
                cp932::decode(QByteArrayView(bytes).sliced(span.begin, span.end - span.begin));
            if (!text) {
                parsed.stop = LoadStop::Undecodable;
                parsed.unreadOffset = entryStart;
                return parsed;
            }
            fieldOf(entry, i) = std::move(text).value();
        }
        parsed.entries.push_back(std::move(entry));
    }
}

Result<QByteArray, DataFileError> encodeEntryLine(const Entry &entry)
{
    QByteArray line;
    line.reserve(160);
    for (int i = 0; i < kEntryFieldCount; ++i) {
        const QString &text = fieldOf(entry, i);
        DataFileError refused;
        refused.kind = DataFileError::Kind::UnwritableText;
        refused.field = static_cast<EntryField>(i);
        // A quote would end the field early and shift every later field of the file.
        if (text.contains(QChar(kQuote))) {
            refused.character = U'"';
            return fail(refused);
        }
        const auto bytes = cp932::encode(text);
        if (!bytes) {
            refused.character = bytes.error().character;
            return fail(refused);
        }
        if (i > 0)
            line += kComma;
        line += kQuote;
        line += *bytes;
        line += kQuote;
    }
    line += "\r\n";
    return line;
}

DataFile::DataFile(QDir folder) : m_folder(std::move(folder)) {}

QString DataFile::path() const
{
    const QString exact = QString::fromUtf16(kDataFileName);
    if (QFileInfo::exists(m_folder.filePath(exact)))
        return m_folder.filePath(exact);
    // Another spelling of the same name ("データ.TXT"), the first in name order if several.
    const QStringList files = m_folder.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    const auto match = std::find_if(files.begin(), files.end(), [&](const QString &name) {
        return name.compare(exact, Qt::CaseInsensitive) == 0;
    });
    return m_folder.filePath(match != files.end() ? *match : exact);
}

Result<LoadReport, DataFileError> DataFile::load(Entries &entries)
{
    const QString filePath = path();
    removeLeftoverCopies(filePath);
    QFile file(filePath);
    LoadReport report;

    if (!QFileInfo::exists(filePath)) {
        entries.clear();
        m_unreadTail.clear();
        m_stop = LoadStop::EndOfFile;
        m_readFailed = false;
        m_known.reset();
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return fail(fileError(DataFileError::Kind::WriteFailed, file.errorString()));
        file.close();
        m_known = QByteArray();
        report.created = true;
        return report;
    }

    const auto read = readWholeFile(filePath);
    if (!read) {
        m_readFailed = true;
        m_known.reset();
        return fail(read.error());
    }
    const QByteArray &bytes = read.value();

    ParsedDataFile parsed = parseDataFile(bytes);
    entries = std::move(parsed.entries);

    m_unreadTail = bytes.mid(parsed.unreadOffset);
    m_stop = parsed.stop;
    m_readFailed = false;
    m_known = bytes;
    report.stop = parsed.stop;
    return report;
}

Result<void, DataFileError> DataFile::append(const Entry &entry, const Entries &entries)
{
    const auto line = encodeEntryLine(entry);
    if (!line)
        return fail(line.error());
    // First: a count read before another program changed the file says nothing about it now.
    const QString filePath = path();
    if (const auto unchanged = checkUnchanged(filePath); !unchanged)
        return unchanged;
    if (entries.size() >= kMaxEntries)
        return fail(fileError(DataFileError::Kind::TableFull, {}));

    // A rest that could not be read would swallow a line put after it, so the new line goes in
    // front of it. The file holds exactly what was last read or written, so it ends with that rest.
    QByteArray content = m_known.value_or(QByteArray());
    QByteArray tail;
    if (m_stop != LoadStop::EndOfFile && m_stop != LoadStop::TableFull &&
        content.endsWith(m_unreadTail)) {
        tail = m_unreadTail;
        content.chop(tail.size());
    }
    if (!content.isEmpty() && !endsWithLineEnd(content))
        content += "\r\n";
    content += *line;
    content += tail;
    return write(filePath, content);
}

Result<void, DataFileError> DataFile::rewrite(const Entries &entries, qsizetype leaveOut)
{
    if (m_readFailed)
        return fail(fileError(DataFileError::Kind::ReadFailed, {}));

    QByteArray content;
    content.reserve(entries.size() * 160 + m_unreadTail.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (i == leaveOut)
            continue;
        const auto line = encodeEntryLine(entries[i]);
        if (!line) {
            // Only a hand-written file can bring such text in; say which entry holds it.
            DataFileError error = line.error();
            error.entry = i;
            return fail(error);
        }
        content += *line;
    }
    content += m_unreadTail;

    const QString filePath = path();
    if (const auto unchanged = checkUnchanged(filePath); !unchanged)
        return unchanged;
    return write(filePath, content);
}

Result<void, DataFileError> DataFile::checkUnchanged(const QString &filePath) const
{
    const auto changed = fail(fileError(DataFileError::Kind::ChangedElsewhere, {}));
    const QFileInfo info(filePath);
    // A file never read and still missing holds nothing a write could lose.
    if (!info.exists())
        return m_known ? Result<void, DataFileError>(changed) : Result<void, DataFileError>();
    // The size first: most changes show there without reading anything.
    if (m_known && info.isFile() && info.size() != m_known->size())
        return changed;
    const auto now = readWholeFile(filePath);
    if (!now)
        return fail(now.error());
    if (!m_known || now.value() != *m_known)
        return changed;
    return {};
}

Result<void, DataFileError> DataFile::write(const QString &filePath, const QByteArray &content)
{
    const auto written = m_replace(filePath, content);
    if (!written) {
        const auto kind = written.error().diskFull ? DataFileError::Kind::DiskFull
                                                   : DataFileError::Kind::WriteFailed;
        return fail(fileError(kind, written.error().detail));
    }
    m_known = content;
    return {};
}

} // namespace pomiro
