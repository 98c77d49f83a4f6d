#include "entry/Astro.h"

#include "entry/AstroTerms.h"

#include <algorithm>
#include <cmath>

namespace astro {

namespace {

constexpr real kPi = 3.141592653589793238462643383279502884L;
constexpr real kRad = kPi / 180.0L;
constexpr real kAuKm = 149597869.0L;
constexpr qint64 kJdnOfValueZero = 2415019; // QDate::toJulianDay() of 30 December 1899
constexpr real kFirstGregorianValue = -115858; // 15 October 1582

thread_local std::uint64_t lunarSeries = 0;

real deg(real radians) { return radians / kRad; }
real asinDeg(real x) { return deg(std::asin(x)); }
real acosDeg(real x) { return deg(std::acos(x)); }
real atanDeg(real x) { return deg(std::atan(x)); }
real atan2Deg(real y, real x) { return deg(std::atan2(y, x)); }

real centuriesOf(real t) { return julianCenturies(julianDay(t)); }

// cos and sin of an angle together.
struct Turn {
    real c = 1;
    real s = 0;
};

// The library's extended sine takes a slow multi-precision path for any argument beyond
// π/4, so the angle is folded into [−45°, 45°] here, in degrees, where that is exact.
Turn turnOf(real x)
{
    const real r = reduce360(x);
    const int q = static_cast<int>(r / 90 + 0.5L);
    const real a = (r - 90 * q) * kRad;
    const real c = std::cos(a);
    const real s = std::sin(a);
    switch (q & 3) {
    case 0:
        return {c, s};
    case 1:
        return {-s, c};
    case 2:
        return {-c, -s};
    default:
        return {s, -c};
    }
}

Turn operator*(Turn a, Turn b) { return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s}; }

// cos/sin of k·x for k = −4 … 4. The series terms are sums of such multiples, so their sine
// and cosine come from a few products instead of one trigonometric call per term.
class Multiples {
public:
    static constexpr int kMax = 4;
    explicit Multiples(real x)
    {
        v[kMax + 1] = turnOf(x);
        for (int k = 2; k <= kMax; ++k)
            v[kMax + k] = v[kMax + k - 1] * v[kMax + 1];
        for (int k = 1; k <= kMax; ++k)
            v[kMax - k] = {v[kMax + k].c, -v[kMax + k].s};
    }
    Turn operator[](int k) const { return v[kMax + k]; }

private:
    Turn v[2 * kMax + 1];
};

// Most terms leave out some of the arguments; skipping the factor 1 saves the product.
void multiplyBy(Turn& a, int k, const Multiples& m)
{
    if (k != 0)
        a = a * m[k];
}

Turn argument(const Multiples& d, const Multiples& m, const Multiples& mp, const Multiples& f,
              int kd, int km, int kmp, int kf)
{
    Turn a = d[kd];
    multiplyBy(a, km, m);
    multiplyBy(a, kmp, mp);
    multiplyBy(a, kf, f);
    return a;
}

// Three-point interpolation; a jump of right ascension across 0°/360° is taken out.
real interpolate(real y1, real y2, real y3, real n)
{
    real a = y2 - y1;
    real b = y3 - y2;
    if (a > 100)
        a -= 360;
    else if (a < -100)
        a += 360;
    if (b > 100)
        b -= 360;
    else if (b < -100)
        b += 360;
    return y2 + n / 2 * (a + b + n * (b - a));
}

real fraction(real m)
{
    m -= std::trunc(m);
    return m < 0 ? m + 1 : m;
}

real hourAngle(real theta, real longitude, real alpha)
{
    const real h = reduce360(theta - longitude - alpha);
    return h > 180 ? h - 360 : h;
}

// sin π = sin 8.794″ / (Δ in AU).
real horizontalParallax(real distanceKm) { return asinDeg(sinDeg(8.794L / 3600) / (distanceKm / kAuKm)); }

real moonStandardAltitude(real parallax) { return 0.7275L * parallax - 0.5666667L; }

QDate lastSunday(int year, int month)
{
    const QDate last(year, month, QDate(year, month, 1).daysInMonth());
    return last.addDays(-(last.dayOfWeek() % 7));
}

} // namespace

