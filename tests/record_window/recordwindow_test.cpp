// The record window as the user meets it through the main window: the figures of every entry on a
// given day, a quit date typed in the forms people write, the dates refused, a relapse kept in the
// history, a history line removed, a save over that adds the new price, each step taken back and
// made again, a damaged record file never written over, another program's change refused, the
// midnight turn, the copy and the page.
#include "record_window/recordwindow.h"

#include "core/dateform.h"
#include "core/recordfile.h"
#include "core/recordstore.h"
#include "platform/pagewriter.h"
#include "record_window/datefield.h"
#include "record_window/texts.h"
#include "tests/support/mainwindowtest.h"
#include "tests/support/pdftext.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QDialog>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

namespace pomiro::testing {
namespace {

const QDate kToday(2026, 12, 10);

Amount yen(qint64 whole)
{
    return Amount::fromYen(whole);
}

// An entry whose １日 amount is `daily` yen; the other periods as the conversion gives them.
Entry entryCosting(const QString &name, qint64 daily)
{
    Entry entry{name, *periodAmountTexts(double(daily))};
    return entry;
}

class RecordWindowTest : public MainWindowTest
{
protected:
    void startWith(const Entries &entries, const QuitRecords &records)
    {
        writeDataFile(fileOf(entries));
        if (!records.isEmpty())
            writeRecordFile(encodeRecordFile(records));
        (void)records_.load();
        start();
        window->setPrinting(&printing);
        window->setRecords(&records_);
    }

