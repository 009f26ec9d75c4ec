#ifndef SHAREDDISTANCES_H
#define SHAREDDISTANCES_H

#include "graph/Graph.h"
#include "invariants/Distances.h"

#include <QMutex>
#include <QMutexLocker>
#include <algorithm>

// The breadth-first distances of one graph, filled once and read by every distance item
// computed on that graph until its adjacency changes. The key is the adjacency snapshot
// itself, not the graph identifier: an item computed on the complement inverts the graph
// without a new identifier, and a restored best copy takes an old identifier back.
// Items of one graph may compute in different threads, so every use holds the lock.
class SharedDistances
{
public:
    // Calls use(const Distances &) with the distances of the snapshot (rows, n).
    template <class Use>
    void use(const Graph::Row rows[Graph::MaxNodes], int n, Use &&use)
    {
        QMutexLocker locker(&mutex);
        if (!filled || n != keyCount || !std::equal(rows, rows + n, key)) {
            table.fill(rows, n);
            std::copy(rows, rows + n, key);
            keyCount = n;
            filled = true;
        }
        use(static_cast<const Distances &>(table));
    }

private:
    QMutex mutex;
    bool filled = false;
    int keyCount = 0;
    Graph::Row key[Graph::MaxNodes] = {};
    Distances table;
};

#endif
