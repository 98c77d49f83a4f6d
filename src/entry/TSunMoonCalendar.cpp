#include "entry/TSunMoonCalendar.h"

using astro::Body;
using astro::Event;

TSunMoonCalendar::TSunMoonCalendar(const QDateTime& selected) : m_date(selected)
{
    recompute();
}

void TSunMoonCalendar::setDate(const QDateTime& selected)
{
    if (selected.date() == m_date.date())
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

void TSunMoonCalendar::recompute()
{
    if (!m_calcAstroData)
        return;
    const astro::Observer obs = observer();
    const astro::real t = astro::dateTimeValue(m_date);
    // Each value is stored as soon as it is known, so an error leaves the earlier ones new.
    m_moonPhase = astro::moonPhaseClass(m_date.date());
    m_moonRise = astro::riseTransitSet(Body::Moon, t, Event::Rise, obs);
    m_moonSet = astro::riseTransitSet(Body::Moon, t, Event::Set, obs);
    m_moonTransit = astro::riseTransitSet(Body::Moon, t, Event::Transit, obs);
    m_sunRise = astro::riseTransitSet(Body::Sun, t, Event::Rise, obs);
    m_sunSet = astro::riseTransitSet(Body::Sun, t, Event::Set, obs);
    m_sunTransit = astro::riseTransitSet(Body::Sun, t, Event::Transit, obs);
}
