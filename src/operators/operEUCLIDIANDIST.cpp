#include "operators/operEUCLIDIANDIST.h"

#include "operators/ValueBlock.h"

operEUCLIDIANDIST::operEUCLIDIANDIST(bool graphical)
{
    initOperator("EUCLIDIANDIST", "Euclidian distance between 2 vectors or matrices", 2, graphical);
}

QString operEUCLIDIANDIST::formula()
{
    return prefixFormula(2);
}

void operEUCLIDIANDIST::recompute()
{
    if (!argumentsReady(2))
        return;
    const ValueBlock a(args[0]);
    const ValueBlock b(args[1]);
    if (!a.sameShape(b)) {
        fail(ArgSizeDiffer);
        return;
    }
    setSingleResult(name);
    value[0][0] = a.distanceTo(b);
}
