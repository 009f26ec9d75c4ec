#ifndef OPERMULTTERMS_H
#define OPERMULTTERMS_H

#include "calculus/Operator.h"

// ".*": the entry-by-entry product of two arguments, or a single value scaling the other.
class operMULTTERMS : public Operator
{
public:
    explicit operMULTTERMS(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
