#pragma once

#include "core/entry.h"
#include "platform/pdfprinting.h"
#include "savings_window/savingsreport.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;
class QLabel;
class QPushButton;
class QTableView;

namespace pomiro {

class AmountField;
class Announcer;
class SavingsChart;
class SavingsModel;

// 「ぽみろの積み立て」: what the chosen entries become when what they cost is put aside every
// month in a plan with a fixed yearly return. It shows the monthly amount and where it comes from,
// the rate (remembered for the next time), a table of the plan's years and a chart, and copies,
// saves as a PDF or prints them. Modal to the window it is opened over; Esc closes it.
class SavingsWindow : public QDialog
{
    Q_OBJECT

public:
    // `all`: the entries are every entry of the list, none having been selected. `folder`: where
    // the PDF is proposed (the data file's folder).
    // `savedSoFar`: what quitting has saved for the chosen entries, the first 「いまある額」.
    SavingsWindow(const Entries &chosen, bool all, const QString &folder, QWidget *parent = nullptr,
                  Amount savedSoFar = {});
    ~SavingsWindow() override;

    // Tests give the printer, the date and the PDF save dialog here.
    void setPrinting(PdfPrinting printing) { m_printing = std::move(printing); }

    const SavingsReport &report() const { return m_report; }

    // The rate offered the first time, and where the last one used is kept (QSettings).
    static constexpr double kFirstRate = 3.0;
    static QString rateSettingKey();
    static QString taxSettingKey();

private:
    void showPlan();
    // Reads an amount field into `into` (empty: `empty`); tells the user and puts the field back
    // when it cannot be read. True when the amount changed.
    bool takeAmount(AmountField *field, std::optional<Amount> &into, std::optional<Amount> empty);
    void startChanged();
    void targetChanged();
    QString lastGrown() const;
    // Tells a screen reader what a change moved: `grown`, the plan's last figure (when there is a
    // plan), then the target's sentences.
    void announceChange(const QString &grown = QString());
    void copyTable();
    void savePdf();
    void print();

    Entries m_chosen;
    bool m_all;
    QString m_folder;
    SavingsChoices m_choices;
    SavingsReport m_report;
    PdfPrinting m_printing;

    QLabel *m_sentence;
    QLabel *m_source;
    QLabel *m_leftOut;
    QDoubleSpinBox *m_rate;
    AmountField *m_start;
    AmountField *m_target;
    QSpinBox *m_years;
    QCheckBox *m_taxed;
    QLabel *m_targetSentence;
    QLabel *m_neededSentence;
    SavingsModel *m_model;
    QTableView *m_table;
    SavingsChart *m_chart;
    Announcer *m_announcer;
};

} // namespace pomiro
