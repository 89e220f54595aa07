#pragma once

#include "platform/printer.h"

#include <QString>
#include <QStringList>

namespace pomiro::testing {

// Writes down every operation as one text ("size 28", "line …") and can refuse one of them.
class RecordingPrinter : public Printer
{
public:
    QStringList operations;
    int failAt = -1; // index in `operations` of the one to refuse; -1 refuses none
    bool aborted = false;
    bool ended = false;

    bool setFontName(const QString &family) override { return record(QStringLiteral("font ") + family); }
    bool setFontSize(double points) override
    {
        return record(QStringLiteral("size ") + QString::number(points));
    }
    bool setScaleLeft(int twips) override { return record(QStringLiteral("left ") + QString::number(twips)); }
    bool setScaleTop(int twips) override { return record(QStringLiteral("top ") + QString::number(twips)); }
    bool printLine(const QString &text) override { return record(QStringLiteral("line ") + text); }
    bool endDocument() override
    {
        ended = record(QStringLiteral("end"));
        return ended;
    }
    void abort() override { aborted = true; }

    // The text of every printed line, in order.
    QStringList lines() const
    {
        QStringList result;
        for (const QString &op : operations) {
            if (op.startsWith(QStringLiteral("line ")))
                result.append(op.mid(5));
        }
        return result;
    }

private:
    bool record(const QString &operation)
    {
        operations.append(operation);
        return operations.size() - 1 != failAt;
    }
};

// Hands every operation on to a RecordingPrinter the test keeps, so that what a printer factory
// made can be inspected after its user has destroyed it.
class ForwardingPrinter : public Printer
{
public:
    explicit ForwardingPrinter(RecordingPrinter &target) : m_target(target) {}

    bool setFontName(const QString &family) override { return m_target.setFontName(family); }
    bool setFontSize(double points) override { return m_target.setFontSize(points); }
    bool setScaleLeft(int twips) override { return m_target.setScaleLeft(twips); }
    bool setScaleTop(int twips) override { return m_target.setScaleTop(twips); }
    bool printLine(const QString &text) override { return m_target.printLine(text); }
    bool endDocument() override { return m_target.endDocument(); }
    void abort() override { m_target.abort(); }

private:
    RecordingPrinter &m_target;
};

} // namespace pomiro::testing
