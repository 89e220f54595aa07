// Taking a mistake back: Ctrl+Z undoes a save as new, a save over and a delete, Ctrl+Shift+Z and
// Ctrl+Y make them again, each a change of the data file compared byte for byte; typing in a field
// is taken back first; real faults refuse a step, leave the file alone, and a second try works once
// the cause is gone; after another program's changes a step changes its own entry or nothing.
#include "core/entrystore.h"
#include "tests/support/fsfaults.h"
#include "tests/support/mainwindowtest.h"

#include <QLineEdit>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace pomiro;
using namespace pomiro::testing;

constexpr int kStored = 5;

class UndoTest : public MainWindowTest
{
protected:
    void undo() const { press(Qt::Key_Z, Qt::ControlModifier); }
    void redo() const { press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    void redoByY() const { press(Qt::Key_Y, Qt::ControlModifier); }

    // The last box shown, as "title: text".
    QString told() const
    {
        return messages.shown.isEmpty()
                   ? QString()
                   : messages.shown.last().title + u": "_s + messages.shown.last().text;
    }

    // Shows entry `k` of the stored ones and deletes it, answering yes.
    void deleteShown(int k)
    {
        scrollBar()->setValue(k);
        scrollBar()->setFocus();
        click("deleteButton");
    }
};

TEST_F(UndoTest, ADeleteTakenBackLeavesTheFileAsItWasAndShowsTheEntry)
{
    writeDataFile(dataFileBytes(kStored));
    start();
    const QByteArray before = dataFileContent();
    deleteShown(3);
    const QByteArray deleted = dataFileContent();
    ASSERT_NE(deleted, before);

    undo();
    EXPECT_EQ(dataFileContent(), before) << "not byte for byte what it was";
    EXPECT_EQ(told(), u"元に戻す: 「お菓子」の削除を取り消しました。"_s);
    expectShows(3, kStored);

    redo();
    EXPECT_EQ(dataFileContent(), deleted);
    EXPECT_EQ(told(), u"やり直し: 「お菓子」をもう一度削除しました。"_s);
    EXPECT_EQ(store.count(), kStored - 1);

    undo();
    redoByY();
    EXPECT_EQ(dataFileContent(), deleted) << "Ctrl+Y redoes too";
}

TEST_F(UndoTest, ASaveOverTakenBackBringsTheOldAmountsBack)
{
    writeDataFile(dataFileBytes(kStored));
    start();
    const QByteArray before = dataFileContent();
    scrollBar()->setValue(2);
    PeriodTexts changed = sampleEntry(2).amounts;
    changed[0] = u"\\9,999"_s;
    setFieldTexts(changed);
    click("saveButton");
    ASSERT_EQ(store.at(1).amounts, changed);
    const QByteArray saved = dataFileContent();
    scrollBar()->setFocus();

    undo();
    EXPECT_EQ(dataFileContent(), before);
    EXPECT_EQ(told(), u"元に戻す: 「コーヒー」の更新を取り消しました。"_s);
    expectShows(2, kStored);

    redo();
    EXPECT_EQ(dataFileContent(), saved);
    EXPECT_EQ(fieldTexts(), changed);
    EXPECT_EQ(told(), u"やり直し: 「コーヒー」をもう一度更新しました。"_s);
}

TEST_F(UndoTest, ASaveAsNewTakenBackRemovesTheEntry)
{
    writeDataFile(dataFileBytes(kStored));
    start();
    const QByteArray before = dataFileContent();
    nameBox()->setEditText(u"新しいぽみろ"_s);
    setFieldTexts(k500ADay);
    click("saveButton");
    ASSERT_EQ(store.count(), kStored + 1);
    const QByteArray saved = dataFileContent();
    scrollBar()->setFocus();

    undo();
    EXPECT_EQ(dataFileContent(), before);
    EXPECT_EQ(store.count(), kStored);
    EXPECT_EQ(told(), u"元に戻す: 「新しいぽみろ」の新規登録を取り消しました。"_s);
    expectShows(kStored, kStored);

    redo();
    EXPECT_EQ(dataFileContent(), saved);
    EXPECT_EQ(nameBox()->currentText(), u"新しいぽみろ"_s);
    EXPECT_EQ(told(), u"やり直し: 「新しいぽみろ」をもう一度登録しました。"_s);
}

// Steps go back in the order they were made; a new step drops what could have been made again.
TEST_F(UndoTest, StepsGoBackInOrderAndANewStepEndsTheWayForward)
{
    writeDataFile(dataFileBytes(kStored));
    start();
    const QByteArray before = dataFileContent();
    deleteShown(1);
    deleteShown(1);
    undo();
    undo();
    EXPECT_EQ(dataFileContent(), before);
    expectShows(1, kStored);
    messages.shown.clear();
    undo();
    EXPECT_TRUE(messages.shown.isEmpty()) << "nothing more to take back, yet something was told";

    redo();
    deleteShown(3);
    const qsizetype shown = messages.shown.size();
    redo();
    EXPECT_EQ(messages.shown.size(), shown) << "a redo after a new step";
    EXPECT_EQ(store.count(), kStored - 2);
}

// Typing in a field is taken back first, as a text editor layers it; then the entries.
TEST_F(UndoTest, CtrlZTakesBackTypingFirst)
{
    writeDataFile(dataFileBytes(kStored));
    start();
    const QByteArray before = dataFileContent();
    deleteShown(2);
    auto *day = child<QLineEdit>("dayField");
    const QString shown = day->text();
    day->setFocus();
    day->end(false);
    press(Qt::Key_7);
    ASSERT_EQ(day->text(), shown + u"7"_s);
    messages.shown.clear();

    undo();
    EXPECT_EQ(day->text(), shown) << "the typing was not taken back";
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_NE(dataFileContent(), before) << "the entries were taken back before the typing";

    undo();
    EXPECT_EQ(dataFileContent(), before);
    EXPECT_EQ(told(), u"元に戻す: 「コーヒー」の削除を取り消しました。"_s);

    // The name box's typing too, both ways; with none left, the keys go to the entries.
    nameBox()->setFocus();
    nameBox()->lineEdit()->end(false);
    const QString name = nameBox()->currentText();
    press(Qt::Key_A);
    ASSERT_EQ(nameBox()->currentText(), name + u"a"_s);
    messages.shown.clear();
    undo();
    EXPECT_EQ(nameBox()->currentText(), name);
    redo();
    EXPECT_EQ(nameBox()->currentText(), name + u"a"_s);
    EXPECT_TRUE(messages.shown.isEmpty()) << told().toStdString();
    redo();
    EXPECT_EQ(told(), u"やり直し: 「コーヒー」をもう一度削除しました。"_s);
}

// A refused step leaves the file as it was, says why, and stays to be tried again.
class RefusedStep : public UndoTest, public ::testing::WithParamInterface<FolderFault>
{};

TEST_P(RefusedStep, LeavesTheFileAndWorksOnceTheCauseIsGone)
{
    const FolderFault fault = GetParam();
    if (needsMount(fault))
        POMIRO_REQUIRE_MOUNTS(describe(fault));
    FaultyFolder faulty(folder(), fault);
    ASSERT_EQ(faulty.error(), QString());
    writeDataFile(dataFileBytes(kStored));
    start();
    const QByteArray before = dataFileContent();
    deleteShown(2);
    const QByteArray deleted = dataFileContent();
    ASSERT_TRUE(faulty.strike(u"データ.txt"_s));

    {
        ObeyFilePermissions obey;
        undo();
    }
    EXPECT_EQ(messages.shown.last().title, u"元に戻せません"_s);
    EXPECT_TRUE(messages.shown.last().text.endsWith(u"もう一度元に戻してください。"_s))
        << messages.shown.last().text.toStdString();
    EXPECT_EQ(dataFileContent(), deleted);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              faulty.leftByFault() + QStringList{u"データ.txt"_s});

