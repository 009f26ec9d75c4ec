#include "conjectures/RelationSpaces.h"

#include <chrono>

std::shared_ptr<const RelationSpace> RelationSpaces::get(const QStringList &columns, const double *rows, int count,
                                                         int width, const Make &make,
                                                         const std::atomic<bool> &cancelled)
{
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        for (const auto &[names, space] : made)
            if (names == columns && space->sameRows(rows, count, width))
                return space;
        if (cancelled.load())
            return nullptr;
        if (!making)
            break;
        // Another job is making a space; it may be this one. Cancel is looked at meanwhile.
        madeOne.wait_for(lock, std::chrono::milliseconds(20));
    }
    making = true;
    lock.unlock();
    std::shared_ptr<RelationSpace> space = make();
    lock.lock();
    making = false;
    if (space && space->complete())
        made.emplace_back(columns, space);
    else
        space.reset();
    madeOne.notify_all();
    return space;
}
