#ifndef INVKCHERRIES_H
#define INVKCHERRIES_H

#include "calculus/Invariant.h"

// Number of pendant vertices attached to every vertex.
class invKCHERRIES : public Invariant
{
public:
    explicit invKCHERRIES(bool displayed);
    ~invKCHERRIES() override;

    void recompute() override;

private:
    QVector<int> degrees;
};

#endif
