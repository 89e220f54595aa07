// New, Save and Delete over the real main window and its data file.

#include "tests/support/datafiles.h"
#include "tests/support/mainwindowtest.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>
#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace {

using namespace pomiro;
using namespace pomiro::testing;

class EntryCommandsTest : public MainWindowTest
{
protected:
    // The window, its table and its file all still hold what the file held at the start.
    void expectUnchanged(const QByteArray &file, int shown, int count)
    {
        EXPECT_EQ(dataFileContent(), file);
        EXPECT_EQ(store.entries().size(), count);
        EXPECT_EQ(counter(), u"%1 / %2"_s.arg(shown).arg(count));
        EXPECT_EQ(scrollBar()->value(), shown);
        EXPECT_EQ(listedNames(), kNames.mid(0, count));
        EXPECT_EQ(store.entries(), sampleEntries(count));
    }
};

// Save of a name the list does not hold: one line at the end, the new entry shown last.

struct AppendCase : Described
{
    QList<Entry> stored;
    QString name;
    PeriodTexts amounts;
};

class SaveOfANewName : public EntryCommandsTest, public ::testing::WithParamInterface<AppendCase>
{};

TEST_P(SaveOfANewName, AppendsItAndShowsItLast)
{
    const AppendCase &c = GetParam();
    writeDataFile(fileOf(c.stored));
    start();
    messages.shown.clear();
    nameBox()->setEditText(c.name);
    setFieldTexts(c.amounts);
    click("saveButton");

    const int count = int(c.stored.size()) + 1;
    EXPECT_EQ(dataFileContent(), fileOf(c.stored) + fileOf({Entry{c.name, c.amounts}}));
    EXPECT_EQ(store.entries().size(), count);
    EXPECT_EQ(scrollBar()->value(), count);
    EXPECT_EQ(counter(), u"%1 / %1"_s.arg(count));
    EXPECT_EQ(nameBox()->currentText(), c.name);
    EXPECT_EQ(fieldTexts(), c.amounts);
    EXPECT_EQ(listedNames().value(count - 1), c.name);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, c.name + u"を登録しました。"_s);
    EXPECT_EQ(messages.shown[0].title, u"新規登録"_s);
    EXPECT_EQ(messages.shown[0].box, Box::Information);
}

std::vector<AppendCase> appendCases()
{
    const Entry coffee{u"Coffee"_s, k500ADay};
    return {
        {{"first entry"}, {}, u"禁煙"_s, k500ADay},
        {{"after twelve"}, sampleEntries(12), u"新しいぽみろ"_s, k500ADay},
        {{"ten empty amounts"}, sampleEntries(2), u"空"_s, {}},
        {{"unconfirmed typing"}, sampleEntries(1), u"途中"_s, {u"12abc"_s, u" 5 "_s}},
        {{"other letter case"}, {coffee}, u"coffee"_s, k500ADay},
        {{"full-width letters"}, {coffee}, u"Ｃｏｆｆｅｅ"_s, k500ADay},
        {{"half-width kana"}, sampleEntries(2), u"ｺｰﾋｰ"_s, k500ADay},
        {{"trailing blank"}, sampleEntries(2), u"コーヒー "_s, k500ADay},
    };
}

INSTANTIATE_TEST_SUITE_P(Names, SaveOfANewName, ::testing::ValuesIn(appendCases()), whatName);

// Save of a name the list holds: that slot takes the window's amounts, nothing else moves.

struct SaveOver : Described
{
    int shownSlot;
    int namedSlot;
};

class SaveOverAStoredName : public EntryCommandsTest, public ::testing::WithParamInterface<SaveOver>
{};

TEST_P(SaveOverAStoredName, RewritesThatEntryOnly)
{
    const SaveOver &c = GetParam();
    writeDataFile(dataFileBytes(12));
    start();
    scrollBar()->setValue(c.shownSlot);
    messages.shown.clear();
    const QString name = kNames[c.namedSlot - 1];
    nameBox()->setEditText(name);
    setFieldTexts(k500ADay);
    click("saveButton");

    QList<Entry> expected = sampleEntries(12);
    expected[c.namedSlot - 1].amounts = k500ADay;
    EXPECT_EQ(dataFileContent(), fileOf(expected));
    EXPECT_EQ(store.entries().value(c.namedSlot - 1), expected[c.namedSlot - 1]);
    EXPECT_EQ(scrollBar()->value(), c.shownSlot);
    EXPECT_EQ(counter(), u"%1 / 12"_s.arg(c.shownSlot));
    EXPECT_EQ(listedNames(), kNames);
    EXPECT_EQ(nameBox()->currentText(), name);
    EXPECT_EQ(fieldTexts(), k500ADay);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, name + u"を更新しました。"_s);
    EXPECT_EQ(messages.shown[0].title, u"データ更新"_s);
    EXPECT_EQ(messages.shown[0].box, Box::Information);
}

