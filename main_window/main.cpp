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
#include "platform/systemstart.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The fonts are read on a thread of their own while QApplication connects to the display;
    // joined before the first font is asked for (systemstart.h).
    std::jthread fonts = pomiro::systemstart::beforeApplication();
    // No application display name: Qt (6.4) would append it to the title that the window manager
    // shows for every window and message box, and each of them has its own exact title.
    QApplication app(argc, argv);
    pomiro::setSettingsNames();
    fonts.join();
    pomiro::systemstart::afterApplication();
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
