#ifndef OPTIMIZERBOARDS_H
#define OPTIMIZERBOARDS_H

#include <QString>

class Problem;

// Boards for the optimiser's tests and benchmarks, built through the item factory as a user
// draws them: "<sense> <invariant>", optionally subject to "<invariant> <comparison> <number>"
// constraints or to a constraint item of its own ("CONNECTED"). Each returns false, with an
// explanation in *why, when the factory does not make one of the keys.
class OptimizerBoards
{
public:
    static bool objective(Problem &p, const QString &sense, const QString &invariant, QString *why);
    static bool compare(Problem &p, const QString &invariant, const QString &comparison, double rhs, QString *why);
    static bool constraint(Problem &p, const QString &key, QString *why);
};

#endif
