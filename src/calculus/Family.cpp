#include "calculus/Family.h"

Family::Family()
{
    initCategory("Family");
    nbRows = 1;
    nbCols = 1;
}
