#pragma once

#include <QTextBrowser>
#include <memory>
#include <optional>

namespace pomiro {

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

} // namespace pomiro
