// Every control a user can reach, in every window of the program, has a Japanese name a screen
// reader can speak, and the keyboard reaches every command.
#include "help_window/chmhelpviewer.h"
#include "list_window/listwindow.h"
#include "tests/support/mainwindowtest.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace {

using namespace pomiro;
using namespace pomiro::testing;

// What a screen reader says a control is: its name, or the caption it is labelled by.
QString spokenName(QWidget *control)
{
    QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(control);
    if (!spoken)
        return {};
    const QString name = spoken->text(QAccessible::Name).trimmed();
    if (!name.isEmpty())
        return name;
    for (const auto &[label, relation] : spoken->relations(QAccessible::Label))
        return label->text(QAccessible::Name).trimmed();
    return {};
}

// "objectName: problem" for each focusable control without a spoken name.
QStringList unnamedControls(QWidget *window)
{
    QStringList problems;
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (control->focusPolicy() == Qt::NoFocus || !control->isEnabled())
            continue;
        const QString name = spokenName(control);
        const QString what = control->objectName().isEmpty()
                                 ? QString::fromLatin1(control->metaObject()->className())
                                 : control->objectName();
        if (name.isEmpty())
            problems << what + u": no accessible name"_s;
        else if (!name.contains(QRegularExpression(u"[\\p{Han}\\p{Hiragana}\\p{Katakana}]"_s)))
            problems << what + u": name not in Japanese: "_s + name;
    }
    return problems;
}

class AccessibilityTest : public MainWindowTest
{};

TEST_F(AccessibilityTest, EveryReachableControlOfEveryWindowHasAJapaneseName)
{
    writeDataFile(dataFileBytes(3));
    MainWindow &main = start();
    EXPECT_EQ(unnamedControls(&main), QStringList());

    // The amount fields are named by their periods, all with full-width digits (the month's
    // caption has a half-width one), the name box by its caption.
    QStringList fieldNames;
    for (const char *field : kFieldNames)
        fieldNames << QAccessible::queryAccessibleInterface(child(field))->text(QAccessible::Name);
    EXPECT_EQ(fieldNames,
              (QStringList{u"１日"_s, u"１週間"_s, u"１ヶ月"_s, u"半年"_s, u"１年"_s, u"３年"_s,
                           u"５年"_s, u"１０年"_s, u"２０年"_s, u"３０年"_s}));
    nameBox()->setEditText(QString());
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt 6.8 focuses the editable box itself, which then carries the field's own name.
    EXPECT_EQ(spokenName(nameBox()), u"ぽみろの名前"_s);
#else
    EXPECT_EQ(spokenName(nameBox()), u"ぽみろ…"_s);
#endif

    QTest::mouseClick(child<QAbstractButton>("listButton"), Qt::LeftButton);
    auto *list = QApplication::activeWindow()
                     ? qobject_cast<ListWindow *>(QApplication::activeWindow())
                     : nullptr;
    if (!list) {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *candidate = qobject_cast<ListWindow *>(top))
                list = candidate;
    }
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(unnamedControls(list), QStringList());

    // The real help window, over the help file the build compiled.
    const QString buildDir = QProcessEnvironment::systemEnvironment().value(u"POMIRO_BUILD_DIR"_s);
    ASSERT_FALSE(buildDir.isEmpty());
    QDir::setCurrent(buildDir);
    pomiro::testing::MessageBoxes helpMessages;
    ChmHelpViewer viewer;
    viewer.displayTopic(&main, u"RwHelp.chm"_s);
    QWidget *helpWindow = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowTitle().contains(u"ヘルプ"_s))
            helpWindow = top;
    ASSERT_NE(helpWindow, nullptr) << helpMessages.shown.size();
    EXPECT_EQ(unnamedControls(helpWindow), QStringList());
    viewer.closeAll();
}

TEST_F(AccessibilityTest, TabReachesEveryCommandOfTheMainWindowInLayoutOrder)
{
    writeDataFile(dataFileBytes(2));
    MainWindow &main = start();
    child("printButton")->setFocus(); // the letter buttons are reachable only while the panel shows
    QTest::mouseClick(child<QAbstractButton>("printButton"), Qt::LeftButton);
    scrollBar()->setFocus();

    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int step = 0; step < 30; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString name = QApplication::focusWidget()->objectName();
        if (name == visited.first())
            break;
        visited << name;
    }
    const QStringList expected = {
        u"scrollBar"_s,     u"newButton"_s,        u"saveButton"_s,       u"deleteButton"_s,
        u"printButton"_s,   u"listButton"_s,       u"helpButton"_s,       u"endButton"_s,
        u"nameBox"_s,       u"dayField"_s,         u"weekField"_s,        u"monthField"_s,
        u"halfYearField"_s, u"yearField"_s,        u"threeYearsField"_s,  u"fiveYearsField"_s,
        u"tenYearsField"_s, u"twentyYearsField"_s, u"thirtyYearsField"_s, u"declarationButton"_s,
        u"requestButton"_s, u"pleaButton"_s,       u"cancelPrintButton"_s};
    EXPECT_EQ(visited, expected);
    (void)main;
}

} // namespace
