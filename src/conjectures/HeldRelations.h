#ifndef HELDRELATIONS_H
#define HELDRELATIONS_H

#include "conjectures/NearIndex.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <map>
#include <memory>
#include <vector>

class Conjecture;

// The relations a conjecture search has collected, one copy per relation however many jobs
// report it and however its copies are tilted. Copies are one relation when they have the same
// text, touch the same graphs, or when the rows searched say so: their slacks agree up to one
// positive factor on every row (Conjecture::sameOnRows). Near coefficients (Conjecture::operator==,
// Conjecture::sameBound) and near keys (RelationSpace) only find the candidates for that test. The
// copy touching more graphs stays, then the one with fewer terms, in the place of the earliest;
// merging can make it one with another held relation, which is then merged too.
//
// Each rule is a lookup (a hash, or a hash on the key's cells), so a copy of a relation already
// held costs the same however many are held, besides the rows read for each candidate.
class HeldRelations
{
public:
    HeldRelations();
    ~HeldRelations();
    HeldRelations(const HeldRelations &) = delete;
    HeldRelations &operator=(const HeldRelations &) = delete;

    void clear();
    // Keeps a copy of c, or merges it into the relation held that it is one with.
    void add(const Conjecture &c);
    int size() const { return alive; }
    // Lets the held relations go of their rows once no copy is to come.
    void forgetRows();

    // The held relations, strongest first: no relation stands before one it is less than
    // (Conjecture::operator<), and relations of which neither is less than the other keep the
    // order in which their relations arrived. Owned here, valid until the next add() or clear().
    QVector<Conjecture *> ordered() const;

private:
    struct Entry {
        std::unique_ptr<Conjecture> relation;
        long long place = 0;  // of the earliest copy merged into it
        QVector<int> graphs;  // its touching graphs, sorted
        bool alive = true;
    };

    // The live entry placed first that copy is one relation with, or -1.
    int match(const Conjecture &copy, const QVector<int> &graphs) const;
    void index(int id);
    void forget(int id);

    std::vector<Entry> entries;
    int alive = 0;
    long long nextPlace = 0;
    QHash<QString, int> byFormula;
    QMultiHash<uint, int> byGraphs;
    std::map<int, NearIndex> byDirection;  // per coefficient count: coefficients over their length
    std::map<int, NearIndex> byKey;  // per key length
};

#endif
