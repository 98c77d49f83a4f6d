#include "stats/Labels.h"

namespace labels {

const QStringList& weekdays()
{
    static const QStringList names = {
        QStringLiteral("Sonntag"),  QStringLiteral("Montag"),  QStringLiteral("Dienstag"), QStringLiteral("Mittwoch"),
        QStringLiteral("Donnerstag"), QStringLiteral("Freitag"), QStringLiteral("Samstag")};
    return names;
}

QString weekday(int sundayBased)
{
    return sundayBased >= 1 && sundayBased <= 7 ? weekdays()[sundayBased - 1] : QString();
}

const QStringList& hourBuckets()
{
    static const QStringList names = [] {
        QStringList l;
        for (int h = 1; h <= 23; ++h)
            l << QStringLiteral("%1-%2 Uhr").arg(h).arg((h + 1) % 24);
        l << QStringLiteral("0-1 Uhr");
        return l;
    }();
    return names;
}

const QStringList& moonPhases()
{
    static const QStringList names = {QStringLiteral("Abnehmender Mond"), QStringLiteral("Zunehmender Mond"),
                                      QStringLiteral("Vollmond"), QStringLiteral("Neumond")};
    return names;
}

const QStringList& months()
{
    static const QStringList names = {
        QStringLiteral("Januar"), QStringLiteral("Februar"), QStringLiteral("März"),     QStringLiteral("April"),
        QStringLiteral("Mai"),    QStringLiteral("Juni"),    QStringLiteral("Juli"),     QStringLiteral("August"),
        QStringLiteral("September"), QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("Dezember")};
    return names;
}

} // namespace labels
