#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace pomiro::testing {

// The text of a PDF file as pdftotext (poppler-utils) reads it, lines kept; empty when unreadable.
inline QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace pomiro::testing
