#include "record_window/datefield.h"

#include "core/dateform.h"
#include "record_window/texts.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <QVBoxLayout>

namespace pomiro {

DateField::DateField(QWidget *parent) : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("dateEdit"));
    m_edit->setPlaceholderText(QStringLiteral("2026/9/1"));
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("calendarButton"));
    m_button->setText(QStringLiteral("▼"));
    m_button->setAccessibleName(recordtexts::kCalendar);
    m_button->setToolTip(recordtexts::kCalendarTip);
    m_button->setFocusPolicy(Qt::TabFocus);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(m_edit);
    row->addWidget(m_button);
    setFocusProxy(m_edit);
    m_edit->installEventFilter(this);

    connect(m_edit, &QLineEdit::returnPressed, this, &DateField::accepted);
    connect(m_button, &QToolButton::clicked, this, &DateField::showCalendar);
}

QString DateField::text() const
{
    return m_edit->text();
}

void DateField::setDate(std::optional<QDate> date)
{
    m_edit->setText(date ? formatDate(*date) : QString());
}

void DateField::setLatest(QDate latest)
{
    m_latest = latest;
}

void DateField::showCalendar()
{
    if (m_calendar)
        return;
    auto *popup = new QWidget(this, Qt::Popup);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    m_calendar = new QCalendarWidget(popup);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setMinimumDate(kEarliestDate);
    if (m_latest.isValid())
        m_calendar->setMaximumDate(m_latest);
    const auto typed = parseDateText(m_edit->text());
    m_calendar->setSelectedDate(typed                ? *typed
                                : m_latest.isValid() ? m_latest
                                                     : QDate::currentDate());
    auto *layout = new QVBoxLayout(popup);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_calendar);

    const auto take = [this, popup](QDate date) {
        m_edit->setText(formatDate(date));
        popup->close();
        emit accepted();
    };
    connect(m_calendar, &QCalendarWidget::activated, popup, take);
    connect(m_calendar, &QCalendarWidget::clicked, popup, take);
    connect(popup, &QObject::destroyed, this, [this] {
        m_calendar = nullptr;
        m_edit->setFocus();
    });
    popup->adjustSize();
    popup->move(mapToGlobal(QPoint(0, height())));
    popup->show();
    m_calendar->setFocus();
}

bool DateField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F4 ||
            (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier)) {
            showCalendar();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace pomiro