INSTANTIATE_TEST_SUITE_P(Entries, SaveOverAStoredName,
                         ::testing::Values(SaveOver{{"another entry"}, 3, 7},
                                           SaveOver{{"the entry shown"}, 5, 5}),
                         whatName);

TEST_F(EntryCommandsTest, SaveOverADuplicatedNameChangesTheFirstOnly)
{
    const QList<Entry> stored = {sampleEntry(1), sampleEntry(2), {kNames[0], {u"\\9"_s}}};
    writeDataFile(fileOf(stored));
    start();
    nameBox()->setEditText(kNames[0]);
    setFieldTexts(k500ADay);
    click("saveButton");
    EXPECT_EQ(dataFileContent(), fileOf({Entry{kNames[0], k500ADay}, stored[1], stored[2]}));
}

// A name with a character the file keeps in its CP932 form is found again when typed again.
TEST_F(EntryCommandsTest, SaveOfANameTypedAgainChangesItsStoredEntry)
{
    writeDataFile({});
    start();
    // Two saves in a row, not two cases: the first adds the entry, the second must find it.
    for (const char *title : {"新規登録", "データ更新"}) {
        SCOPED_TRACE(title);
        messages.shown.clear();
        nameBox()->setEditText(u"朝の\u301C習慣"_s);
        setFieldTexts(k500ADay);
        click("saveButton");
        EXPECT_EQ(dataFileContent(), fileOf({Entry{u"朝の\uFF5E習慣"_s, k500ADay}}));
        EXPECT_EQ(store.entries().size(), 1);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].title, QString::fromUtf8(title));
        EXPECT_TRUE(messages.shown[0].text.startsWith(u"朝の\uFF5E習慣を"_s));
    }
}

// Delete: the entry at the position goes, whatever the name box says; the first entry is shown.

struct DeleteCase : Described
{
    int position;
    QString typed; // empty: the name box left as shown
};

class DeleteAtThePosition : public EntryCommandsTest,
                            public ::testing::WithParamInterface<DeleteCase>
{};

TEST_P(DeleteAtThePosition, RemovesThatEntryAndNamesIt)
{
    const DeleteCase &c = GetParam();
    writeDataFile(dataFileBytes(12));
    start();
    scrollBar()->setValue(c.position);
    if (!c.typed.isEmpty())
        nameBox()->setEditText(c.typed);
    messages.shown.clear();
    click("deleteButton");

    QList<Entry> remaining = sampleEntries(12);
    const Entry removed = remaining.takeAt(c.position - 1);
    EXPECT_EQ(dataFileContent(), fileOf(remaining));
    EXPECT_EQ(store.entries().size(), 11);
    EXPECT_EQ(store.entries(), remaining);
    EXPECT_EQ(scrollBar()->value(), 1);
    EXPECT_EQ(counter(), u"1 / 11"_s);
    EXPECT_EQ(nameBox()->currentText(), remaining[0].name);
    EXPECT_EQ(fieldTexts(), remaining[0].amounts);
    EXPECT_EQ(listedNames().size(), 11);
    EXPECT_FALSE(listedNames().contains(removed.name));

    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, removed.name + u"のデータを削除していいですか？"_s);
    EXPECT_EQ(messages.shown[0].title, u"削除確認"_s);
    EXPECT_EQ(messages.shown[0].box, Box::Question);
    EXPECT_EQ(messages.shown[1].text, removed.name + u"を削除しました。"_s);
    EXPECT_EQ(messages.shown[1].title, u"削除"_s);
    EXPECT_EQ(messages.shown[1].box, Box::Information);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, DeleteAtThePosition,
    ::testing::Values(DeleteCase{{"middle entry"}, 5, {}}, DeleteCase{{"last entry"}, 12, {}},
                      DeleteCase{{"first entry"}, 1, {}},
                      DeleteCase{{"name box changed to another stored name"}, 5, kNames[8]},
                      DeleteCase{{"name box changed to an unknown name"}, 7, u"どれでもない"_s}),
    whatName);

TEST_F(EntryCommandsTest, DeleteOfTheOnlyEntryLeavesAnEmptyFileAndWindow)
{
    writeDataFile(dataFileBytes(1));
    start();
    click("deleteButton");
    EXPECT_TRUE(dataFileContent().isEmpty());
    EXPECT_TRUE(QFile::exists(dataPath()));
    expectShows(0, 0);
    EXPECT_EQ(scrollBar()->minimum(), 0);
    EXPECT_EQ(scrollBar()->maximum(), 0);
    EXPECT_TRUE(listedNames().isEmpty());
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, kNames[0] + u"を削除しました。"_s);
}

