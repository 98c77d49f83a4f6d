#pragma once
// The machine's local time and random numbers, replaceable by tests.
#include <QDateTime>
#include <QRandomGenerator>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A value from 0 to bound - 1.
    virtual int bounded(int bound) = 0;
};

class SystemRandom : public RandomSource {
public:
    int bounded(int bound) override { return int(QRandomGenerator::global()->bounded(bound)); }
};

// The clock and random source the program uses; tests install their own.
Clock& appClock();
void setAppClock(Clock* clock); // nullptr restores the system clock
RandomSource& appRandom();
void setAppRandom(RandomSource* random);
