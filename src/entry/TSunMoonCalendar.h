#pragma once
// The sun and moon part of the calendar component that the catch entry dialog holds hidden:
// for its selected date it keeps sunrise, sunset, moonrise, moonset (with both transits) and
// the moon phase class. No display.
#include "entry/Astro.h"

#include <QDateTime>
#include <QString>

class TSunMoonCalendar {
public:
    // The observer of the catch log: 51.6° N, 7.5° E (longitude is positive towards west).
    static constexpr float kDefaultLatitude = 51.6f;
    static constexpr float kDefaultLongitude = -7.5f;

    // Selects `selected` (the current moment when left out) and computes its values.
    explicit TSunMoonCalendar(const QDateTime& selected = QDateTime::currentDateTime());

    QDateTime date() const { return m_date; }
    // A moment on the calendar day already selected changes nothing (not even the stored
    // time of day); neither does an invalid date. Another day becomes the selected date and all values are computed again
    // in the order phase, moonrise, moonset, moon transit, sunrise, sunset, sun transit.
    // Raises astro::ENoRisesOrSets when an event cannot be computed: the values before it
    // are already those of the new day, the rest stay those of the previous day.
    void setDate(const QDateTime& selected);

    float latitude() const { return m_latitude; }
    float longitude() const { return m_longitude; }
    // Changing the observer computes the values again for the selected date.
    void setLatitude(float degreesNorth);
    void setLongitude(float degreesWest);

    // Without astronomy data (coCalcAstroData off) nothing is computed.
    bool calcAstroData() const { return m_calcAstroData; }
    void setCalcAstroData(bool on);

    // Date-time values (days since 30.12.1899) in the observer's civil time; an event after
    // local midnight lies on the next day.
    astro::real sunRise() const { return m_sunRise; }
    astro::real sunSet() const { return m_sunSet; }
    astro::real sunTransit() const { return m_sunTransit; }
    astro::real moonRise() const { return m_moonRise; }
    astro::real moonSet() const { return m_moonSet; }
    astro::real moonTransit() const { return m_moonTransit; }
    astro::MoonPhase moonPhase() const { return m_moonPhase; }

    // The stored texts of a catch: times of day as "HH:mm:ss", the phase by its name.
    QString sunRiseText() const { return astro::timeOfDayText(m_sunRise); }
    QString sunSetText() const { return astro::timeOfDayText(m_sunSet); }
    QString moonRiseText() const { return astro::timeOfDayText(m_moonRise); }
    QString moonSetText() const { return astro::timeOfDayText(m_moonSet); }
    QString moonPhaseText() const { return astro::moonPhaseName(m_moonPhase); }

private:
    void recompute();
    astro::Observer observer() const;
    astro::real dailyMaximum(const QDate& day);

    QDateTime m_date;
    float m_latitude = kDefaultLatitude;
    float m_longitude = kDefaultLongitude;
    bool m_calcAstroData = true;

    astro::real m_sunRise = 0;
    astro::real m_sunSet = 0;
    astro::real m_sunTransit = 0;
    astro::real m_moonRise = 0;
    astro::real m_moonSet = 0;
    astro::real m_moonTransit = 0;
    astro::MoonPhase m_moonPhase = astro::Neumond;

    // Daily maxima of the illuminated fraction from the last recomputation: the next day
    // needs two of its three again. They do not depend on the observer.
    struct Maximum {
        QDate day;
        astro::real value = 0;
    };
    Maximum m_maxima[3];
};
