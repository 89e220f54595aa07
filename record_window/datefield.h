#pragma once

#include <QDate>
#include <QWidget>
#include <optional>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

namespace pomiro {

// A date as people write it (parseDateText reads it), typed or chosen from a calendar: the button
// beside the field, or Alt+↓ / F4 in it, opens the calendar; the arrow keys move the day, Enter
// takes it and Esc leaves the field as it was. Japanese input stays on, for 年月日 and the eras.
class DateField : public QWidget
{
    Q_OBJECT

public:
    explicit DateField(QWidget *parent = nullptr);

    QString text() const;
    void setDate(std::optional<QDate> date);
    // The latest day the calendar offers.
    void setLatest(QDate latest);

    QLineEdit *edit() const { return m_edit; }
    QToolButton *calendarButton() const { return m_button; }
    // The calendar while it is open, for tests; none otherwise.
    QCalendarWidget *openCalendar() const { return m_calendar; }

    void showCalendar();

signals:
    // Enter in the field, or a day chosen in the calendar.
    void accepted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_edit;
    QToolButton *m_button;
    QCalendarWidget *m_calendar = nullptr;
    QDate m_latest;
};

} // namespace pomiro