    void writeRecordFile(const QByteArray &bytes) const
    {
        QFile file(recordPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray recordFileBytes() const
    {
        QFile file(recordPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The records as another program reading the file now finds them.
    QuitRecords storedRecords() const { return parseRecordFile(recordFileBytes()).value(); }

    QString recordPath() const
    {
        return QDir(folder()).filePath(QString::fromUtf16(kRecordFileName));
    }

    RecordWindow *openRecords()
    {
        press(Qt::Key_R, Qt::ControlModifier);
        auto *records = window->findChild<RecordWindow *>();
        EXPECT_NE(records, nullptr);
        if (records) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(records));
        }
        return records;
    }

    static QString cell(RecordWindow *records, const char *view, int row, int column)
    {
        auto *table = records->findChild<QTableView *>(QLatin1String(view));
        return table->model()->index(row, column).data().toString();
    }

    static void keyIn(RecordWindow *records, Qt::Key key,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(records->windowHandle(), key, modifiers);
    }

    // Types `text` into the quit date field (by its editor: the forms hold Japanese characters no
    // key gives) and presses Enter there.
    static void enterQuitDate(RecordWindow *records, const QString &text)
    {
        auto *edit = records->findChild<QLineEdit *>(u"dateEdit"_s);
        edit->setFocus();
        edit->setText(text);
        QTest::keyClick(records->windowHandle(), Qt::Key_Return);
    }

    QDate today = kToday;
    PdfPrinting printing{[] { return std::nullopt; }, [this] { return today; },
                         [](QWidget *, const QString &) { return QString(); }};
    RecordStore records_{QDir(folder())};
};

QuitRecord running(const QString &name, QDate start, qint64 daily)
{
    return {name, {{start, std::nullopt, yen(daily)}}, {}};
}

// What a user reads in each column, computed here from calendar days and whole yen.
TEST_F(RecordWindowTest, TheTableShowsEveryEntrysFiguresAndTheTotal)
{
    const QDate quit(2026, 9, 1);
    const QDate earlierStart(2025, 1, 1), earlierEnd(2025, 3, 1);
    QuitRecord coffee{u"コーヒー"_s,
                      {{earlierStart, earlierEnd, yen(300)}, {QDate(2026, 11, 30), {}, yen(300)}},
                      {}};
    QuitRecord smoking = running(u"禁煙"_s, quit, 500);
    smoking.prices << PriceChange{QDate(2026, 10, 1), yen(600)};
    // A second entry of a name (another program may write one) has no record: it belongs to the
    // first, as a save does.
    startWith({entryCosting(u"禁煙"_s, 600), entryCosting(u"コーヒー"_s, 300),
               entryCosting(u"お菓子"_s, 100), entryCosting(u"禁煙"_s, 600)},
              {smoking, coffee});

    RecordWindow *records = openRecords();
    ASSERT_NE(records, nullptr);
    const qint64 smokingDays = quit.daysTo(kToday);
    const qint64 beforeRise = quit.daysTo(QDate(2026, 10, 1));
    const qint64 smokingSaved = beforeRise * 500 + (smokingDays - beforeRise) * 600;
    const qint64 coffeeEarlier = earlierStart.daysTo(earlierEnd);
    const qint64 coffeeNow = QDate(2026, 11, 30).daysTo(kToday);
    const qint64 coffeeSaved = (coffeeEarlier + coffeeNow) * 300;
    const auto money = [](qint64 whole) { return formatAmountText(yen(whole)); };
    const QStringList expected[] = {
        {u"禁煙"_s, formatDate(quit), recordtexts::days(smokingDays), money(smokingSaved),
         money(smokingSaved), recordtexts::days(smokingDays)},
        {u"コーヒー"_s, formatDate(QDate(2026, 11, 30)), recordtexts::days(coffeeNow),
         money(coffeeNow * 300), money(coffeeSaved),
         recordtexts::days(std::max(coffeeEarlier, coffeeNow))},
        {u"お菓子"_s, {}, {}, {}, {}, {}},
        {u"禁煙"_s, {}, {}, {}, {}, {}},
    };
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < RecordReport::kColumns; ++column)
            EXPECT_EQ(cell(records, "recordTable", row, column), expected[row][column])
                << row << ',' << column;
    EXPECT_EQ(smokingSaved, 57000); // the example a user can check by hand
    EXPECT_EQ(records->findChild<QLabel *>(u"total"_s)->text(),
              recordtexts::total(money(smokingSaved + coffeeSaved)));
}

struct DateForm
{
    QString typed;
    QDate meant;
};

TEST_F(RecordWindowTest, AQuitDateInEachFormIsSetTakenBackAndMadeAgain)
{
    const DateForm forms[] = {
        {u"2026/9/1"_s, {2026, 9, 1}},         {u"2026-09-01"_s, {2026, 9, 1}},
        {u"2026年9月1日"_s, {2026, 9, 1}},     {u"令和8年9月1日"_s, {2026, 9, 1}},
        {u"平成31年4月30日"_s, {2019, 4, 30}}, {u"２０２６／９／１"_s, {2026, 9, 1}},
        {u" 2026/12/10 "_s, kToday},
    };
    startWith({entryCosting(u"禁煙"_s, 500)}, {});
    for (const DateForm &form : forms) {
        SCOPED_TRACE(form.typed.toStdString());
        RecordWindow *records = openRecords();
        ASSERT_NE(records, nullptr);
        enterQuitDate(records, form.typed);
        const QuitRecords set = storedRecords();
        ASSERT_EQ(set.size(), 1);
        EXPECT_EQ(set[0].runs, (QList<QuitRun>{{form.meant, std::nullopt, yen(500)}}));
        EXPECT_EQ(cell(records, "recordTable", 0, 2), recordtexts::days(form.meant.daysTo(kToday)));

        keyIn(records, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(storedRecords().isEmpty());
        EXPECT_EQ(cell(records, "recordTable", 0, 1), QString());
        keyIn(records, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(storedRecords(), set);
        keyIn(records, Qt::Key_Z, Qt::ControlModifier); // back to none for the next form
        records->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        window->activateWindow(); // as the window manager does once a dialog closes
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
}

struct RefusedDate
{
    const char *why;
    QString typed;
    QString told;
};

TEST_F(RecordWindowTest, ARefusedDateIsToldAndChangesNothing)
{
    const QDate previousEnd(2026, 8, 20);
    const RefusedDate refused[] = {
        {"tomorrow", formatDate(kToday.addDays(1)),
         recordtexts::dateError(RecordEditError::DateInFuture)},
        {"before 1900", u"1899/12/31"_s, recordtexts::dateError(RecordEditError::DateTooEarly)},
        {"unreadable", u"きのう"_s, recordtexts::kUnreadableDate},
        {"no such day", u"2026/2/30"_s, recordtexts::kUnreadableDate},
        {"outside its era", u"平成31年5月1日"_s, recordtexts::kUnreadableDate},
        {"before the last run ended", formatDate(previousEnd.addDays(-1)),
         recordtexts::dateError(RecordEditError::BeforePrevious, previousEnd)},
    };
    const QuitRecord ended{u"禁煙"_s, {{QDate(2026, 8, 1), previousEnd, yen(500)}}, {}};
    startWith({entryCosting(u"禁煙"_s, 500)}, {ended});
    const QByteArray before = recordFileBytes();
    RecordWindow *records = openRecords();
    ASSERT_NE(records, nullptr);
    for (const RefusedDate &date : refused) {
        SCOPED_TRACE(date.why);
        messages.shown.clear();
        enterQuitDate(records, date.typed);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].box, Box::Warning);
        EXPECT_EQ(messages.shown[0].text, date.told);
        EXPECT_EQ(recordFileBytes(), before);
    }
    // The day the last run ended is allowed.
    enterQuitDate(records, formatDate(previousEnd));
    EXPECT_EQ(storedRecords()[0].runs.size(), 2);
}

// The calendar by keys: Alt+↓ in the field opens it on the latest day it offers (today), ← moves
// a day back, Enter takes the day and sets it.
TEST_F(RecordWindowTest, TheCalendarSetsADayByKeys)
{
    startWith({entryCosting(u"禁煙"_s, 500)}, {});
    RecordWindow *records = openRecords();
    ASSERT_NE(records, nullptr);
    auto *field = records->findChild<DateField *>(u"quitDate"_s);
    field->edit()->setFocus();
    keyIn(records, Qt::Key_Down, Qt::AltModifier);
    QCalendarWidget *calendar = field->openCalendar();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->selectedDate(), kToday);
    EXPECT_EQ(calendar->maximumDate(), kToday);
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup->windowHandle(), Qt::Key_Left);
    QTest::keyClick(popup->windowHandle(), Qt::Key_Return);
    EXPECT_EQ(field->openCalendar(), nullptr);
    EXPECT_EQ(storedRecords(), QuitRecords{running(u"禁煙"_s, kToday.addDays(-1), 500)});
}

struct PriceAsked
{
    const char *why;
    QString from;
    QString amount;
    QList<PriceChange> kept; // empty: refused, and told
};

TEST_F(RecordWindowTest, APriceChangeIsAskedWithItsDayAndCountsFromThen)
{
    const QDate quit(2026, 9, 1), rise(2026, 10, 1);
    const PriceAsked asked[] = {
        {"a rise from October", u"2026/10/1"_s, u"600"_s, {{rise, yen(600)}}},
        {"the same price", formatDate(rise), u"\\500"_s, {}},
        {"before the run", u"2026/8/31"_s, u"600"_s, {}},
        {"tomorrow", formatDate(kToday.addDays(1)), u"600"_s, {}},
    };
    for (const PriceAsked &price : asked) {
        SCOPED_TRACE(price.why);
        window.reset();
        startWith({entryCosting(u"禁煙"_s, 500)}, {running(u"禁煙"_s, quit, 500)});
        RecordWindow *records = openRecords();
        ASSERT_NE(records, nullptr);
        messages.shown.clear();
        QTimer::singleShot(0, records, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QLineEdit *>(u"dateEdit"_s)->setText(price.from);
            dialog->findChild<QLineEdit *>(u"priceAmount"_s)->setText(price.amount);
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Return); // in the amount field
            if (dialog->isVisible())
                dialog->reject();
        });
        QTest::mouseClick(records->findChild<QPushButton *>(u"addPriceButton"_s), Qt::LeftButton);
        EXPECT_EQ(storedRecords()[0].prices, price.kept);
        if (!price.kept.isEmpty()) {
            const qint64 saved = quit.daysTo(rise) * 500 + rise.daysTo(kToday) * 600;
            EXPECT_EQ(cell(records, "recordTable", 0, 3), formatAmountText(yen(saved)));
            EXPECT_TRUE(messages.shown.isEmpty());
        } else if (price.amount != u"\\500"_s) {
            ASSERT_EQ(messages.shown.size(), 1);
            EXPECT_EQ(messages.shown[0].box, Box::Warning);
        }
    }
}

