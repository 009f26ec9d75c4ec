#include "calculus/Invariant.h"

Invariant::Invariant()
{
    initCategory("Invariant");
}

QString Invariant::formula()
{
    return name + (invertGraph() ? "(GBAR)" : "(G)");
}