    ASSERT_TRUE(faulty.heal());
    undo();
    EXPECT_EQ(dataFileContent(), before);
    EXPECT_EQ(told(), u"元に戻す: 「コーヒー」の削除を取り消しました。"_s);
}

INSTANTIATE_TEST_SUITE_P(Faults, RefusedStep,
                         ::testing::Values(FolderFault::DiskFull, FolderFault::ReadOnlyMount,
                                           FolderFault::FolderNotWritable),
                         [](const auto &info) { return caseName(describe(info.param)); });

// Another program saved first: the step is refused and the file read again; tried again, the entry
// goes back where it was among what the file now holds.
TEST_F(UndoTest, ASecondProgramThatSavedFirstIsNotOverwritten)
{
    writeDataFile(dataFileBytes(kStored));
    start();
    deleteShown(2);
    EntryStore other{QDir(folder())};
    ASSERT_TRUE(other.load());
    ASSERT_TRUE(other.append(sampleEntry(9)));
    const QByteArray theirs = dataFileContent();

    undo();
    EXPECT_TRUE(messages.shown.last().text.contains(u"変更されていました"_s));
    EXPECT_EQ(dataFileContent(), theirs);
    EXPECT_EQ(store.count(), kStored) << "the file was not read again";

    undo();
    EXPECT_EQ(told(), u"元に戻す: 「コーヒー」の削除を取り消しました。"_s);
    EXPECT_EQ(store.at(1), sampleEntry(2));
    EXPECT_EQ(store.at(kStored), sampleEntry(9)) << "their entry was lost";
}