TEST_F(EntryCommandsTest, CancelInTheQuestionChangesNothing)
{
    writeDataFile(dataFileBytes(12));
    start();
    scrollBar()->setValue(4);
    child<QLineEdit>("weekField")->setText(u"not saved"_s);
    messages.answers = {false};
    click("deleteButton");

    expectUnchanged(dataFileBytes(12), 4, 12);
    EXPECT_EQ(child<QLineEdit>("weekField")->text(), u"not saved"_s);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, u"削除確認"_s);
}

// Commands with nothing to act on do nothing and say nothing.

struct NothingToDo : Described
{
    int entries;
    const char *button;
    QString name;
};

class NothingToSaveOrDelete : public EntryCommandsTest,
                              public ::testing::WithParamInterface<NothingToDo>
{};

TEST_P(NothingToSaveOrDelete, DoesNothingSilently)
{
    const NothingToDo &c = GetParam();
    writeDataFile(dataFileBytes(c.entries));
    start();
    messages.shown.clear();
    nameBox()->setEditText(c.name);
    setFieldTexts(k500ADay);
    click(c.button);

    expectUnchanged(dataFileBytes(c.entries), c.entries > 0 ? 1 : 0, c.entries);
    EXPECT_EQ(nameBox()->currentText(), c.name);
    EXPECT_EQ(fieldTexts(), k500ADay);
    EXPECT_TRUE(messages.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, NothingToSaveOrDelete,
    ::testing::Values(NothingToDo{{"Save with an empty name"}, 12, "saveButton", {}},
                      NothingToDo{{"Delete with an empty name"}, 12, "deleteButton", {}},
                      NothingToDo{{"Delete with an empty table"}, 0, "deleteButton", u"禁煙"_s}),
    whatName);

TEST_F(EntryCommandsTest, NewEmptiesTheWindowOnly)
{
    writeDataFile(dataFileBytes(12));
    start();
    scrollBar()->setValue(4);
    child<QLineEdit>("dayField")->setText(u"500"_s);
    QTest::keyClick(child("dayField"), Qt::Key_Return);
    ASSERT_EQ(child<QLineEdit>("weekField")->text(), u"\\3,500"_s); // converted
    click("newButton");

    EXPECT_EQ(nameBox()->currentText(), QString());
    EXPECT_EQ(fieldTexts(), PeriodTexts{});
    EXPECT_TRUE(nameBox()->hasFocus());
    expectUnchanged(dataFileBytes(12), 4, 12);
    EXPECT_TRUE(messages.shown.isEmpty());
}

// Saves the file cannot hold are refused before anything is written.

struct RefusedCase : Described
{
    int entries;
    QString name;
    int field; // -1: none
    QString fieldText;
    QStringList told; // pieces the message must hold
};

class ASaveTheFileCannotHold : public EntryCommandsTest,
                               public ::testing::WithParamInterface<RefusedCase>
{};

TEST_P(ASaveTheFileCannotHold, IsRefusedAndTold)
{
    const RefusedCase &c = GetParam();
    writeDataFile(dataFileBytes(c.entries));
    start();
    messages.shown.clear();
    nameBox()->setEditText(c.name);
    if (c.field >= 0)
        child<QLineEdit>(kFieldNames[c.field])->setText(c.fieldText);
    click("saveButton");

    EXPECT_EQ(dataFileContent(), dataFileBytes(c.entries));
    EXPECT_EQ(store.entries().size(), c.entries);
    EXPECT_EQ(store.entries(), sampleEntries(c.entries));
    EXPECT_EQ(counter(), u"%1 / %2"_s.arg(c.entries > 0 ? 1 : 0).arg(c.entries));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, u"保存できません"_s);
    EXPECT_EQ(messages.shown[0].box, Box::Warning);
    for (const QString &piece : c.told)
        EXPECT_TRUE(messages.shown[0].text.contains(piece)) << messages.shown[0].text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Saves, ASaveTheFileCannotHold,
    ::testing::Values(
        RefusedCase{{"301st entry"}, 300, u"新規"_s, -1, {}, {u"300件"_s}},
        RefusedCase{
            {"quote in a new name"}, 3, u"大\"好き"_s, -1, {}, {u"「ぽみろ」"_s, u"「\"」"_s}},
        RefusedCase{{"emoji in an amount"},
                    3,
                    u"新規"_s,
                    1,
                    u"\\3,500😀"_s,
                    {u"「１週間」"_s, u"「😀」"_s, u"U+1F600"_s}},
        RefusedCase{{"quote in an amount of a stored name"},
                    3,
                    kNames[1],
                    9,
                    u"\"\\1\""_s,
                    {u"「３０年」"_s, u"「\"」"_s}},
        RefusedCase{
            {"unencodable name"}, 0, u"ぽみろ\u0E01"_s, -1, {}, {u"「ぽみろ」"_s, u"U+0E01"_s}}),
    whatName);

