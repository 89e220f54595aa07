#pragma once

#include <QMainWindow>
#include <QTextBrowser>

#include <memory>

class QAction;

namespace pomiro {

class ChmFile;

// Where a link in a help page leads.
enum class HelpLink
{
    Inside,   // a page or anchor of the help file itself
    External, // a web or mail address, handed to the desktop
    Refused,  // anything else (local files, programs, scripts): not followed
};

// `url` as resolved against the page it sits on.
HelpLink classifyHelpLink(const QUrl &url);

// Shows the pages of one help file; everything it loads comes from that file, under chm:///.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    static inline const QString kScheme = QStringLiteral("chm");

    HelpBrowser(std::unique_ptr<ChmFile> file, QWidget *parent = nullptr);
    ~HelpBrowser() override;

    QVariant loadResource(int type, const QUrl &name) override;

    const ChmFile &file() const { return *m_file; }

private:
    void followLink(const QUrl &link);

    std::unique_ptr<ChmFile> m_file;
};

// The help window: a browser with back, forward and home buttons, opened at the file's default topic.
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

    // The default topic's address, chm:///index.html for our own file.
    QUrl homeUrl() const { return m_homeUrl; }

    // Back to the default topic; the pages browsed stay in the history.
    void showHome();

private:
    void updateCaption();

    HelpBrowser *m_browser;
    QAction *m_back;
    QAction *m_forward;
    QAction *m_home;
    QUrl m_homeUrl;
};

} // namespace pomiro