TEST_F(RecordWindowTest, StartingAgainEndsTheRunTodayAndKeepsItAfterAsking)
{
    const QDate quit(2026, 11, 1);
    startWith({entryCosting(u"禁煙"_s, 500)}, {running(u"禁煙"_s, quit, 500)});
    RecordWindow *records = openRecords();
    ASSERT_NE(records, nullptr);
    const QByteArray before = recordFileBytes();
    messages.answers = {false}; // キャンセル
    QTest::mouseClick(records->findChild<QPushButton *>(u"startedAgainButton"_s), Qt::LeftButton);
    EXPECT_EQ(recordFileBytes(), before);

    QTest::mouseClick(records->findChild<QPushButton *>(u"startedAgainButton"_s), Qt::LeftButton);
    const QuitRecords after = storedRecords();
    ASSERT_EQ(after.size(), 1);
    EXPECT_EQ(after[0].runs, (QList<QuitRun>{{quit, kToday, yen(500)}}));
    // No run goes on: the table's run columns are empty, the history keeps the run with its days.
    EXPECT_EQ(cell(records, "recordTable", 0, 1), QString());
    EXPECT_EQ(cell(records, "recordTable", 0, 4), formatAmountText(yen(quit.daysTo(kToday) * 500)));
    EXPECT_EQ(cell(records, "history", 0, 2), formatDate(kToday));
    EXPECT_EQ(cell(records, "history", 0, 3), recordtexts::days(quit.daysTo(kToday)));
    EXPECT_FALSE(records->findChild<QPushButton *>(u"startedAgainButton"_s)->isEnabled());
}

