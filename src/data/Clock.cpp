#include "data/Clock.h"

namespace {
SystemClock g_systemClock;
SystemRandom g_systemRandom;
Clock* g_clock = &g_systemClock;
RandomSource* g_random = &g_systemRandom;
} // namespace

Clock& appClock() { return *g_clock; }
void setAppClock(Clock* clock) { g_clock = clock ? clock : &g_systemClock; }
RandomSource& appRandom() { return *g_random; }
void setAppRandom(RandomSource* random) { g_random = random ? random : &g_systemRandom; }
