#include "engine/TickHorizon.h"

#include "engine/Controller.h"

namespace {
constexpr int SecondsPerDay = 24 * 3600;

// The minute of the day a cell's "hh:mm" names, or -1 for any other text (it never matches).
int minuteOfDay(const QString& text)
{
    if (text.size() != 5 || text.at(2) != QLatin1Char(':'))
        return -1;
    int digits[4];
    const int at[4] = {0, 1, 3, 4};
    for (int i = 0; i < 4; ++i) {
        const QChar ch = text.at(at[i]);
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return -1;
        digits[i] = ch.unicode() - '0';
    }
    const int hour = digits[0] * 10 + digits[1];
    const int minute = digits[2] * 10 + digits[3];
    return hour < 24 && minute < 60 ? hour * 60 + minute : -1;
}

// Seconds from today's midnight: the first moment after `now` that the minute brings, today or
// tomorrow, at each of the leads before it.
void consider(int minute, const int (&leads)[3], int now, int& earliest)
{
    if (minute < 0)
        return;
    for (const int lead : leads) {
        for (const int day : {0, SecondsPerDay}) {
            const int moment = day + minute * 60 - lead;
            if (moment > now && moment < earliest)
                earliest = moment;
        }
    }
}
} // namespace

int secondsUntilTickDue(const Controller& c, const QDateTime& now)
{
    if (c.bells.warmingUp())
        return 1;
    // Wall-clock seconds of today; the few checks below are made on every tick that changed nothing,
    // so they stay in whole numbers.
    const int second = now.time().msecsSinceStartOfDay() / 1000;
    int earliest = SecondsPerDay; // the change of day
    if (c.s.minuteHandled == 1)   // the guard is released in the first tick of the next minute
        earliest = std::min(earliest, (second / 60 + 1) * 60);
    const int leads[3] = {0, BellEngine::PrepareLeadSeconds, c.settings.warmUpSeconds};
    for (const QString& cell : c.m.grid)
        consider(minuteOfDay(cell), leads, second, earliest);
    if (c.s.shutdownIssued == 0) {
        consider(minuteOfDay(c.m.text26), leads, second, earliest);
        consider(minuteOfDay(c.m.text45), leads, second, earliest);
    }
    const CalendarDay& today = c.calendar.today();
    for (const DayCeremony& t : today.ceremonies)
        consider(t.time.hour() * 60 + t.time.minute(), leads, second, earliest);
    if (today.date == now.date()) {
        for (const TimedSilence& s : today.silences) {
            if (s.from > second && s.from < earliest)
                earliest = s.from;
        }
    }
    return earliest - second;
}