TEST_F(RecordWindowTest, DeleteOnAHistoryLineRemovesItAfterAskingAndUndoBringsItBack)
{
    QuitRecord smoking{u"禁煙"_s,
                       {{QDate(2026, 1, 1), QDate(2026, 2, 1), yen(500)},
                        {QDate(2026, 9, 1), std::nullopt, yen(500)}},
                       {{QDate(2026, 10, 1), yen(600)}}};
    startWith({entryCosting(u"禁煙"_s, 600)}, {smoking});
    RecordWindow *records = openRecords();
    ASSERT_NE(records, nullptr);
    auto *history = records->findChild<QTableView *>(u"history"_s);
    // Oldest first: the first run, the second run, the price change.
    ASSERT_EQ(history->model()->rowCount(), 3);
    EXPECT_EQ(cell(records, "history", 2, 0), recordtexts::kPriceLine);

    struct Removal
    {
        int line;
        QuitRecord left;
    };
    QuitRecord withoutFirst = smoking;
    withoutFirst.runs.removeFirst();
    QuitRecord withoutPrice = smoking;
    withoutPrice.prices.clear();
    for (const Removal &removal : {Removal{0, withoutFirst}, Removal{2, withoutPrice}}) {
        SCOPED_TRACE(removal.line);
        history->setFocus();
        history->setCurrentIndex(history->model()->index(removal.line, 0));
        messages.answers = {false};
        keyIn(records, Qt::Key_Delete);
        EXPECT_EQ(storedRecords(), QuitRecords{smoking});
        keyIn(records, Qt::Key_Delete);
        EXPECT_EQ(storedRecords(), QuitRecords{removal.left});
        keyIn(records, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(storedRecords(), QuitRecords{smoking});
    }
}

// Saving an entry over while its run goes on records the new price from today; one Ctrl+Z takes
// back both the amounts and the price, one Ctrl+Y makes both again.
TEST_F(RecordWindowTest, ASaveOverAddsThePriceAndOneStepTakesBothBack)
{
    const QDate quit(2026, 9, 1);
    startWith({entryCosting(u"禁煙"_s, 500)}, {running(u"禁煙"_s, quit, 500)});
    const QByteArray entriesBefore = dataFileContent();
    setFieldTexts(*periodAmountTexts(600.0));
    click("saveButton");
    const QuitRecords raised = storedRecords();
    ASSERT_EQ(raised.size(), 1);
    EXPECT_EQ(raised[0].prices, (QList<PriceChange>{{kToday, yen(600)}}));
    EXPECT_NE(dataFileContent(), entriesBefore);

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(dataFileContent(), entriesBefore);
    EXPECT_EQ(storedRecords(), QuitRecords{running(u"禁煙"_s, quit, 500)});
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(storedRecords(), raised);

    // The same price again adds nothing.
    click("saveButton");
    EXPECT_EQ(storedRecords(), raised);
}

// A delete leaves the record in its file: undoing the delete shows the entry with its record again.
TEST_F(RecordWindowTest, ADeletedEntryKeepsItsRecordForItsUndo)
{
    const QuitRecord smoking = running(u"禁煙"_s, QDate(2026, 9, 1), 500);
    startWith({entryCosting(u"禁煙"_s, 500), entryCosting(u"お菓子"_s, 100)}, {smoking});
    const QByteArray before = recordFileBytes();
    click("deleteButton"); // the question is answered with Enter
    EXPECT_EQ(recordFileBytes(), before);
    RecordWindow *records = openRecords();
    ASSERT_NE(records, nullptr);
    EXPECT_EQ(cell(records, "recordTable", 0, 0), u"お菓子"_s);
    keyIn(records, Qt::Key_Z, Qt::ControlModifier); // the delete, from the record window
    EXPECT_EQ(cell(records, "recordTable", 0, 0), u"禁煙"_s);
    EXPECT_EQ(cell(records, "recordTable", 0, 1), formatDate(smoking.runs[0].start));
    EXPECT_EQ(storedRecords(), QuitRecords{smoking});
}

TEST_F(RecordWindowTest, ADamagedRecordFileIsToldOnceAndNeverWrittenOver)
{
    const QByteArray damaged[] = {"{not json", R"({"version": 99, "records": []})"};
    for (const QByteArray &bytes : damaged) {
        SCOPED_TRACE(bytes.toStdString());
        window.reset();
        startWith({entryCosting(u"禁煙"_s, 500)}, {});
        writeRecordFile(bytes);
        (void)records_.load();
        messages.shown.clear();
        RecordWindow *records = openRecords();
        ASSERT_NE(records, nullptr);
        QTest::qWait(0);
        QCoreApplication::processEvents();
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].title, recordtexts::kReadOnlyTitle);
        EXPECT_FALSE(records->findChild<QPushButton *>(u"setDateButton"_s)->isEnabled());
        enterQuitDate(records, u"2026/9/1"_s);
        records->close();
        setFieldTexts(*periodAmountTexts(700.0));
        click("saveButton");
        EXPECT_EQ(recordFileBytes(), bytes);
    }
}

