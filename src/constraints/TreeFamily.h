#ifndef TREEFAMILY_H
#define TREEFAMILY_H

#include "calculus/Family.h"
#include "constraints/TreeShape.h"

// The frame the seven tree families share: one snapshot of the graph (complemented on the
// snapshot when the item's "Complement" box is ticked), its breadth-first distances shared
// with the distance items of the same graph, then the connectivity and tree tests.
//   - No graph or fewer than 2 vertices: no value, error flag.
//   - Disconnected: 0.0 with the error flag, a forest included.
//   - Connected but not a tree: 0.0.
//   - A tree: 1.0 when the member test holds, else 0.0.
class TreeFamily : public Family
{
protected:
    using Member = bool (TreeShape::*)() const;

    // Key, help text (LaTeX and plain alike), labels "1" x "1" and, when displayed, the dialog
    // with the complement box and one value per graph for the explorer.
    void initTreeFamily(const QString &key, const QString &help, bool displayed);
    void recomputeTree(Member member);

    // What a user would not expect of every family item, appended to each help text.
    static QString conventions();
};

#endif
