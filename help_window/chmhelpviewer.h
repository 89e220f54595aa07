#pragma once

#include "help_window/helpviewer.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>

namespace pomiro {

class HelpWindow;

// The folders a bare help file name is looked up in, in order: the working directory, the folder
// of the program's binary, the installed data folder (found from the binary,
// ../share/pomiro-checker).
QStringList helpSearchFolders();

// The first existing file `name` in `folders` (an absolute name is taken as it is); empty if none.
QString locateHelpFile(const QString &name, const QStringList &folders);

// Compiled help files (.chm) in our own help window, one window per file.
class ChmHelpViewer : public HelpViewer
{
public:
    ChmHelpViewer();
    ~ChmHelpViewer() override;

    // Opens the file at its default topic; a window already open for it goes back to the default
    // topic and comes to the front. A file
    // that is missing or unreadable is reported in a message box, and nothing opens.
    void displayTopic(QWidget *caller, const QString &helpFile) override;
    void closeAll() override;

    // The help windows open now.
    QList<HelpWindow *> windows() const;

private:
    QHash<QString, QPointer<HelpWindow>> m_windows; // by canonical file path
};

} // namespace pomiro
