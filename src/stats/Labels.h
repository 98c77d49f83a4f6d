#pragma once
// The label tables of weekdays, hour buckets, moon phases and months, shared by the overview
// figures, the statistics window, the recommendation and the statistics report.
#include <QString>
#include <QStringList>

namespace labels {

// Weekday 1 = Sunday ... 7 = Saturday.
const QStringList& weekdays();
QString weekday(int sundayBased);
// Qt's dayOfWeek (1 = Monday ... 7 = Sunday) to the numbering above.
inline int sundayBasedWeekday(int qtDayOfWeek) { return qtDayOfWeek % 7 + 1; }

// Bucket 1 ("1-2 Uhr") ... 23 ("23-0 Uhr"), 24 ("0-1 Uhr"): the tie-break order.
const QStringList& hourBuckets();
inline int hourBucket(int hour) { return hour == 0 ? 24 : hour; }

// "Abnehmender Mond", "Zunehmender Mond", "Vollmond", "Neumond" in tie-break order.
const QStringList& moonPhases();

// "Januar" ... "Dezember".
const QStringList& months();

} // namespace labels