// A hand-written line can hold a double quote in an unquoted field, which no line we write can
// hold: the message names that stored entry, and deleting it clears the way.
TEST_F(EntryCommandsTest, AStoredEntryTheFileCannotHoldIsNamed)
{
    const QByteArray handWritten = "ab\"c,,,,,,,,,,\r\n" + dataFileBytes(2);
    writeDataFile(handWritten);
    start();
    ASSERT_EQ(store.entries().size(), 3);
    ASSERT_EQ(store.entries().value(0).name, u"ab\"c"_s);

    nameBox()->setEditText(kNames[1]); // saved as the third entry
    click("saveButton");
    EXPECT_EQ(dataFileContent(), handWritten);
    EXPECT_EQ(store.entries().value(2), sampleEntry(2));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, u"保存できません"_s);
    EXPECT_TRUE(messages.shown[0].text.startsWith(u"保存されている「ab\"c」に"_s))
        << messages.shown[0].text.toStdString();

    messages.shown.clear();
    scrollBar()->setValue(1);
    click("deleteButton");
    EXPECT_EQ(dataFileContent(), dataFileBytes(2));
    EXPECT_EQ(store.entries().size(), 2);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].title, u"削除"_s);
}

// A write that fails leaves the file, the table and the window as they were.

struct FailedWrite : Described
{
    const char *button;
    QString name;
    const char *title;
};

class AFailedWrite : public EntryCommandsTest, public ::testing::WithParamInterface<FailedWrite>
{};

TEST_P(AFailedWrite, KeepsEverythingAsOnDisk)
{
    const FailedWrite &c = GetParam();
    writeDataFile(dataFileBytes(12));
    start();
    scrollBar()->setValue(3);
    messages.shown.clear();
    if (!c.name.isEmpty()) {
        nameBox()->setEditText(c.name);
        setFieldTexts(k500ADay);
    }
    store.setReplacer(failingReplacer());
    static QStringList logged;
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &text) { logged << text; });
    click(c.button);
    qInstallMessageHandler(previous);

    expectUnchanged(dataFileBytes(12), 3, 12);
    // The message says what to do; the system's own words go to the log, with the file.
    EXPECT_TRUE(logged.filter(u"Input/output error"_s).size() == 1 &&
                logged.filter(u"Input/output error"_s).first().startsWith(store.path()))
        << logged.join(u'\n').toStdString();
    ASSERT_FALSE(messages.shown.isEmpty());
    const auto &told = messages.shown.last();
    EXPECT_EQ(told.title, QString::fromUtf8(c.title));
    EXPECT_EQ(told.box, Box::Warning);
    EXPECT_TRUE(told.text.contains(u"できませんでした"_s));
    EXPECT_TRUE(told.text.contains(u"ファイルは変更されていません"_s));
    EXPECT_EQ(messages.shown.size(), std::string_view(c.button) == "deleteButton" ? 2 : 1);

    // The next write that succeeds must not carry the failed change along.
    store.setReplacer(replaceFileAtomically);
    nameBox()->setEditText(kNames[0]);
    setFieldTexts(k500ADay);
    click("saveButton");
    QList<Entry> expected = sampleEntries(12);
    expected[0].amounts = k500ADay;
    EXPECT_EQ(dataFileContent(), fileOf(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AFailedWrite,
    ::testing::Values(FailedWrite{{"new entry"}, "saveButton", u"新規"_s, "保存できません"},
                      FailedWrite{
                          {"change of a stored entry"}, "saveButton", kNames[6], "保存できません"},
                      FailedWrite{{"delete"}, "deleteButton", {}, "削除できません"}),
    whatName);

// List opens one list window, which End closes with the rest.

TEST_F(EntryCommandsTest, ListOpensOneListWindowThatEndCloses)
{
    writeDataFile(dataFileBytes(3));
    start();
    auto listWindows = [] {
        QList<QWidget *> found;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == u"listWindow"_s && w->isVisible())
                found << w;
        return found;
    };
    click("listButton");
    const QList<QWidget *> first = listWindows();
    ASSERT_EQ(first.size(), 1);
    EXPECT_EQ(first[0]->windowTitle(), u"ぽみろ一覧"_s);

    click("listButton");
    EXPECT_EQ(listWindows(), first);
    EXPECT_TRUE(window->isVisible());

    click("endButton");
    EXPECT_TRUE(listWindows().isEmpty());
    EXPECT_FALSE(window->isVisible());
}

} // namespace
