#include "letters/letterprinting.h"

#include "letters/letterkind.h"
#include "letters/letterpainter.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pomiro::letters {

namespace {

// Longest file name most Linux file systems take, in bytes of its encoded name.
constexpr qsizetype kMaxFileNameBytes = 255;

// A name as it may stand in a file name: no folder separator, no NUL, no control characters.
QString fileNamePart(const QString &name)
{
    QString part;
    for (QChar c : name)
        part += c == u'/' || c.category() == QChar::Other_Control ? QChar(u'_') : c;
    return part.trimmed();
}

// "<letter>_<name>_<yyyyMMdd>.pdf"; without the name part when nothing of the name is left, and
// with the name shortened when the whole would be too long for a file name.
QString proposedFileName(const LetterKind &kind, const QString &name, QDate date)
{
    const QString letter = QString::fromUtf16(kind.caption);
    const QString tail = u'_' + date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".pdf");
    QString part = fileNamePart(name);
    const auto fileName = [&] {
        return part.isEmpty() ? letter + tail : letter + u'_' + part + tail;
    };
    while (QFile::encodeName(fileName()).size() > kMaxFileNameBytes) {
        part.chop(part.size() >= 2 && part.at(part.size() - 1).isLowSurrogate() ? 2 : 1);
        part = part.trimmed();
    }
    return fileName();
}

// The user's documents folder, or the home folder on a desktop that has none.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

std::optional<Printable> letterPrintable(int kindIndex, const QString &name,
                                         const PeriodTexts &amounts, QDate date)
{
    if (kindIndex < 0 || kindIndex >= static_cast<int>(kLetterKinds.size()))
        return std::nullopt;
    const LetterKind &kind = kLetterKinds[static_cast<size_t>(kindIndex)];
    return Printable{[&kind, name, amounts, date](QFileDevice &out, const QPageSize &paper) {
                         return writeLetterPdf(out, paper, kind, name, amounts, date);
                     },
                     QDir(documentsFolder()).filePath(proposedFileName(kind, name, date))};
}

} // namespace pomiro::letters
