#include "help_window/chmfile.h"

#include "core/cp932.h"
#include "platform/lazylibrary.h"

#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QtEndian>
#include <chm_lib.h>

namespace pomiro {

namespace {

// The calls of chmlib the help file needs. The library is loaded when help is first opened
// (lazylibrary.h), so a session without help never loads it.
struct ChmCalls
{
    decltype(&chm_open) open = nullptr;
    decltype(&chm_close) close = nullptr;
    decltype(&chm_resolve_object) resolveObject = nullptr;
    decltype(&chm_retrieve_object) retrieveObject = nullptr;
    decltype(&chm_enumerate) enumerate = nullptr;

    bool complete() const { return open && close && resolveObject && retrieveObject && enumerate; }
};

const ChmCalls &chm()
{
    static const ChmCalls calls = [] {
        ChmCalls loaded;
        QLibrary library(QStringLiteral("chm"), 1);
        if (!loadLibrary(library, "help file"))
            return loaded;
        resolveCall(library, loaded.open, "chm_open");
        resolveCall(library, loaded.close, "chm_close");
        resolveCall(library, loaded.resolveObject, "chm_resolve_object");
        resolveCall(library, loaded.retrieveObject, "chm_retrieve_object");
        resolveCall(library, loaded.enumerate, "chm_enumerate");
        return loaded;
    }();
    return calls;
}

// A damaged file may claim any length; help pages and pictures are far smaller than this.
constexpr LONGUINT64 kMaxObjectSize = 32 * 1024 * 1024;

constexpr quint16 kSystemDefaultTopic = 2;

quint16 readU16(QByteArrayView data, qsizetype at)
{
    return quint16(quint8(data[at]) | (quint8(data[at + 1]) << 8));
}

QByteArray objectPath(QByteArray topic)
{
    topic.replace('\\', '/');
    const qsizetype anchor = topic.indexOf('#');
    if (anchor >= 0)
        topic.truncate(anchor);
    if (topic.isEmpty())
        return {};
    if (!topic.startsWith('/'))
        topic.prepend('/');
    return topic;
}

bool isPage(const QByteArray &path)
{
    const QByteArray lower = path.toLower();
    return lower.endsWith(".htm") || lower.endsWith(".html");
}

int collectPage(chmFile *, chmUnitInfo *unit, void *context)
{
    auto *pages = static_cast<QList<QByteArray> *>(context);
    const QByteArray path(unit->path, qstrnlen(unit->path, sizeof unit->path));
    if (isPage(path))
        pages->append(path);
    return CHM_ENUMERATOR_CONTINUE;
}

// Whether the file at `path` is a compiled help file shorter than its own header says. chmlib does
// not ask: it reads the missing end as zeros and hands out pages made of them, or of other pages'
// bytes. The header's first section records the length of the whole file.
bool isCutShort(const QString &path)
{
    constexpr qsizetype kSectionTable = 0x38; // after 'ITSF', the version, lengths and two GUIDs
    char header[0x58];
    char sectionZero[0x18];
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false; // chmlib cannot open it either
    const qint64 headerRead = file.read(header, sizeof header);
    if (headerRead < 4 || QByteArrayView(header, 4) != "ITSF")
        return false; // not a help file: chmlib says so
    if (headerRead < qint64(sizeof header))
        return true;
    const quint64 sectionZeroAt = qFromLittleEndian<quint64>(header + kSectionTable);
    if (sectionZeroAt > quint64(file.size()) || !file.seek(qint64(sectionZeroAt)))
        return true;
    if (file.read(sectionZero, sizeof sectionZero) < qint64(sizeof sectionZero))
        return true;
    if (qFromLittleEndian<quint32>(sectionZero) != 0x01FE)
        return false; // a layout this check does not know: chmlib alone decides
    return qFromLittleEndian<quint64>(sectionZero + 8) > quint64(file.size());
}

QString decodeWith(const QByteArray &name, const QByteArray &bytes)
{
    const QByteArray lower = name.toLower();
    if (lower == "shift_jis" || lower == "shift-jis" || lower == "sjis" || lower == "x-sjis" ||
        lower == "windows-31j" || lower == "cp932" || lower == "ms932") {
        if (auto text = cp932::decode(bytes))
            return *text;
    }
    QStringDecoder decoder(name.constData());
    if (decoder.isValid()) {
        QString text = decoder.decode(bytes);
        if (!decoder.hasError())
            return text;
    }
    return {};
}

} // namespace

QByteArray defaultTopicFromSystem(QByteArrayView system)
{
    // A 4-byte version, then records of (u16 code, u16 length, data), all little-endian.
    qsizetype at = 4;
    while (at + 4 <= system.size()) {
        const quint16 code = readU16(system, at);
        const quint16 length = readU16(system, at + 2);
        at += 4;
        if (length > system.size() - at)
            return {};
        if (code == kSystemDefaultTopic) {
            QByteArrayView data = system.sliced(at, length);
            const qsizetype end = data.indexOf('\0');
            if (end >= 0)
                data = data.first(end);
            return objectPath(data.toByteArray());
        }
        at += length;
    }
    return {};
}

QString decodeHelpText(const QByteArray &bytes)
{
    if (const auto marked =
            QStringConverter::encodingForData(bytes)) { // a byte order mark says it all
        QStringDecoder decoder(*marked);
        return decoder.decode(bytes);
    }

    static const QRegularExpression charset(
        QStringLiteral(R"(charset\s*=\s*["']?([A-Za-z0-9_.:\-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch declared = charset.match(QString::fromLatin1(bytes.left(2048)));
    if (declared.hasMatch()) {
        const QString text = decodeWith(declared.captured(1).toLatin1(), bytes);
        if (!text.isNull())
            return text;
    }

    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    if (auto japanese = cp932::decode(bytes))
        return *japanese;
    return text; // with replacement characters where the bytes made no sense
}

std::unique_ptr<ChmFile> ChmFile::open(const QString &path)
{
    if (!chm().complete() || isCutShort(path))
        return nullptr;
    chmFile *handle = chm().open(QFile::encodeName(path).constData());
    if (!handle)
        return nullptr;
    return std::unique_ptr<ChmFile>(new ChmFile(handle, path));
}

ChmFile::ChmFile(chmFile *handle, const QString &path) : m_handle(handle), m_path(path) {}

ChmFile::~ChmFile()
{
    chm().close(m_handle);
}

std::optional<QByteArray> ChmFile::read(const QByteArray &objectPath) const
{
    chmUnitInfo unit{};
    if (chm().resolveObject(m_handle, objectPath.constData(), &unit) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    if (unit.length > kMaxObjectSize)
        return std::nullopt;
    QByteArray bytes(qsizetype(unit.length), Qt::Uninitialized);
    if (unit.length == 0)
        return bytes;
    const LONGINT64 got =
        chm().retrieveObject(m_handle, &unit, reinterpret_cast<unsigned char *>(bytes.data()), 0,
                             LONGINT64(unit.length));
    if (got != LONGINT64(unit.length))
        return std::nullopt;
    return bytes;
}

QByteArray ChmFile::defaultTopic() const
{
    if (const auto system = read("/#SYSTEM")) {
        const QByteArray topic = defaultTopicFromSystem(*system);
        if (!topic.isEmpty() && read(topic))
            return topic;
    }
    QList<QByteArray> pages;
    chm().enumerate(m_handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectPage, &pages);
    for (const QByteArray &page : pages) {
        if (read(page))
            return page;
    }
    return {};
}

} // namespace pomiro