TEST_F(RecordWindowTest, AnotherProgramsChangeIsReadAndTheStaleChangeRefused)
{
    startWith({entryCosting(u"禁煙"_s, 500), entryCosting(u"コーヒー"_s, 300)}, {});
    RecordWindow *records = openRecords();
    ASSERT_NE(records, nullptr);
    // Another program quits coffee meanwhile.
    RecordStore other{QDir(folder())};
    ASSERT_TRUE(other.load());
    const QuitRecord theirs = running(u"禁煙"_s, QDate(2026, 10, 1), 500);
    ASSERT_TRUE(other.replace(QuitRecord{u"禁煙"_s, {}, {}}, theirs));

    messages.shown.clear();
    enterQuitDate(records, u"2026/9/1"_s);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text,
              recordtexts::fileError({RecordFileError::Kind::ChangedElsewhere, {}}));
    EXPECT_EQ(storedRecords(), QuitRecords{theirs});
    EXPECT_EQ(cell(records, "recordTable", 0, 1), formatDate(QDate(2026, 10, 1)));
}

TEST_F(RecordWindowTest, TheFiguresMoveOnAtMidnight)
{
    const QDate quit(2026, 12, 1);
    startWith({entryCosting(u"禁煙"_s, 500)}, {running(u"禁煙"_s, quit, 500)});
    RecordWindow *records = openRecords();
    ASSERT_NE(records, nullptr);
    auto *midnight = records->findChild<QTimer *>(u"midnight"_s);
    ASSERT_NE(midnight, nullptr);
    EXPECT_TRUE(midnight->isActive());
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 toMidnight = now.msecsTo(QDateTime(now.date().addDays(1), QTime(0, 0)));
    // Just after midnight, not minutes later.
    EXPECT_GE(midnight->remainingTime(), toMidnight);
    EXPECT_LE(midnight->remainingTime(), toMidnight + 1000);

    for (const int later : {1, 2, 31}) {
        today = kToday.addDays(later);
        records->refresh();
        EXPECT_EQ(cell(records, "recordTable", 0, 2), recordtexts::days(quit.daysTo(today)));
        EXPECT_EQ(cell(records, "recordTable", 0, 3),
                  formatAmountText(yen(quit.daysTo(today) * 500)));
    }
}

