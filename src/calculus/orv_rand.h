#ifndef ORV_RAND_H
#define ORV_RAND_H

// The system's random source: Qt's per-thread pseudo-random integer, scaled.
double orv_rand();
int orv_rand(int n);

#endif