// The user saves 「禁煙」 as new; another program then writes the file with another 「禁煙」 at the
// top. Ctrl+Z takes back the user's entry, found whole (name and amounts), never the other one.
TEST_F(UndoTest, AnUndoTakesBackItsOwnEntryNotAnotherOfTheSameName)
{
    const Entries stored = sampleEntries(kStored).mid(1); // no 禁煙 among them
    writeDataFile(fileOf(stored));
    start();
    nameBox()->setEditText(u"禁煙"_s);
    setFieldTexts(k500ADay);
    click("saveButton");
    ASSERT_EQ(store.count(), stored.size() + 1);
    const Entry theirs = sampleEntry(1); // 禁煙 with other amounts
    ASSERT_EQ(theirs.name, u"禁煙"_s);
    writeDataFile(fileOf(Entries{theirs} + stored + Entries{{u"禁煙"_s, k500ADay}}));
    scrollBar()->setFocus();

    undo(); // refused: the file changed, and is read again
    undo();
    EXPECT_EQ(told(), u"元に戻す: 「禁煙」の新規登録を取り消しました。"_s);
    EXPECT_EQ(dataFileContent(), fileOf(Entries{theirs} + stored)) << "the wrong 禁煙 was removed";
}

// Another program changes the file between a step and its undo or redo. The key is refused once,
// the file read again; tried again, the step finds its own entry whole (name and amounts) wherever
// it now is and changes that one only, puts an entry back where it was among the entries the file
// now holds, or, when its entry is gone, is refused and changes nothing.

// What the other program does: to other entries (the first four), or to the step's own.
enum class Meddling { AddOnTop, AddTwinOnTop, RemoveFirst, Reverse, RemoveIt, ChangeItsAmounts };
const char *const kMeddlingWords[] = {"another entry on top", "one of its name on top",
                                      "the first removed",    "all reversed",
                                      "its entry removed",    "its amounts changed"};

struct MeddlingCase
{
    const char *action;
    std::optional<Entry> made;   // the step's entry with the step made; none: a delete
    std::optional<Entry> unmade; // and without; none: a save as new
    bool back;                   // undone, or redone
    Meddling meddling;
};

std::string caseWords(const MeddlingCase &c)
{
    return std::string(c.action) + (c.back ? " undone, " : " redone, ") +
           kMeddlingWords[int(c.meddling)];
}

void PrintTo(const MeddlingCase &c, std::ostream *out)
{
    *out << caseWords(c);
}

class AnotherProgramBetween : public UndoTest, public ::testing::WithParamInterface<MeddlingCase>
{};