TEST_F(RecordWindowTest, CopyAndThePageHoldTheTableAndTheTotal)
{
    const QDate quit(2026, 9, 1);
    startWith({entryCosting(u"禁煙"_s, 500), entryCosting(u"お菓子"_s, 100)},
              {running(u"禁煙"_s, quit, 500)});
    RecordWindow *records = openRecords();
    ASSERT_NE(records, nullptr);
    const QString saved = formatAmountText(yen(quit.daysTo(kToday) * 500));

    QTest::mouseClick(records->findChild<QPushButton *>(u"copyButton"_s), Qt::LeftButton);
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], recordColumnTitles().join(u'\t'));
    EXPECT_TRUE(lines[1].startsWith(u"禁煙\t"_s + formatDate(quit)));
    EXPECT_EQ(lines[3], recordtexts::kTotalCaption + u"\t\t\t\t"_s + saved + u"\t"_s);

    const QString pdf = QDir(folder()).filePath(u"records.pdf"_s);
    records->setPrinting(PdfPrinting([] { return std::nullopt; }, [this] { return today; },
                                     [pdf](QWidget *, const QString &) { return pdf; }));
    QTest::mouseClick(records->findChild<QPushButton *>(u"pdfButton"_s), Qt::LeftButton);
    const QString text = pdfText(pdf);
    for (const QString &expected : {recordtexts::kWindowTitle, u"禁煙"_s, saved, pageDate(kToday),
                                    recordtexts::kTotalCaption})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << '\n'
                                             << text.toStdString();
    EXPECT_FALSE(text.contains(u"お菓子"_s)); // no record: not on the page
}

} // namespace
} // namespace pomiro::testing
