#include "addresses/historydates.h"

#include "addresses/addresstree.h"
#include "core/settings.h"

const QChar HistoryDates::Bullet = QChar(0x2022);

HistoryDates::HistoryDates(QLocale locale, std::function<QDateTime()> now)
    : m_locale(std::move(locale)), m_now(std::move(now))
{
}

QDateTime HistoryDates::now() const
{
    return m_now ? m_now() : QDateTime::currentDateTime();
}

QString HistoryDates::weekdayName(QDate date)
{
    static const char *const Names[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    const int day = date.dayOfWeek();
    return day >= 1 && day <= 7 ? QLatin1String(Names[day - 1]) : QString();
}

QString HistoryDates::shortDate(QDate date) const
{
    return m_locale.toString(date, QLocale::ShortFormat);
}

QString HistoryDates::historyDateCaption(QDate date) const
{
    return weekdayName(date) + u' ' + Bullet + u' ' + shortDate(date);
}

QDate HistoryDates::parseShortDate(const QString &text) const
{
    const QString format = m_locale.dateFormat(QLocale::ShortFormat);
    QDate date = m_locale.toDate(text.trimmed(), format);
    if (date.isValid()) {
        if (!format.contains(QLatin1String("yyyy"))) {
            const int century = today().year() / 100 * 100;
            date = QDate(century + date.year() % 100, date.month(), date.day());
        }
        return date;
    }
    // A date stored with the year in full.
    if (!format.contains(QLatin1String("yyyy"))) {
        QString full = format;
        full.replace(QLatin1String("yy"), QLatin1String("yyyy"));
        return m_locale.toDate(text.trimmed(), full);
    }
    return {};
}

QString HistoryDates::longTimeFormat() const
{
    // Qt's long time format names the time zone ("t"); the captions do not.
    const QString format = m_locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        result += c;
    }
    return result.trimmed();
}

QString HistoryDates::groupCaption(const QString &prefix, bool alwaysTime) const
{
    const QDateTime at = now();
    QString caption = prefix + u' ' + Bullet + u' ' + shortDate(at.date());
    if (alwaysTime || at.time() != QTime(0, 0))
        caption += u' ' + m_locale.toString(at.time(), longTimeFormat());
    return caption;
}

QDate HistoryDates::maxDate(int retention, QDate today)
{
    switch (retention) {
    case 0:
        return today.addMonths(1);
    case 1:
        return today.addMonths(1).addMonths(1);
    case 2:
        return today.addMonths(1).addMonths(1).addMonths(1);
    case 3:
        return today;
    default:
        return {};
    }
}

bool HistoryDates::renewHistoryDates(Settings &settings) const
{
    const QDate day = today();
    if (!day.isValid())
        return false;
    QDate max = maxDate(settings.historyRetention, day);
    if (!max.isValid()) {
        settings.historyRetention = 0;
        max = maxDate(0, day);
    }
    settings.historyMinDate = shortDate(day);
    settings.historyMaxDate = shortDate(max);
    return true;
}

bool HistoryDates::applyHistoryRetention(AddressTree &favorites, Settings &settings) const
{
    AddressNode *history = favorites.firstNodeOfKind(AddressNodeKind::nkHistoryRoot);
    if (!history)
        return false;
    bool ok = true;
    const int retention = settings.historyRetention;
    if (retention < 3) {
        const QDate max = parseShortDate(settings.historyMaxDate);
        ok = max.isValid();
        // The dates are renewed only when a period ends; renewing them at
        // every start would keep the end out of reach while the program is
        // used.
        if (ok && today() > max) {
            favorites.removeChildren(history);
            ok = renewHistoryDates(settings);
        }
    } else if (retention == 3) {
        favorites.removeChildren(history);
    }
    if (!ok) {
        settings.historyMinDate = shortDate(today());
        settings.historyMaxDate = shortDate(today().addMonths(1));
        settings.historyRetention = 0;
    }
    return ok;
}
