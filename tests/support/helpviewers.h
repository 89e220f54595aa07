#pragma once

// Help viewers that stand in for the real one where a test opens the main window.

#include "help_window/helpviewer.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace pomiro::testing {

// Help that does nothing: for programs and tests that never press Help.
class NoHelp : public HelpViewer
{
public:
    void displayTopic(QWidget *, const QString &) override {}
    void closeAll() override {}
};

// Help that notes each call, and the window that asked for the help file.
class RecordingHelpViewer : public HelpViewer
{
public:
    QStringList calls;
    QWidget *caller = nullptr;

    void displayTopic(QWidget *from, const QString &helpFile) override
    {
        caller = from;
        calls << QStringLiteral("display ") + helpFile;
    }
    void closeAll() override { calls << QStringLiteral("closeAll"); }
};

} // namespace pomiro::testing
