#include "calculus/orv_rand.h"

#include <QtGlobal>
#include <iostream>

double orv_rand()
{
    return qrand() / 2147483647.0;
}

int orv_rand(int n)
{
    if (n < 1)
        return 0;
    const int r = static_cast<int>(n * orv_rand());
    if (r < n)
        return r;
    // Only a draw of exactly 1.0 lands here.
    std::cerr << "ERROR IN ORV_RAND(int)" << std::endl;
    return n - 1;
}
