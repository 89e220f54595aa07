#pragma once

// The main window as the widget tests start it: in a temporary folder of its own, with the
// program's fonts, a scripted message box and a help viewer that records its calls; sample
// entries and their file bytes. Shared by the suites of every window that opens from it.

#include "core/datafile.h"
#include "core/entrystore.h"
#include "main_window/mainwindow.h"
#include "tests/support/datafiles.h"
#include "tests/support/helpviewers.h"
#include "tests/support/messageboxes.h"
#include "tests/support/programfonts.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

namespace pomiro::testing {

using namespace Qt::StringLiterals;

inline const char *const kFieldNames[kPeriodCount] = {
    "dayField",        "weekField",      "monthField",    "halfYearField",    "yearField",
    "threeYearsField", "fiveYearsField", "tenYearsField", "twentyYearsField", "thirtyYearsField"};

inline const QStringList kNames = {u"禁煙"_s,       u"コーヒー"_s, u"お菓子"_s, u"タクシー"_s,
                                   u"雑誌, 週刊"_s, u"ジュース"_s, u"ランチ"_s, u"缶コーヒー"_s,
                                   u"宝くじ"_s,     u"ゲーム"_s,   u"映画"_s,   u"お酒"_s};

inline Entry sampleEntry(int slot)
{
    Entry entry{kNames.value(slot - 1, u"e%1"_s.arg(slot)), {}};
    for (int i = 0; i < kPeriodCount; ++i)
        entry.amounts[i] = u"\\%1"_s.arg(slot * 100 + i);
    return entry;
}

inline Entries sampleEntries(int count)
{
    Entries entries;
    for (int slot = 1; slot <= count; ++slot)
        entries << sampleEntry(slot);
    return entries;
}

inline QByteArray dataFileBytes(int entries)
{
    return fileOf(sampleEntries(entries));
}

class MainWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { useProgramFonts(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }

    void TearDown() override
    {
        window.reset();
        QDir::setCurrent(m_previousDir);
    }

    QString folder() const { return m_dir.path(); }
    QString dataPath() const { return m_dir.filePath(u"データ.txt"_s); }

    QByteArray dataFileContent() const
    {
        QFile file(dataPath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    void writeDataFile(const QByteArray &bytes)
    {
        QFile file(dataPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // The window as the program opens it, with any start-up notice delivered.
    MainWindow &start()
    {
        const auto loaded = store.load();
        window = std::make_unique<MainWindow>(store, help);
        window->show();
        window->tellLoad(loaded);
        QCoreApplication::processEvents(); // a start-up notice is shown and answered here
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    template <typename T = QWidget> T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QString counter() const { return child<QLabel>("counter")->text(); }
    QScrollBar *scrollBar() const { return child<QScrollBar>("scrollBar"); }
    QComboBox *nameBox() const { return child<QComboBox>("nameBox"); }

    QStringList listedNames() const
    {
        QStringList listed;
        for (int i = 0; i < nameBox()->count(); ++i)
            listed << nameBox()->itemText(i);
        return listed;
    }

    void setFieldTexts(const PeriodTexts &texts) const
    {
        for (int i = 0; i < kPeriodCount; ++i)
            child<QLineEdit>(kFieldNames[i])->setText(texts[i]);
    }

    void click(const char *button) const { QTest::mouseClick(child(button), Qt::LeftButton); }

    // A key as the keyboard gives it: through the window system to the focused widget, past
    // shortcuts and every widget that may take it on the way.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }

    void type(const QString &keys) const
    {
        for (const QChar key : keys)
            QTest::keyClick(window->windowHandle(), key.toLatin1());
    }

    PeriodTexts fieldTexts() const
    {
        PeriodTexts texts;
        for (int i = 0; i < kPeriodCount; ++i)
            texts[i] = child<QLineEdit>(kFieldNames[i])->text();
        return texts;
    }

    // Checks that slot `k` of `count` is what the window shows.
    void expectShows(int k, int count) const
    {
        const Entry expected = k == 0 ? Entry{} : sampleEntry(k);
        EXPECT_EQ(scrollBar()->value(), k);
        EXPECT_EQ(nameBox()->currentText(), expected.name);
        EXPECT_EQ(fieldTexts(), expected.amounts);
        EXPECT_EQ(counter(), u"%1 / %2"_s.arg(k).arg(count));
    }

private:
    QTemporaryDir m_dir; // first: the store below is of this folder
    QString m_previousDir;

protected:
    // Reads nothing until the window starts.
    EntryStore store{QDir(m_dir.path())};
    MessageBoxes messages;
    RecordingHelpViewer help;
    std::unique_ptr<MainWindow> window;
};

} // namespace pomiro::testing
