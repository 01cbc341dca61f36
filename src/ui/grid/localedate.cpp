#include "ui/grid/localedate.h"

#include "ui/uitext.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

namespace vellicor {
namespace {

// The locale's short date, whose two-digit years would read back a century early.
QString DateFormat(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

// The locale's time with seconds, without the time zone.
QString TimeFormat(const QLocale& locale, QLocale::FormatType type)
{
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
    return locale.timeFormat(type).remove(zone).trimmed();
}

} // namespace

QString FormatLocaleDateTime(const OleDate& date)
{
    if (date.status == OleDate::Null)
        return {};
    const auto civil = CivilOf(date);
    if (!civil)
        return UiText(kInvalidDateText);
    // Taken as UTC, a moment in a daylight-saving gap is still shown as it was stored.
    const QDateTime when(QDate(civil->year, civil->month, civil->day), QTime(civil->hour, civil->minute, civil->second),
                         Qt::UTC);
    const QLocale locale;
    return locale.toString(when, DateFormat(locale) + ' ' + TimeFormat(locale, QLocale::LongFormat));
}

OleDate ParseLocaleDateTime(const QString& text)
{
    const QLocale locale;
    const QString date = DateFormat(locale);
    const QString trimmed = text.trimmed();
    for (const QString& format : {date + ' ' + TimeFormat(locale, QLocale::LongFormat),
                                  date + ' ' + TimeFormat(locale, QLocale::ShortFormat), date}) {
        const QDateTime when = locale.toDateTime(trimmed, format);
        if (when.isValid())
            return MakeOleDate({when.date().year(), when.date().month(), when.date().day(), when.time().hour(),
                                when.time().minute(), when.time().second()});
    }
    return OleDate{0.0, OleDate::Invalid};
}

} // namespace vellicor
