#pragma once

#include <QMainWindow>
#include <QTextBrowser>
#include <memory>
#include <optional>

class QAction;

namespace pomiro {

class Announcer;
class ChmFile;

// Where a link in a help page leads.
enum class HelpLink {
    Inside,   // a page or anchor of the help file itself
    External, // a web or mail address, handed to the desktop
    Refused,  // anything else (local files, programs, scripts): not followed
};

// `url` as resolved against the page it sits on.
HelpLink classifyHelpLink(const QUrl &url);

// Shows the pages of one help file; everything it loads comes from that file, under chm:///.
// The page is read by keyboard as well: a caret moves through the text, Tab and Shift+Tab go from
// link to link, and Enter follows the link the keyboard is on.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    static inline const QString kScheme = QStringLiteral("chm");

    HelpBrowser(std::unique_ptr<ChmFile> file, QWidget *parent = nullptr);
    ~HelpBrowser() override;

    QVariant loadResource(int type, const QUrl &name) override;

    const ChmFile &file() const { return *m_file; }

    // Shows the page at `url`. Asked for the page already shown, it starts that page over.
    void showPage(const QUrl &url);

    // The caret at the start of the page shown, or at the anchor its address names.
    void moveCaretToPageStart();

signals:
    // Another page is shown, or the one shown was asked for again.
    void pageShown();
    // Tab or Shift+Tab put the keyboard on a link; `text` is what the link says on the page.
    void linkFocused(const QString &text);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void followLink(const QUrl &link);
    // The text of the link the keyboard is on, or nothing.
    std::optional<QString> focusedLink() const;

    std::unique_ptr<ChmFile> m_file;
};

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