TEST_P(AnotherProgramBetween, TheStepChangesItsOwnEntryOrNothing)
{
    const MeddlingCase &c = GetParam();
    // The step's entry in the file before the key (none: to be put back), and after it.
    const std::optional<Entry> &before = c.back ? c.made : c.unmade;
    const std::optional<Entry> &after = c.back ? c.unmade : c.made;
    writeDataFile(dataFileBytes(4));
    start();
    const Entries unmadeFile = store.entries();
    if (c.made) {
        nameBox()->setEditText(c.made->name);
        setFieldTexts(c.made->amounts);
        click("saveButton");
    } else {
        deleteShown(int(unmadeFile.indexOf(*c.unmade)) + 1);
    }
    scrollBar()->setFocus();
    const Entries madeFile = store.entries();
    if (!c.back)
        undo();

    Entries theirs = c.back ? madeFile : unmadeFile;
    const Entry twin{(before ? before : after)->name, everyPeriod(u"\\1"_s)};
    const qsizetype own = before ? theirs.indexOf(*before) : -1;
    switch (c.meddling) {
    case Meddling::AddOnTop:
        theirs.prepend(sampleEntry(9));
        break;
    case Meddling::AddTwinOnTop:
        theirs.prepend(twin);
        break;
    case Meddling::RemoveFirst:
        theirs.removeFirst();
        break;
    case Meddling::Reverse:
        std::reverse(theirs.begin(), theirs.end());
        break;
    case Meddling::RemoveIt:
        theirs.removeAt(own);
        break;
    case Meddling::ChangeItsAmounts:
        theirs[own] = twin;
        break;
    }
    writeDataFile(fileOf(theirs));
    const auto press = [&] { c.back ? undo() : redo(); };

    press();
    EXPECT_TRUE(told().contains(u"変更されていました"_s)) << told().toStdString();
    EXPECT_EQ(store.entries(), theirs) << "the file was not read again";
    EXPECT_TRUE(dataFileContent() == fileOf(theirs)) << "changed on a stale read";

    press();
    // What the step makes of the file the other program wrote.
    Entries expected = theirs;
    const qsizetype found = before ? theirs.indexOf(*before) : -1;
    const bool gone = before && found < 0;
    if (!before) // put back where the step left it
        expected.insert(std::min((c.back ? unmadeFile : madeFile).indexOf(*after), theirs.size()),
                        *after);
    else if (!gone && after)
        expected[found] = *after;
    else if (!gone)
        expected.removeAt(found);
    EXPECT_EQ(store.entries(), expected);
    EXPECT_TRUE(dataFileContent() == fileOf(expected)) << "not byte for byte what was expected";
    if (!gone) {
        EXPECT_EQ(messages.shown.last().title, c.back ? u"元に戻す"_s : u"やり直し"_s);
        EXPECT_TRUE(messages.shown.last().text.startsWith(u"「"_s + twin.name + u"」"_s));
        return;
    }
    EXPECT_EQ(told(), (c.back ? u"元に戻せません: 「"_s : u"やり直せません: 「"_s) + twin.name +
                          u"」がほかのプログラムかウィンドウで変更されたため見つからず、"_s +
                          (c.back ? u"元に戻せませんでした。"_s : u"やり直せませんでした。"_s));
    // Refused, the step stays where it was: there is nothing the other way.
    const qsizetype shown = messages.shown.size();
    c.back ? redo() : undo();
    EXPECT_EQ(messages.shown.size(), shown) << "the stack moved past a refused step";
}

std::vector<MeddlingCase> meddlingCases()
{
    const Entry coffee = sampleEntry(2);
    const MeddlingCase steps[] = {
        {"save as new", Entry{u"新しいぽみろ"_s, k500ADay}, {}, true, Meddling::AddOnTop},
        {"save over", Entry{coffee.name, k500ADay}, coffee, true, Meddling::AddOnTop},
        {"delete", {}, sampleEntry(3), true, Meddling::AddOnTop}};
    std::vector<MeddlingCase> cases;
    for (MeddlingCase c : steps)
        for (const bool back : {true, false})
            for (int m = 0; m <= int(Meddling::ChangeItsAmounts); ++m) {
                c.back = back;
                c.meddling = Meddling(m);
                // An entry to put back is not in the file for the other program to change.
                if ((back ? c.made : c.unmade) || c.meddling < Meddling::RemoveIt)
                    cases.push_back(c);
            }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Steps, AnotherProgramBetween, ::testing::ValuesIn(meddlingCases()),
                         [](const auto &info) { return caseName(caseWords(info.param)); });

// The entry to put back would be the 301st: refused with the limit, tried again after room was
// made.
TEST_F(UndoTest, TheThreeHundredAndFirstEntryIsNotPutBack)
{
    writeDataFile(dataFileBytes(300));
    start();
    deleteShown(10);
    EntryStore other{QDir(folder())};
    ASSERT_TRUE(other.load());
    ASSERT_TRUE(other.append(sampleEntry(301)));

    undo(); // the file changed: read again, now 300
    undo();
    EXPECT_EQ(messages.shown.last().text,
              u"登録できるぽみろは300件までです。不要なぽみろを削除してから元に戻してください。"_s);
    EXPECT_EQ(store.count(), 300);

    ASSERT_TRUE(other.load());
    ASSERT_TRUE(other.remove(other.count() - 1));
    undo(); // read again, 299
    undo();
    EXPECT_EQ(told(), u"元に戻す: 「ゲーム」の削除を取り消しました。"_s);
    EXPECT_EQ(store.count(), 300);
    EXPECT_EQ(store.at(9), sampleEntry(10));
}

} // namespace
