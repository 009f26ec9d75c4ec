#ifndef SHAREDDISTANCES_H
#define SHAREDDISTANCES_H

#include "graph/Adjacency.h"
#include "invariants/core/Distances.h"

#include <algorithm>

// The breadth-first distances of the last graph computed in this thread, filled once and read
// by every distance item computed on that graph until its adjacency changes. The key is the
// adjacency snapshot itself, not a graph identifier: an item computed on the complement sees
// other rows under the same identifier, and a restored best copy takes an old identifier back.
// One fill per thread, so the per-graph path takes no lock.
class SharedDistances
{
public:
    static SharedDistances &forThisThread()
    {
        thread_local SharedDistances local;
        return local;
    }

    // Calls use(const Distances &) with the distances of the snapshot (rows, n). use must not
    // reach this thread's fill again: the table it reads would be refilled under it.
    template <class Use>
    void use(const adjacency::Row rows[adjacency::MaxNodes], int n, Use &&use)
    {
        if (!filled || n != keyCount || !std::equal(rows, rows + n, key)) {
            table.fill(rows, n);
            std::copy(rows, rows + n, key);
            keyCount = n;
            filled = true;
        }
        use(static_cast<const Distances &>(table));
    }

private:
    bool filled = false;
    int keyCount = 0;
    adjacency::Row key[adjacency::MaxNodes] = {};
    Distances table;
};

#endif
