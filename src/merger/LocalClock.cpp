#include "LocalClock.h"

#include <QDateTime>

namespace agendrix::merger {

DateTime LocalClock::Now() const
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return DateTime { CivilDate { date.year(), date.month(), date.day() },
        time.hour() * 3600 + time.minute() * 60 + time.second() };
}

} // namespace agendrix::merger
