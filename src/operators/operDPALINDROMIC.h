#ifndef OPERDPALINDROMIC_H
#define OPERDPALINDROMIC_H

#include "calculus/Operator.h"

// "DPALINDROMIC": the distance of a vector to a palindrome, the sum of |v_i - v_(n-1-i)| over
// the mirrored pairs, each pair counted once whether the vector is a row or a column.
class operDPALINDROMIC : public Operator
{
public:
    explicit operDPALINDROMIC(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
