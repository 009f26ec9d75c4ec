#include "calculus/Constraint.h"

Constraint::Constraint()
{
    name = "CONSTRAINT";
    initCategory("Constraint");
    argTexts[0] = "Left hand side (should match the dimension of rhs)";
    argTexts[1] = "Right hand side (could be a vector or a value)";
    latexDescription = "Returns the sum of violations.\\\\This value is added with higher priority to the objective as a penalty.";
}