// --- date-time values --------------------------------------------------------------------

real dateTimeValue(const QDate& date, const QTime& time)
{
    const real days = static_cast<real>(date.toJulianDay() - kJdnOfValueZero);
    return days + static_cast<real>(time.msecsSinceStartOfDay()) / 86400000.0L;
}

real dateTimeValue(const QDateTime& moment)
{
    return dateTimeValue(moment.date(), moment.time());
}

QDate dateOfValue(real value)
{
    return QDate::fromJulianDay(static_cast<qint64>(std::floor(value)) + kJdnOfValueZero);
}

QString timeOfDayText(real value)
{
    if (!std::isfinite(value))
        return QStringLiteral("00:00:00");
    // Whole milliseconds first, as the stored form always was; 24:00:00 wraps to midnight.
    qint64 ms = std::llround((value - std::floor(value)) * 86400000.0L) % 86400000;
    const int secs = static_cast<int>(ms / 1000);
    return QStringLiteral("%1:%2:%3")
        .arg(secs / 3600, 2, 10, QLatin1Char('0'))
        .arg(secs / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(secs % 60, 2, 10, QLatin1Char('0'));
}

// --- angles ------------------------------------------------------------------------------

real reduce360(real x)
{
    if (!(std::fabs(x) < 1e15L))
        return x - 360 * std::floor(x / 360);
    // Same as x − 360·⌊x/360⌋, without the slow library floor.
    const real r = x - 360 * static_cast<real>(static_cast<long long>(x / 360));
    return r < 0 ? r + 360 : r;
}

real sinDeg(real x) { return turnOf(x).s; }
real cosDeg(real x) { return turnOf(x).c; }
real tanDeg(real x)
{
    const Turn t = turnOf(x);
    return t.s / t.c;
}

// --- time --------------------------------------------------------------------------------

real julianDay(real value)
{
    return value < kFirstGregorianValue ? 0 : value + 2415018.5L;
}

real julianCenturies(real jd) { return (jd - 2451545.0L) / 36525; }

real siderealTime(real value)
{
    const real jd = julianDay(value);
    const real t = julianCenturies(jd);
    return reduce360(280.46061837L + 360.98564736629L * (jd - 2451545.0L) + 0.000387933L * t * t
                     - t * t * t / 38710000);
}

// --- positions ---------------------------------------------------------------------------

Nutation nutation(real t, int rows)
{
    const real T = centuriesOf(t);
    const real T2 = T * T;
    const real T3 = T2 * T;
    const real d = reduce360(297.85036L + 445267.11148L * T - 0.0019142L * T2 + T3 / 189474);
    const real m = reduce360(357.52772L + 35999.05034L * T - 0.0001603L * T2 - T3 / 300000);
    const real mp = reduce360(134.96298L + 477198.867398L * T + 0.0086972L * T2 + T3 / 56250);
    const real f = reduce360(93.27191L + 483202.017538L * T - 0.0036825L * T2 + T3 / 327270);
    const real om = reduce360(125.04452L - 1934.136261L * T + 0.0020708L * T2 + T3 / 450000);
    rows = std::clamp(rows, 0, terms::kNutationRows);
    const Multiples md(d), mm(m), mmp(mp), mf(f), mom(om);
    real psi = 0;
    real eps = 0;
    for (int i = 0; i < rows; ++i) {
        const terms::NutationTerm& r = terms::nutation[i];
        Turn arg = argument(md, mm, mmp, mf, r.d, r.m, r.mp, r.f);
        multiplyBy(arg, r.omega, mom);
        psi += (r.psi + r.psiT * T) * arg.s;
        eps += (r.eps + r.epsT * T) * arg.c;
    }
    return {psi * 0.0001L / 3600, eps * 0.0001L / 3600};
}

real meanObliquity(real t)
{
    const real T = centuriesOf(t);
    return (84381.448L - 46.815L * T - 0.00059L * T * T + 0.001813L * T * T * T) / 3600;
}

Position sunEcliptic(real t)
{
    const real T = centuriesOf(t);
    const real T2 = T * T;
    const real l0 = 280.46645L + 36000.76983L * T + 0.0003032L * T2;
    const real m = 357.5291L + 35999.0503L * T - 0.0001559L * T2 - 0.00000048L * T2 * T;
    const real e = 0.016708617L - 0.000042037L * T - 0.0000001236L * T2;
    const real c = (1.9146L - 0.004817L * T - 0.000014L * T2) * sinDeg(m)
                   + (0.019993L - 0.000101L * T) * sinDeg(2 * m) + 0.00029L * sinDeg(3 * m);
    const real trueLongitude = reduce360(l0 + c);
    const real nu = m + c;
    const real omega = 125.04452L - 1934.136261L * T + 0.0020708L * T2 + T2 * T / 450000;
    Position p;
    p.distance = 1.000001018L * (1 - e * e) / (1 + e * cosDeg(nu)) * kAuKm;
    p.lambda = reduce360(trueLongitude - 0.00569L - 0.00478L * sinDeg(omega));
    p.beta = 0;
    return p;
}

Position moonEcliptic(real t)
{
    ++lunarSeries;
    const real T = centuriesOf(t);
    const real T2 = T * T;
    const real T3 = T2 * T;
    const real T4 = T3 * T;
    const real lp = 218.3164591L + 481267.88134236L * T - 0.0013268L * T2 + T3 / 538841 - T4 / 65194000;
    const real d = 297.8502042L + 445267.1115168L * T - 0.00163L * T2 + T3 / 545868 - T4 / 113065000;
    const real m = 357.5291092L + 35999.0502909L * T - 0.0001536L * T2 + T3 / 24490000;
    const real mp = 134.9634114L + 477198.8676313L * T + 0.008997L * T2 + T3 / 69699 - T4 / 14712000;
    const real f = 93.2720993L + 483202.0175273L * T - 0.0034029L * T2 - T3 / 3526000 + T4 / 863310000;
    const real e = 1 - 0.002516L * T - 0.0000074L * T2;
    const real a1 = 119.75L + 131.849L * T;
    const real a2 = 53.09L + 479264.29L * T;
    const real a3 = 313.45L + 481266.484L * T;
    const real eFactor[3] = {1, e, e * e};

    const Multiples md(d), mm(m), mmp(mp), mf(f);
    real sl = 0;
    real sr = 0;
    for (const terms::MoonLrTerm& r : terms::moonLongitudeDistance) {
        const Turn arg = argument(md, mm, mmp, mf, r.d, r.m, r.mp, r.f);
        const real ef = eFactor[std::abs(r.m)];
        sl += r.sinL * ef * arg.s;
        sr += r.cosR * ef * arg.c;
    }
    real sb = 0;
    for (const terms::MoonBTerm& r : terms::moonLatitude) {
        const Turn arg = argument(md, mm, mmp, mf, r.d, r.m, r.mp, r.f);
        sb += r.sinB * eFactor[std::abs(r.m)] * arg.s;
    }
    sl += 3958 * sinDeg(a1) + 1962 * sinDeg(lp - f) + 318 * sinDeg(a2);
    sb += -2235 * sinDeg(lp) + 382 * sinDeg(a3) + 175 * sinDeg(a1 - f) + 175 * sinDeg(a1 + f)
          + 127 * sinDeg(lp - mp) - 115 * sinDeg(lp + mp);

    Position p;
    p.lambda = lp + sl / 1000000;
    p.beta = sb / 1000000;
    p.distance = 385000.56L + sr / 1000;
    return p;
}

void toEquatorial(Position& p, real t)
{
    const Nutation n = nutation(t);
    const real eps = meanObliquity(t) + n.obliquity;
    p.lambda = reduce360(p.lambda + n.longitude);
    p.alpha = atan2Deg(sinDeg(p.lambda) * cosDeg(eps) - tanDeg(p.beta) * sinDeg(eps), cosDeg(p.lambda));
    p.delta = asinDeg(sinDeg(p.beta) * cosDeg(eps) + cosDeg(p.beta) * sinDeg(eps) * sinDeg(p.lambda));
}

void correctForParallax(Position& p, real t, const Observer& observer)
{
    constexpr real kAxisRatio = 0.99664719L;
    constexpr real kEquatorRadius = 6378140;
    p.parallax = horizontalParallax(p.distance);
    const real phi = observer.latitude;
    const real u = atanDeg(kAxisRatio * tanDeg(phi));
    const real rhoSin = kAxisRatio * sinDeg(u) + observer.height / kEquatorRadius * sinDeg(phi);
    const real rhoCos = cosDeg(u) + observer.height / kEquatorRadius * cosDeg(phi);
    const real h = siderealTime(t) - observer.longitude - p.alpha;
    const real sinPi = sinDeg(p.parallax);
    const real denominator = cosDeg(p.delta) - rhoCos * sinPi * cosDeg(h);
    const real dAlpha = atanDeg(-rhoCos * sinPi * sinDeg(h) / denominator);
    p.delta = atanDeg((sinDeg(p.delta) - rhoSin * sinPi) * cosDeg(dAlpha) / denominator);
    p.alpha += dAlpha;
}

Position sunEquatorial(real t)
{
    Position p = sunEcliptic(t);
    toEquatorial(p, t);
    return p;
}

Position moonEquatorial(real t, const Observer& observer)
{
    Position p = moonEcliptic(t);
    toEquatorial(p, t);
    correctForParallax(p, t, observer);
    return p;
}

Position moonGeocentric(real t)
{
    Position p = moonEcliptic(t);
    toEquatorial(p, t);
    p.parallax = horizontalParallax(p.distance);
    return p;
}

std::uint64_t lunarSeriesCount() { return lunarSeries; }

// --- rise, transit, set ------------------------------------------------------------------

ENoRisesOrSets::ENoRisesOrSets() : FkError(QStringLiteral("No rises or sets calculable")) {}

real eventFraction(const Position& p1, const Position& p2, const Position& p3, real theta0, real h0,
                   const Observer& observer, Event event)
{
    const real phi = observer.latitude;
    const real L = observer.longitude;
    const real cosH0 = (sinDeg(h0) - sinDeg(phi) * sinDeg(p2.delta)) / (cosDeg(phi) * cosDeg(p2.delta));
    if (!(cosH0 >= -1 && cosH0 <= 1))
        throw ENoRisesOrSets();
    const real H0 = acosDeg(cosH0);

    const real m0 = (p2.alpha + L - theta0) / 360;
    real m = fraction(m0);
    if (event == Event::Rise)
        m = fraction(m0 - H0 / 360);
    else if (event == Event::Set)
        m = fraction(m0 + H0 / 360);

    // One correction step.
    const real theta = theta0 + 360.985647L * m;
    const real alpha = interpolate(p1.alpha, p2.alpha, p3.alpha, m);
    const real delta = interpolate(p1.delta, p2.delta, p3.delta, m);
    const real H = hourAngle(theta, L, alpha);
    if (event == Event::Transit)
        return m - H / 360;
    const real h = asinDeg(sinDeg(phi) * sinDeg(delta) + cosDeg(phi) * cosDeg(delta) * cosDeg(H));
    return m + (h - h0) / (360 * cosDeg(delta) * cosDeg(phi) * sinDeg(H));
}

real moonEventFraction(real d0, const Observer& observer, Event event)
{
    const real phi = observer.latitude;
    const real L = observer.longitude;
    const real theta0 = siderealTime(d0);
    Position p = moonGeocentric(d0);
    const real cosH0 = (sinDeg(moonStandardAltitude(p.parallax)) - sinDeg(phi) * sinDeg(p.delta))
                       / (cosDeg(phi) * cosDeg(p.delta));
    if (!(cosH0 >= -1 && cosH0 <= 1))
        throw ENoRisesOrSets();
    const real H0 = acosDeg(cosH0);
    const real m0 = (p.alpha + L - theta0) / 360;
    real m = fraction(m0);
    if (event == Event::Rise)
        m = fraction(m0 - H0 / 360);
    else if (event == Event::Set)
        m = fraction(m0 + H0 / 360);

    // The moon moves about half a degree an hour: one step leaves minutes, so the correction is
    // repeated with the position at the corrected moment.
    constexpr real kSecond = 1.0L / 86400;
    for (int step = 0; step < kMoonIterations; ++step) {
        p = moonGeocentric(d0 + m);
        const real H = hourAngle(theta0 + 360.985647L * m, L, p.alpha);
        real dm = -H / 360;
        if (event != Event::Transit) {
            const real h = asinDeg(sinDeg(phi) * sinDeg(p.delta) + cosDeg(phi) * cosDeg(p.delta) * cosDeg(H));
            dm = (h - moonStandardAltitude(p.parallax)) / (360 * cosDeg(p.delta) * cosDeg(phi) * sinDeg(H));
        }
        // A step beyond a few hours means the moon only grazes the altitude: no event to trust.
        if (!std::isfinite(dm) || std::fabs(dm) > 0.25L)
            break;
        m += dm;
        if (std::fabs(dm) < kSecond)
            return m;
    }
    throw ENoRisesOrSets();
}

real riseTransitSet(Body body, real t, Event event, const Observer& observer)
{
    const real d0 = std::floor(t);
    real m = 0;
    if (body == Body::Moon) {
        m = moonEventFraction(d0, observer, event);
    } else {
        const Position p1 = sunEquatorial(d0 - 1);
        const Position p2 = sunEquatorial(d0);
        const Position p3 = sunEquatorial(d0 + 1);
        m = eventFraction(p1, p2, p3, siderealTime(d0), -0.8333L, observer, event);
    }
    // Near the poles a body that barely grazes the horizon can send the step anywhere.
    if (!std::isfinite(m) || m < -1 || m > 2)
        throw ENoRisesOrSets();
    return d0 + m + localOffset(dateOfValue(d0));
}

bool isSummerTime(const QDate& date)
{
    const int year = date.year();
    if (!date.isValid() || year < 1980)
        return false;
    const QDate start = lastSunday(year, 3);
    const QDate end = lastSunday(year, year <= 1995 ? 9 : 10);
    return start.isValid() && end.isValid() && start <= date && date < end;
}

real localOffset(const QDate& date)
{
    return (isSummerTime(date) ? 2 : 1) / 24.0L;
}

// --- moon phase --------------------------------------------------------------------------

real illuminatedFraction(real t)
{
    // Nutation would shift both longitudes alike, so the ecliptic positions suffice.
    const Position sun = sunEcliptic(t);
    const Position moon = moonEcliptic(t);
    const real cosPsi = cosDeg(moon.beta) * cosDeg(moon.lambda - sun.lambda);
    const real psi = acosDeg(std::clamp(cosPsi, real(-1), real(1)));
    real i = atanDeg(sun.distance * sinDeg(psi) / (moon.distance - sun.distance * cosDeg(psi)));
    if (i < 0)
        i += 180;
    return (1 + cosDeg(i)) / 2;
}

real dailyMaximumFraction(const QDate& date)
{
    const real day = dateTimeValue(date);
    real best = illuminatedFraction(day);
    for (int hour = 1; hour < 24; ++hour)
        best = std::max(best, illuminatedFraction(day + hour / 24.0L));
    return best;
}

MoonPhase moonPhaseClass(const QDate& date)
{
    return moonPhaseClass(dailyMaximumFraction(date.addDays(-1)), dailyMaximumFraction(date),
                          dailyMaximumFraction(date.addDays(1)));
}

MoonPhase moonPhaseClass(real a, real b, real c)
{
    if (a > b)
        return c > b ? Neumond : AbnehmenderMond;
    return c >= b ? ZunehmenderMond : Vollmond;
}

QString moonPhaseName(MoonPhase phase)
{
    switch (phase) {
    case Neumond:
        return QStringLiteral("Neumond");
    case ZunehmenderMond:
        return QStringLiteral("Zunehmender Mond");
    case Vollmond:
        return QStringLiteral("Vollmond");
    case AbnehmenderMond:
        return QStringLiteral("Abnehmender Mond");
    }
    return QString();
}

} // namespace astro
