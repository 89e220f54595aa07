#pragma once

#include "help_window/helpbrowser.h"

#include <QMainWindow>
#include <QUrl>
#include <memory>

class QAction;

namespace pomiro {

class Announcer;
class ChmFile;

// The help window: a browser with back, forward and home buttons, opened at the file's default
// topic. Every page is read from its top with the keyboard in the browser; Esc closes the window.
class HelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    HelpWindow(std::unique_ptr<ChmFile> file, QWidget *parent = nullptr);

    // Kept for the tests, which follow links and read pages through it.
    HelpBrowser *browser() const { return m_browser; }
    QAction *backAction() const { return m_back; }
    QAction *forwardAction() const { return m_forward; }
    QAction *homeAction() const { return m_home; }
    QAction *closeAction() const { return m_close; }

    // The default topic's address, chm:///index.html for our own file.
    QUrl homeUrl() const { return m_homeUrl; }

    // Back to the default topic; the pages browsed stay in the history.
    void showHome();

private:
    void updateCaption();
    void pageChanged();

    HelpBrowser *m_browser;
    Announcer *m_announcer;
    QAction *m_back;
    QAction *m_forward;
    QAction *m_home;
    QAction *m_close;
    QUrl m_homeUrl;
};

} // namespace pomiro
