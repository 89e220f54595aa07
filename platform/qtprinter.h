#pragma once

#include "platform/printer.h"

#include <QFont>
#include <QPainter>
#include <QString>
#include <memory>

class QPrinter;

namespace pomiro {

// The printer over QPrinter and QPainter.
//
// The page is drawn into a PDF spool file laid out for the default printer and handed to CUPS
// only by endDocument(); abort() deletes it unsent. (QPrinter's own CUPS engine would submit
// even an aborted document when its painter ends, and ignores a spooler that refuses the job.)
//
// A line's top sits at the current position; the position then moves down by the font's height
// (ascent + descent, QFontMetricsF::height()), which for IPAGothic equals its line spacing.
class QtPrinter : public Printer
{
public:
    // The system's default printer. Without one every operation fails: there is no silent
    // fallback to a file.
    static std::unique_ptr<QtPrinter> forDefaultPrinter();

    // Writes the page to a PDF file instead of a printer; abort() removes the file.
    static std::unique_ptr<QtPrinter> toPdfFile(const QString &path);

    ~QtPrinter() override;
    QtPrinter(const QtPrinter &) = delete;
    QtPrinter &operator=(const QtPrinter &) = delete;

    bool setFontName(const QString &family) override;
    bool setFontSize(double points) override;
    bool setScaleLeft(int twips) override;
    bool setScaleTop(int twips) override;
    bool printLine(const QString &text) override;
    bool endDocument() override;
    void abort() override;

private:
    enum class State { NotStarted, Printing, Ended, Failed };

    QtPrinter() = default;

    bool ensureStarted();
    bool failed();
    bool healthy() const;
    double twipsToDevice(int twips) const;

    std::unique_ptr<QPrinter> m_printer; // null: there is no printer to print on
    QPainter m_painter;
    QString m_queue;     // CUPS destination; empty when writing a file for its own sake
    QString m_spoolFile; // the PDF that is drawn, handed to the queue at the end
    QString m_fontFamily;
    double m_fontSize = 0.0;
    double m_originX = 0.0; // device pixels from the printable area's corner
    double m_originY = 0.0;
    double m_y = 0.0; // current line top, device pixels below the origin
    State m_state = State::NotStarted;
};

} // namespace pomiro
