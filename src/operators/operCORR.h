#ifndef OPERCORR_H
#define OPERCORR_H

#include "calculus/Operator.h"

// "CORR": the correlation of two vectors of one shape taken about zero, that is the cosine of
// the angle between them, from -1 to 1; a single value against another is 1 or -1.
class operCORR : public Operator
{
public:
    explicit operCORR(bool graphical);
    QString formula() override;
    void recompute() override;

protected:
    // For "ANGLE", which differs only in what it makes of the cosine.
    operCORR(const QString &key, const QString &text, bool graphical);
    virtual double fromCosine(double cosine) const { return cosine; }
};

#endif
