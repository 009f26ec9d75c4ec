#include "operators/operANGLE.h"

#include <cmath>

operANGLE::operANGLE(bool graphical) : operCORR("ANGLE", "Angle (Rad) between 2 vectors.", graphical) {}

double operANGLE::fromCosine(double cosine) const
{
    return std::acos(cosine);
}
