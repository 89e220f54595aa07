#pragma once

#include <QString>

class QWidget;

namespace pomiro {

// The two things the program asks of its help: show a help file at its default topic, and close
// every help window it opened.
class HelpViewer
{
public:
    virtual ~HelpViewer() = default;

    // Opens `helpFile` (a bare name: looked up in the working directory, beside the binary, then in
    // the installed data folder) at its default topic.
    virtual void displayTopic(QWidget *caller, const QString &helpFile) = 0;
    virtual void closeAll() = 0;
};

} // namespace pomiro
