#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <functional>

class AddressTree;
struct Settings;

// The dates of the address manager: the captions of the History date nodes
// and of generated groups, and the history retention with its two stored
// dates. Dates are shown and stored in the locale's short date format; the
// clock is a seam so the day can be fixed.
class HistoryDates
{
public:
    static const QChar Bullet; // U+2022, byte 0x95 of Windows-1252

    // now: the current date and time (default: the system clock).
    explicit HistoryDates(QLocale locale = QLocale::system(), std::function<QDateTime()> now = {});

    const QLocale &locale() const { return m_locale; }
    QDateTime now() const;
    QDate today() const { return now().date(); }

    // "Sunday" ... "Saturday", in English whatever the locale.
    static QString weekdayName(QDate date);
    // HistoryDateCaption: "Monday • 3/4/24".
    QString historyDateCaption(QDate date) const;
    QString shortDate(QDate date) const;
    // A short-date text as a date; invalid when it is none. A two-digit year
    // is a year of today's century (Qt alone would read "24" as 1924).
    QDate parseShortDate(const QString &text) const;
    // A generated group caption: prefix, " • " and now as short date and
    // long time; the time is left out at midnight unless alwaysTime.
    QString groupCaption(const QString &prefix, bool alwaysTime) const;

    // The last day of the retention period that begins today: one month
    // later for 0, two for 1, three for 2 (each a calendar month in turn),
    // today for 3; -1 for any other retention.
    static QDate maxDate(int retention, QDate today);
    // RenewHistoryDates: "history min date" today and "history max date" the
    // end of the period; another retention than 0 to 3 becomes 0.
    bool renewHistoryDates(Settings &settings) const;
    // ApplyHistoryRetention, once at start-up: with a retention of 0 to 2,
    // once today is past "history max date" History is emptied and a new
    // period begins; with 3 History is emptied at every start. False when
    // there is no History root, and when the stored date is no date (the
    // dates then start again from today and the retention becomes 0).
    bool applyHistoryRetention(AddressTree &favorites, Settings &settings) const;

private:
    // The locale's long time format without the time zone.
    QString longTimeFormat() const;

    QLocale m_locale;
    std::function<QDateTime()> m_now;
};
