#include "core/entrystore.h"
#include "core/recordstore.h"
#include "help_window/chmhelpviewer.h"
#include "main_window/artwork.h"
#include "main_window/mainwindow.h"
#include "platform/accessibility.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/pdfprinting.h"
#include "platform/qtjapanese.h"
#include "platform/settings.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Fontconfig reads its configuration on a thread of its own while QApplication connects to the
    // display; joined before the first font is asked for (fonts.h says why this is safe).
    std::jthread fontconfig = pomiro::fonts::startFontconfig();
    // X11 first, also in a Wayland session (through XWayland), unless the user chose: there the
    // window manager draws the title bar and keeps the fixed-size windows without a maximise
    // button, while Qt draws its own natively, with one (6.4, and still 6.8). Natively only where
    // there is no X server; the package brings Qt's Wayland platform for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    // No application display name: Qt (6.4) would append it to the title that the window manager
    // shows for every window and message box, and each of them has its own exact title.
    QApplication app(argc, argv);
    pomiro::setSettingsNames();
    fontconfig.join();
    pomiro::fonts::registerSubstitutes();
    pomiro::useQtJapanese();
    pomiro::accessibility::registerInterfaces();
    // The font and icon of every window and message box. Captions and amounts draw "\" as the yen
    // sign only in the Japanese fonts.
    QApplication::setFont(pomiro::fonts::font(pomiro::fonts::kProportional, 9));
    QApplication::setWindowIcon(pomiro::artwork::windowIcon());

    // The data file is the one in the folder the program was started from.
    pomiro::EntryStore entries;
    const auto loaded = entries.load();
    // The quit records beside it; a damaged record file leaves them read-only, and the window
    // that shows them says so.
    pomiro::RecordStore records;
    (void)records.load();
    pomiro::ChmHelpViewer help;

    pomiro::PdfPrinting printing;

    pomiro::MainWindow window(entries, help);
    window.setPrinting(&printing);
    window.setRecords(&records);
    window.show();
    window.tellLoad(loaded);
    return app.exec();
}
