#include "help_window/helpbrowser.h"

#include "help_window/chmfile.h"
#include "help_window/texts.h"

#include <QDesktopServices>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace pomiro {

namespace {

// Where the anchor `name` (<a name> or an id) starts in `document`; the start when there is none.
int anchorPosition(const QTextDocument &document, const QString &name)
{
    if (name.isEmpty())
        return 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            if (piece.fragment().charFormat().anchorNames().contains(name))
                return piece.fragment().position();
        }
    }
    return 0;
}

} // namespace

HelpLink classifyHelpLink(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == HelpBrowser::kScheme)
        return HelpLink::Inside;
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto"))
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
    // A caret that the arrows move, so that a screen reader reads the page line by line and all
    // through; without it the page is one silent block. Tab still goes from link to link.
    setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    // Every new page, back and forward too, goes through the history.
    connect(this, &QTextBrowser::historyChanged, this, &HelpBrowser::pageShown);
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

void HelpBrowser::showPage(const QUrl &url)
{
    if (url == source())
        emit pageShown(); // the same page makes no history, but the reader starts it over
    else
        setSource(url);
}

void HelpBrowser::moveCaretToPageStart()
{
    QTextCursor caret(document());
    caret.setPosition(anchorPosition(*document(), source().fragment(QUrl::FullyDecoded)));
    setTextCursor(caret);
}

bool HelpBrowser::focusNextPrevChild(bool next)
{
    const QTextCursor before = textCursor();
    if (!before.hasSelection() && (next ? !before.atStart() : !before.atEnd())) {
        // With no link highlighted Qt (6.4) looks from the top of the page (the bottom for
        // Shift+Tab). A reader who has moved the caret means the link after it, or before it: one
        // character on the far side of the caret is where Qt looks from.
        QTextCursor from = before;
        from.movePosition(next ? QTextCursor::PreviousCharacter : QTextCursor::NextCharacter,
                          QTextCursor::KeepAnchor);
        setTextCursor(from);
    }
    const bool moved = QTextBrowser::focusNextPrevChild(next);
    if (!hasFocus())
        return moved; // on to another control
    std::optional<QString> link = focusedLink();
    const QTextCursor after = textCursor();
    const bool same = after.selectionStart() == before.selectionStart() &&
                      after.selectionEnd() == before.selectionEnd();
    // Qt (6.4) counts the link that starts at the caret as being before it as well.
    const bool behind = !before.hasSelection() && (next ? after.selectionStart() < before.position()
                                                        : after.selectionEnd() > before.position());
    if (!link || same || behind) {
        // Past the last link, or before the first, Qt finds no other control to take the focus and
        // leaves the key to nothing. Tab goes round to the first link and Shift+Tab to the last.
        QTextCursor edge(document());
        edge.movePosition(next ? QTextCursor::Start : QTextCursor::End);
        setTextCursor(edge);
        QTextBrowser::focusNextPrevChild(next);
        link = focusedLink();
        if (!link) { // a page without links: the caret stays where the user read to
            setTextCursor(before);
            return moved;
        }
    }
    // Qt (6.4) reports no caret or selection change for this, so a screen reader would say nothing.
    emit linkFocused(*link);
    return true;
}

std::optional<QString> HelpBrowser::focusedLink() const
{
    const QTextCursor selection = textCursor();
    if (!selection.hasSelection())
        return std::nullopt;
    QTextCursor first(document());
    first.setPosition(selection.selectionStart() + 1); // the format of the character before
    const QTextCharFormat format = first.charFormat();
    if (!format.isAnchor() || format.anchorHref().isEmpty())
        return std::nullopt;
    QString text = selection.selectedText();
    text.remove(QChar::ObjectReplacementCharacter); // pictures
    text = text.simplified();
    if (text.isEmpty()) // a link made of a picture alone: its address is all there is to say
        text = QUrl(format.anchorHref()).fileName();
    return text;
}

void HelpBrowser::followLink(const QUrl &link)
{
    const QUrl url = source().resolved(link);
    switch (classifyHelpLink(url)) {
    case HelpLink::Inside:
        showPage(url);
        break;
    case HelpLink::External:
        QDesktopServices::openUrl(url);
        break;
    case HelpLink::Refused:
        break;
    }
}

} // namespace pomiro
