#include "help_window/helpwindow.h"

#include "help_window/chmfile.h"
#include "help_window/texts.h"
#include "platform/accessibility.h"
#include "platform/announcer.h"
#include "platform/colours.h"
#include "platform/fonts.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QStyle>
#include <QToolBar>

namespace pomiro {

HelpWindow::HelpWindow(std::unique_ptr<ChmFile> file, QWidget *parent)
    : QMainWindow(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(helptexts::kWindowTitle);
    resize(680, 540);

    // Resolved against the root so that every address has the same chm:/// form that links get.
    QUrl topic;
    topic.setPath(QString::fromUtf8(file->defaultTopic().mid(1)));
    m_homeUrl = QUrl(HelpBrowser::kScheme + QStringLiteral(":///")).resolved(topic);

    m_browser = new HelpBrowser(std::move(file), this);
    m_browser->setFont(fonts::font(fonts::kProportional, 10.5));
    // The pages keep their own light colours (help/style.css.in) under any desktop theme; the parts
    // that the style sheet does not reach, such as list bullets, take the same ones.
    QPalette page = m_browser->palette();
    page.setColor(QPalette::Base, QColor(colours::kCream));
    page.setColor(QPalette::Text, QColor(colours::kHelpText));
    m_browser->setPalette(page);
    setCentralWidget(m_browser);

    QToolBar *bar = addToolBar(helptexts::kToolBar);
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), helptexts::kBack);
    m_back->setShortcut(QKeySequence::Back);
    m_back->setToolTip(helptexts::kBackTip);
    m_back->setEnabled(false);
    m_forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), helptexts::kForward);
    m_forward->setShortcut(QKeySequence::Forward);
    m_forward->setToolTip(helptexts::kForwardTip);
    m_forward->setEnabled(false);
    m_home = bar->addAction(
        QIcon::fromTheme(QStringLiteral("go-home"), style()->standardIcon(QStyle::SP_DirHomeIcon)),
        helptexts::kHome);
    m_home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home)); // as in web browsers
    m_home->setToolTip(helptexts::kHomeTip);
    // Esc closes the window as its close button does; the action is the window's, not a button's.
    m_close = new QAction(this);
    m_close->setShortcut(QKeySequence::Cancel);
    addAction(m_close);
    m_announcer = new Announcer(this);

    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_home, &QAction::triggered, this, &HelpWindow::showHome);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_close, &QAction::triggered, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateCaption);
    connect(m_browser, &HelpBrowser::pageShown, this, &HelpWindow::pageChanged);
    connect(m_browser, &HelpBrowser::linkFocused, this, [this](const QString &text) {
        m_announcer->announce(helptexts::linkAnnouncement(text));
    });

    showHome();
    m_browser->setAccessibleName(helptexts::kPageName);
    accessibility::describeControls(this);
}

void HelpWindow::showHome()
{
    m_browser->showPage(m_homeUrl);
}

void HelpWindow::pageChanged()
{
    // Every page is read from its top, with the keyboard in it, whatever was used to get there.
    m_browser->moveCaretToPageStart();
    m_browser->setFocus(Qt::OtherFocusReason);
    // A screen reader hears the title of a window that comes up (the page's title is in it), but
    // is told only that the text changed when another page replaces this one under the user.
    const QString title = m_browser->documentTitle();
    if (isActiveWindow() && !title.isEmpty())
        m_announcer->announce(helptexts::pageAnnouncement(title));
}

void HelpWindow::updateCaption()
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? helptexts::kWindowTitle
                                   : title + QStringLiteral(" - ") + helptexts::kWindowTitle);
}

} // namespace pomiro
