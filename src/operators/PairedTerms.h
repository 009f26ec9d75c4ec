#ifndef PAIREDTERMS_H
#define PAIREDTERMS_H

#include "calculus/Operator.h"

// The frame of the operators that reduce two arguments of one shape to one number: the sum,
// from 0.0 and rows first, of term(a, b) over the matching entries. A single value is not
// broadcast: any other shape is "ARG SIZE DIFFER".
class PairedTerms : public Operator
{
public:
    QString formula() override;

protected:
    template <class Term>
    void sumOfPairs(Term term)
    {
        if (!argumentsReady(2))
            return;
        const int r = args[0]->getNbRows(), c = args[0]->getNbCols();
        if (args[1]->getNbRows() != r || args[1]->getNbCols() != c) {
            fail(ArgSizeDiffer);
            return;
        }
        // One argument's lock at a time: argument 1 is copied out first.
        double first[MaxSize][MaxSize];
        copyArgument(1, first);
        double s = 0.0;
        {
            const Argument b(args[1]);
            for (int i = 0; i < r; ++i)
                for (int j = 0; j < c; ++j)
                    s += term(first[i][j], b.at(i, j));
        }
        setSingleResult(name);
        value[0][0] = s;
    }
    // Argument k's entries, within its shape, into out.
    void copyArgument(int k, double out[MaxSize][MaxSize]) const;
};

#endif
