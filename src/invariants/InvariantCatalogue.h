#ifndef INVARIANTCATALOGUE_H
#define INVARIANTCATALOGUE_H

#include <QStringList>

#include <vector>

class Calculus;

// Every invariant item: its key, the name list that shows it and its maker, in the order of
// the lists. The factory builds its lists and its key table from here, and the key test reads
// the same entries, so a new invariant is its class and one line of the catalogue.
class InvariantCatalogue
{
public:
    enum List { Values, Vectors, Matrices, Unlisted };
    using Maker = Calculus *(*)(bool displayed);

    struct Entry
    {
        const char *key;
        const char *className;
        List list;
        Maker make;
    };

    static const std::vector<Entry> &entries();
    // The keys of one list, in list order.
    static QStringList keys(List list);
};

#endif
