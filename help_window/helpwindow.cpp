#include "help_window/helpwindow.h"

#include "platform/accessibility.h"
#include "help_window/chmfile.h"
#include "help_window/texts.h"
#include "platform/fonts.h"

#include <QAction>
#include <QDesktopServices>
#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>

namespace pomiro {

HelpLink classifyHelpLink(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == HelpBrowser::kScheme)
        return HelpLink::Inside;
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto"))
        return HelpLink::External;
    return HelpLink::Refused;
}

HelpBrowser::HelpBrowser(std::unique_ptr<ChmFile> file, QWidget *parent)
    : QTextBrowser(parent), m_file(std::move(file))
{
    // Links are routed here so that nothing outside the help file is opened by accident.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

HelpBrowser::~HelpBrowser() = default;

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (url.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0)
        return {}; // inline data: the document decodes it itself
    // An empty but valid answer, so that the document does not go and read local files instead.
    if (url.scheme() != kScheme)
        return QByteArray();

    const std::optional<QByteArray> bytes = m_file->read(url.path(QUrl::FullyDecoded).toUtf8());
    switch (type) {
    case QTextDocument::HtmlResource:
        return bytes ? decodeHelpText(*bytes) : helptexts::missingPage(url.path());
    case QTextDocument::StyleSheetResource:
        return bytes ? decodeHelpText(*bytes) : QString();
    case QTextDocument::ImageResource: {
        if (!bytes)
            return QByteArray();
        const QImage image = QImage::fromData(*bytes);
        return image.isNull() ? QVariant(QByteArray()) : QVariant(image);
    }
    default:
        return bytes.value_or(QByteArray());
    }
}

void HelpBrowser::followLink(const QUrl &link)
{
    const QUrl url = source().resolved(link);
    switch (classifyHelpLink(url)) {
    case HelpLink::Inside:
        setSource(url);
        break;
    case HelpLink::External:
        QDesktopServices::openUrl(url);
        break;
    case HelpLink::Refused:
        break;
    }
}

HelpWindow::HelpWindow(std::unique_ptr<ChmFile> file, QWidget *parent) : QMainWindow(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(helptexts::kWindowTitle);
    resize(680, 540);

    // Resolved against the root so that every address has the same chm:/// form that links get.
    QUrl topic;
    topic.setPath(QString::fromUtf8(file->defaultTopic().mid(1)));
    m_homeUrl = QUrl(HelpBrowser::kScheme + QStringLiteral(":///")).resolved(topic);

    m_browser = new HelpBrowser(std::move(file), this);
    m_browser->setFont(fonts::font(fonts::kPGothic, 10.5));
    // The pages keep their own light colours (help/style.css) under any desktop theme; the parts
    // that the style sheet does not reach, such as list bullets, take the same ones.
    QPalette page = m_browser->palette();
    page.setColor(QPalette::Base, QColor(0xff, 0xff, 0xf0));
    page.setColor(QPalette::Text, QColor(0x33, 0x33, 0x33));
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
    m_home = bar->addAction(QIcon::fromTheme(QStringLiteral("go-home"), style()->standardIcon(QStyle::SP_DirHomeIcon)),
                            helptexts::kHome);
    m_home->setToolTip(helptexts::kHomeTip);

    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_home, &QAction::triggered, this, &HelpWindow::showHome);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateCaption);

    showHome();
    m_browser->setAccessibleName(helptexts::kPageName);
    accessibility::describeControls(this);
    m_browser->setFocus();
}

void HelpWindow::showHome()
{
    m_browser->setSource(m_homeUrl);
}

void HelpWindow::updateCaption()
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? helptexts::kWindowTitle : title + QStringLiteral(" - ") + helptexts::kWindowTitle);
}

} // namespace pomiro
