// Saves and deletes entries through the real main window in the working folder, as fast as it can,
// until it is killed. It reports each step on standard output once the step has returned:
//   saved NAME         NAME was saved as a new entry
//   deleting NAME      Delete of NAME has begun (it may or may not be in the file at a kill)
//   deleted NAME       NAME is gone from the file
// Usage: saveloop PREFIX  (names are PREFIX-1, PREFIX-2, ...)

#include "core/entrystore.h"
#include "main_window/mainwindow.h"
#include "platform/accessibility.h"
#include "tests/support/helpviewers.h"
#include "tests/support/messageboxes.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>
#include <cstdio>

namespace {

void report(const char *what, const QString &name)
{
    std::printf("%s %s\n", what, name.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    pomiro::accessibility::registerInterfaces();
    const QString prefix = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("e");

    pomiro::EntryStore store;
    pomiro::testing::MessageBoxes messages; // answers OK to every box
    pomiro::testing::NoHelp help;
    const auto loaded = store.load();
    pomiro::MainWindow window(store, help);
    window.show();
    window.tellLoad(loaded);
    auto *nameBox = window.findChild<QComboBox *>(QStringLiteral("nameBox"));
    auto *scrollBar = window.findChild<QScrollBar *>(QStringLiteral("scrollBar"));
    auto *day = window.findChild<QLineEdit *>(QStringLiteral("dayField"));
    auto *save = window.findChild<QToolButton *>(QStringLiteral("saveButton"));
    auto *remove = window.findChild<QToolButton *>(QStringLiteral("deleteButton"));
    if (!nameBox || !scrollBar || !day || !save || !remove)
        return 2;

    for (int i = 1;; ++i) {
        const QString name = QStringLiteral("%1-%2").arg(prefix).arg(i);
        nameBox->setEditText(name);
        day->setText(QStringLiteral("\\%1").arg(i));
        messages.shown.clear();
        save->click();
        if (messages.shown.size() != 1 || messages.shown[0].title != QStringLiteral("新規登録"))
            return 3; // the save did not report success: the test sees the missing "saved"
        report("saved", name);

        // Keep the file small: delete the first entry whenever there are more than a few.
        if (store.entries().size() > 8) {
            scrollBar->setValue(1);
            const QString first = nameBox->currentText();
            report("deleting", first);
            messages.shown.clear();
            remove->click();
            if (messages.shown.size() != 2 || messages.shown[1].title != QStringLiteral("削除"))
                return 3;
            report("deleted", first);
        }
    }
}
