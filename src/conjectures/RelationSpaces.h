#ifndef RELATIONSPACES_H
#define RELATIONSPACES_H

#include "conjectures/RelationSpace.h"

#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// The relation spaces of one conjecture search, made once and shared by its jobs: a job asks for
// the space of its rows and columns; the first to ask makes it, while the others that need the
// same one wait. Jobs on other columns (squares ticked during the search) or other rows (a table
// rebuilt) get a space of their own. Any thread.
class RelationSpaces
{
public:
    using Make = std::function<std::shared_ptr<RelationSpace>()>;

    // The space made for these columns and these rows (count rows of `width` values as the table
    // gives them), or one made now by make(). Null when *cancelled turns true before it is there.
    std::shared_ptr<const RelationSpace> get(const QStringList &columns, const double *rows, int count, int width,
                                             const Make &make, const std::atomic<bool> &cancelled);

private:
    std::mutex mutex;
    std::condition_variable madeOne;
    bool making = false;
    std::vector<std::pair<QStringList, std::shared_ptr<const RelationSpace>>> made;
};

#endif
