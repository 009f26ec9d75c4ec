#include "operators/operMULT.h"

operMULT::operMULT(bool graphical)
{
    initOperator("*", "Matrix or vector multiplication. A matrix or vector may also be multiplied by a value.",
                 "Matrix or vector multiplication.\n A matrix or vector may also be multiplied by a value.", 2,
                 graphical);
}

QString operMULT::formula()
{
    return infixFormula(2);
}

void operMULT::recompute()
{
    if (!argumentsReady(2))
        return;
    const int a = args[0]->getNbRows(), b = args[0]->getNbCols();
    const int c = args[1]->getNbRows(), d = args[1]->getNbCols();
    const Broadcast how = broadcast(a, b, c, d);
    if (how == Broadcast::FirstSingle || how == Broadcast::SecondSingle) {
        // A single value scales the other argument, whatever its shape.
        combineTerms(
            2, [](double x, double s) { return x * s; }, [](double s, double y) { return y * s; },
            [](double e, double) { return e; });
        return;
    }
    if (b != c) {
        fail(ArgSizeDiffer);
        return;
    }
    setResult(name, a, d, args[0]->getSRows(), args[1]->getSCols());
    // One argument's lock at a time: argument 2 is copied out first.
    double right[MaxSize][MaxSize];
    {
        const Argument y(args[1]);
        for (int k = 0; k < c; ++k)
            for (int j = 0; j < d; ++j)
                right[k][j] = y.at(k, j);
    }
    // Each entry is the sum from 0.0 of A(i, k) B(k, j) for k in increasing order; running
    // the k loop outside the j loop keeps that order while the row's sums advance together.
    const Argument x(args[0]);
    for (int i = 0; i < a; ++i) {
        double *out = value[i].data();
        for (int j = 0; j < d; ++j)
            out[j] = 0.0;
        for (int k = 0; k < b; ++k) {
            const double aik = x.at(i, k);
            const double *row = right[k];
            for (int j = 0; j < d; ++j)
                out[j] += aik * row[j];
        }
    }
}
