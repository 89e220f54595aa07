#pragma once

#include "core/quitrecord.h"
#include "platform/pdfprinting.h"
#include "record_window/recordreport.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace pomiro {

class Announcer;
class DateField;
class EntryStore;
class RecordStore;
class StepHistory;
class TextTableModel;

// 「ぽみろの記録」: for every entry, since when the user has been without the habit and what that
// has saved, over this run and over all of them, and the total. For the selected entry it sets the
// day they quit, ends the run when they started again, adds a price change, and shows and trims
// its history. Every change is a step on the program's history (Ctrl+Z in this window as in the
// main window). The figures move on at midnight while the window is open. Modal; Esc closes it.
class RecordWindow : public QDialog
{
    Q_OBJECT

public:
    // Opened on the entry at `entryIndex` (the first when there is none). `folder`: where the PDF
    // is proposed (the data file's folder).
    RecordWindow(const EntryStore &entries, RecordStore &records, StepHistory &steps,
                 qsizetype entryIndex, const QString &folder, QWidget *parent = nullptr);

    // Tests give the printer, the date (the window's today) and the PDF save dialog here.
    void setPrinting(PdfPrinting printing);

    const RecordReport &report() const { return m_report; }
    // The entry whose record the lower half shows; -1 when there are no entries.
    qsizetype selectedEntry() const;

    // Shows the figures of today again (the day may have changed); the midnight timer calls it.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    void showSelected();
    void setQuitDate();
    void startedAgain();
    void addPriceChange();
    void removeHistoryLine();
    // Stores `next` in place of `before` and pushes it as a step; tells why when it cannot.
    bool change(const QuitRecord &before, const QuitRecord &next);
    void tellEditError(RecordEditError error, const QuitRecord &record);
    Amount entryDailyAmount(qsizetype entry) const;
    void armMidnight();
    void copyTable();
    void savePdf();
    void print();

    const EntryStore &m_entries;
    RecordStore &m_records;
    StepHistory &m_steps;
    QString m_folder;
    PdfPrinting m_printing;
    RecordReport m_report;
    QList<HistoryLine> m_history;
    bool m_toldReadOnly = false;

    TextTableModel *m_tableModel;
    QTableView *m_table;
    QLabel *m_total;
    QLabel *m_selectedName;
    DateField *m_quitDate;
    QPushButton *m_setDate;
    QPushButton *m_startedAgain;
    QPushButton *m_addPrice;
    TextTableModel *m_historyModel;
    QTableView *m_historyView;
    Announcer *m_announcer;
    QTimer *m_midnight;
};

} // namespace pomiro
