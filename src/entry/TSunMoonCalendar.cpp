#include "entry/TSunMoonCalendar.h"

using astro::Body;
using astro::Event;

TSunMoonCalendar::TSunMoonCalendar(const QDateTime& selected) : m_date(selected)
{
    recompute();
}

void TSunMoonCalendar::setDate(const QDateTime& selected)
{
    if (!selected.date().isValid() || selected.date() == m_date.date())
        return;
    m_date = selected;
    recompute();
}

void TSunMoonCalendar::setLatitude(float degreesNorth)
{
    if (degreesNorth == m_latitude)
        return;
    m_latitude = degreesNorth;
    recompute();
}

void TSunMoonCalendar::setLongitude(float degreesWest)
{
    if (degreesWest == m_longitude)
        return;
    m_longitude = degreesWest;
    recompute();
}

void TSunMoonCalendar::setCalcAstroData(bool on)
{
    if (on == m_calcAstroData)
        return;
    m_calcAstroData = on;
    recompute();
}

astro::Observer TSunMoonCalendar::observer() const
{
    return {static_cast<astro::real>(m_latitude), static_cast<astro::real>(m_longitude), 0};
}

astro::real TSunMoonCalendar::dailyMaximum(const QDate& day)
{
    for (const Maximum& m : m_maxima)
        if (m.day == day && day.isValid())
            return m.value;
    return astro::dailyMaximumFraction(day);
}

void TSunMoonCalendar::recompute()
{
    if (!m_calcAstroData)
        return;
    const astro::Observer obs = observer();
    const astro::real t = astro::dateTimeValue(m_date);
    // Each value is stored as soon as it is known, so an error leaves the earlier ones new.
    const QDate day = m_date.date();
    const astro::real before = dailyMaximum(day.addDays(-1));
    const astro::real today = dailyMaximum(day);
    const astro::real after = dailyMaximum(day.addDays(1));
    m_maxima[0] = {day.addDays(-1), before};
    m_maxima[1] = {day, today};
    m_maxima[2] = {day.addDays(1), after};
    m_moonPhase = astro::moonPhaseClass(before, today, after);
    m_moonRise = astro::riseTransitSet(Body::Moon, t, Event::Rise, obs);
    m_moonSet = astro::riseTransitSet(Body::Moon, t, Event::Set, obs);
    m_moonTransit = astro::riseTransitSet(Body::Moon, t, Event::Transit, obs);
    m_sunRise = astro::riseTransitSet(Body::Sun, t, Event::Rise, obs);
    m_sunSet = astro::riseTransitSet(Body::Sun, t, Event::Set, obs);
    m_sunTransit = astro::riseTransitSet(Body::Sun, t, Event::Transit, obs);
}
