#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <optional>

struct chmFile;

namespace pomiro {

// The default topic named in a help file's /#SYSTEM object, as an object path ("/index.html");
// empty when the data names none or is cut short.
QByteArray defaultTopicFromSystem(QByteArrayView system);

// Text of a help page, decoded by the charset it declares (UTF-8 or Shift-JIS when it declares
// none).
QString decodeHelpText(const QByteArray &bytes);

// A compiled help file (.chm), read through chmlib.
class ChmFile
{
public:
    // Null when the file is missing, is not a compiled help file, or is shorter than its header
    // says.
    static std::unique_ptr<ChmFile> open(const QString &path);

    ~ChmFile();
    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    // The bytes of the object at `objectPath` ("/index.html"); nothing when it is missing or
    // unreadable.
    std::optional<QByteArray> read(const QByteArray &objectPath) const;

    // The page to open first: the file's default topic when it exists, otherwise its first page;
    // empty when the file holds no page at all.
    QByteArray defaultTopic() const;

    QString path() const { return m_path; }

private:
    ChmFile(chmFile *handle, const QString &path);

    chmFile *m_handle;
    QString m_path;
};

} // namespace pomiro
