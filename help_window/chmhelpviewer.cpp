#include "help_window/chmhelpviewer.h"

#include "help_window/chmfile.h"
#include "help_window/helpwindow.h"
#include "help_window/texts.h"
#include "platform/messagebox.h"
#include "platform/windowplacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace pomiro {

namespace {

void placeOver(QWidget *window, const QWidget *caller)
{
    if (!caller)
        return;
    QRect area = caller->frameGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    if (const QScreen *screen = caller->screen()) {
        const QRect available = screen->availableGeometry();
        frame.moveLeft(qBound(available.left(), frame.left(),
                              qMax(available.left(), available.right() - frame.width())));
        frame.moveTop(qBound(available.top(), frame.top(),
                             qMax(available.top(), available.bottom() - frame.height())));
    }
    window->move(frame.topLeft());
}

} // namespace

QStringList helpSearchFolders()
{
    const QString binary = QCoreApplication::applicationDirPath();
    return {QDir::currentPath(), binary,
            QDir::cleanPath(binary + QLatin1Char('/') + QStringLiteral(POMIRO_DATA_DIR_FROM_BIN))};
}

QString locateHelpFile(const QString &name, const QStringList &folders)
{
    if (name.isEmpty())
        return {};
    if (QFileInfo(name).isAbsolute())
        return QFileInfo(name).isFile() ? name : QString();
    for (const QString &folder : folders) {
        if (folder.isEmpty())
            continue;
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

ChmHelpViewer::ChmHelpViewer() = default;

ChmHelpViewer::~ChmHelpViewer()
{
    for (const QPointer<HelpWindow> &window : std::as_const(m_windows))
        delete window.data();
}

void ChmHelpViewer::displayTopic(QWidget *caller, const QString &helpFile)
{
    const QString path = locateHelpFile(helpFile, helpSearchFolders());
    if (path.isEmpty()) {
        warn(caller, helptexts::kMessageTitle,
             helptexts::fileNotFound(
                 helpFile, QDir::toNativeSeparators(QCoreApplication::applicationDirPath()),
                 QDir::toNativeSeparators(QDir::currentPath())));
        return;
    }

    const QString key = QFileInfo(path).canonicalFilePath();
    // A window the user closed is on its way out; a fresh one replaces it. One still open comes to
    // the front at the default topic, wherever the user had browsed to.
    if (HelpWindow *open = m_windows.value(key); open && open->isVisible()) {
        open->showHome();
        bringToFront(open);
        return;
    }

    std::unique_ptr<ChmFile> file = ChmFile::open(path);
    if (!file || file->defaultTopic().isEmpty()) {
        warn(caller, helptexts::kMessageTitle,
             helptexts::fileNotOpened(QDir::toNativeSeparators(path)));
        return;
    }

    auto *window = new HelpWindow(std::move(file), caller);
    m_windows.insert(key, window);
    placeOver(window, caller);
    bringToFront(window);
}

void ChmHelpViewer::closeAll()
{
    const auto windows = std::exchange(m_windows, {});
    for (const QPointer<HelpWindow> &window : windows) {
        if (window)
            window->close(); // deletes itself
    }
}

QList<HelpWindow *> ChmHelpViewer::windows() const
{
    QList<HelpWindow *> open;
    for (const QPointer<HelpWindow> &window : m_windows) {
        if (window && window->isVisible())
            open.append(window.data());
    }
    return open;
}

} // namespace pomiro
