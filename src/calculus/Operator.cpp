#include "calculus/Operator.h"

Operator::Operator()
{
    initCategory("Operator");
}
