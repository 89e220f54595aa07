#pragma once

// The words of a PDF file and where they stand, page by page, as pdftotext -bbox (poppler-utils)
// reads them back: what a test checks a printed layout by.

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace pomiro::testing {

struct PdfWord
{
    double xMin, yMin, xMax, yMax; // points
    QString text;
};

struct PdfPageWords
{
    QSizeF size; // points
    QList<PdfWord> words;
};

// pdftotext -bbox: one <word> per run of text between blanks, coordinates in points from the
// page's top-left corner. Empty when the file cannot be read.
inline QList<PdfPageWords> readPdfPages(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression pageStart(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfPageWords> pages;
    for (auto pageIt = pageStart.globalMatch(html); pageIt.hasNext();) {
        const auto p = pageIt.next();
        const qsizetype end = html.indexOf(QStringLiteral("</page>"), p.capturedEnd());
        PdfPageWords page{QSizeF(p.captured(1).toDouble(), p.captured(2).toDouble()), {}};
        const QString body = html.mid(p.capturedEnd(), end < 0 ? -1 : end - p.capturedEnd());
        for (auto it = word.globalMatch(body); it.hasNext();) {
            const auto m = it.next();
            QString text = m.captured(5);
            text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
                .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            page.words.append({m.captured(1).toDouble(), m.captured(2).toDouble(),
                               m.captured(3).toDouble(), m.captured(4).toDouble(), text});
        }
        pages.append(page);
    }
    return pages;
}

// The words of a page grouped into lines, top to bottom, each line left to right. A word joins a
// line when its top is within `tolerance` points of the line's first word (words in another font
// stand a little higher or lower).
inline QList<QList<PdfWord>> linesOf(QList<PdfWord> words, double tolerance = 0.05)
{
    std::stable_sort(words.begin(), words.end(),
                     [](const PdfWord &a, const PdfWord &b) { return a.yMin < b.yMin; });
    QList<QList<PdfWord>> lines;
    for (const PdfWord &w : words) {
        if (lines.isEmpty() || w.yMin - lines.last().first().yMin > tolerance)
            lines.append(QList<PdfWord>());
        lines.last().append(w);
    }
    for (QList<PdfWord> &line : lines)
        std::stable_sort(line.begin(), line.end(),
                         [](const PdfWord &a, const PdfWord &b) { return a.xMin < b.xMin; });
    return lines;
}

inline QString textOf(const QList<PdfWord> &line)
{
    QStringList texts;
    for (const PdfWord &w : line)
        texts.append(w.text);
    return texts.join(u' ');
}

} // namespace pomiro::testing
