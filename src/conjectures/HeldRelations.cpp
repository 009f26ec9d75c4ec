#include "conjectures/HeldRelations.h"

#include "conjectures/Conjecture.h"
#include "conjectures/RelationSpace.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Conjecture::sameBound's tolerance on coefficients over their length, shared by the two
// copies compared; operator== asks for less, within it.
constexpr double SameBound = Conjecture::SameRelation;

bool stronger(const Conjecture &a, const Conjecture &b)
{
    return a.getTouching() > b.getTouching() ||
           (a.getTouching() == b.getTouching() && a.termCount() < b.termCount());
}

// The order of neighbour exchanges: passes from the front, relation i and i + 1 exchanged when
// i is less than i + 1, until a pass exchanges none.
void exchangeSort(QVector<Conjecture *> &list)
{
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 0; i + 1 < list.size(); ++i)
            if (*list[i] < *list[i + 1]) {
                std::swap(list[i], list[i + 1]);
                swapped = true;
            }
    }
}

// Per relation of the list, the rank of its tie among those touching as many graphs, smallest
// errors first; false when ties are not an equivalence (a chain of errors each within 1e-6 of
// the next that spans more, or an error that is not a number), where only the exchanges define
// the order.
bool tieRanks(const QVector<Conjecture *> &list, std::vector<int> &rank)
{
    std::vector<int> byError(size_t(list.size()));
    std::iota(byError.begin(), byError.end(), 0);
    for (const Conjecture *c : list)
        if (!std::isfinite(c->getSumErr()))
            return false;
    std::sort(byError.begin(), byError.end(), [&](int a, int b) {
        const Conjecture &x = *list[a], &y = *list[b];
        return x.getTouching() != y.getTouching() ? x.getTouching() < y.getTouching() : x.getSumErr() < y.getSumErr();
    });
    rank.assign(size_t(list.size()), 0);
    int first = -1;  // the least error of the current tie
    for (size_t k = 0; k < byError.size(); ++k) {
        const Conjecture &c = *list[byError[k]];
        const bool newGroup = k == 0 || list[byError[k - 1]]->getTouching() != c.getTouching();
        if (newGroup || c.getSumErr() - list[byError[k - 1]]->getSumErr() >= Conjecture::Tolerance) {
            first = byError[k];
            rank[size_t(byError[k])] = newGroup ? 0 : rank[size_t(byError[k - 1])] + 1;
            continue;
        }
        if (c.getSumErr() - list[first]->getSumErr() >= Conjecture::Tolerance)
            return false;
        rank[size_t(byError[k])] = rank[size_t(byError[k - 1])];
    }
    return true;
}

} // namespace

HeldRelations::HeldRelations() = default;

HeldRelations::~HeldRelations() = default;

void HeldRelations::clear()
{
    entries.clear();
    alive = 0;
    nextPlace = 0;
    byFormula.clear();
    byGraphs.clear();
    byDirection.clear();
    byKey.clear();
}

int HeldRelations::match(const Conjecture &copy, const QVector<int> &graphs) const
{
    int first = -1;
    auto consider = [&](int id) {
        if (first < 0 || entries[size_t(id)].place < entries[size_t(first)].place)
            first = id;
    };
    const auto text = byFormula.constFind(copy.getFormula());
    if (text != byFormula.constEnd())
        consider(*text);
    for (auto it = byGraphs.constFind(qHash(graphs)); it != byGraphs.constEnd() && it.key() == qHash(graphs); ++it) {
        const Entry &e = entries[size_t(*it)];
        if (e.relation->getTouching() == copy.getTouching() && e.graphs == graphs)
            consider(*it);
    }
    // Near coefficients or near keys only make candidates: the rows decide.
    const QVector<double> coefs = copy.direction();
    const auto direction = byDirection.find(coefs.size());
    if (direction != byDirection.end())
        direction->second.near(coefs.constData(), SameBound / 2, [&](int id) {
            const Entry &e = entries[size_t(id)];
            if (e.alive && (*e.relation == copy || e.relation->sameBound(copy)) && e.relation->sameOnRows(copy))
                consider(id);
        });
    const QVector<double> key = copy.getKey();
    const auto keys = byKey.find(key.size());
    if (!key.isEmpty() && keys != byKey.end())
        keys->second.near(key.constData(), copy.getKeyTolerance(), [&](int id) {
            const Entry &e = entries[size_t(id)];
            if (e.alive && e.relation->sameOnRows(copy))
                consider(id);
        });
    return first;
}

void HeldRelations::index(int id)
{
    const Entry &e = entries[size_t(id)];
    byFormula.insert(e.relation->getFormula(), id);
    byGraphs.insert(qHash(e.graphs), id);
    const QVector<double> coefs = e.relation->direction();
    auto direction = byDirection.find(coefs.size());
    if (direction == byDirection.end())
        direction = byDirection.emplace(coefs.size(), NearIndex(coefs.size(), SameBound / 2)).first;
    direction->second.insert(id, coefs.constData(), SameBound / 2);
    const QVector<double> key = e.relation->getKey();
    if (key.isEmpty())
        return;
    auto keys = byKey.find(key.size());
    if (keys == byKey.end())
        keys = byKey.emplace(key.size(), NearIndex(key.size(), 2 * RelationSpace::MaxTolerance)).first;
    keys->second.insert(id, key.constData(), e.relation->getKeyTolerance());
}

void HeldRelations::forgetRows()
{
    for (Entry &e : entries)
        if (e.relation)
            e.relation->forgetRows();
}

void HeldRelations::forget(int id)
{
    Entry &e = entries[size_t(id)];
    const auto text = byFormula.find(e.relation->getFormula());
    if (text != byFormula.end() && *text == id)
        byFormula.erase(text);
    byGraphs.remove(qHash(e.graphs), id);
    // Its lookups by coefficients and key stay, and pass over it from now on.
    e.alive = false;
    --alive;
}

void HeldRelations::add(const Conjecture &c)
{
    auto copy = std::make_unique<Conjecture>(c);
    QVector<int> graphs = copy->getSupport();
    std::sort(graphs.begin(), graphs.end());
    long long place = nextPlace++;
    bool merged = false;
    for (int h = match(*copy, graphs); h >= 0; h = match(*copy, graphs)) {
        Entry &held = entries[size_t(h)];
        // A copy no stronger than the relation held adds nothing; held relations are never one
        // with each other, so nothing else can follow.
        if (!merged && !stronger(*copy, *held.relation))
            return;
        place = std::min(place, held.place);
        forget(h);
        if (!stronger(*copy, *held.relation)) {
            copy = std::move(held.relation);
            graphs = held.graphs;
        }
        held.relation.reset();
        held.graphs.clear();
        merged = true;
    }
    entries.push_back(Entry{std::move(copy), place, graphs, true});
    ++alive;
    index(int(entries.size()) - 1);
}

QVector<Conjecture *> HeldRelations::ordered() const
{
    std::vector<const Entry *> live;
    for (const Entry &e : entries)
        if (e.alive)
            live.push_back(&e);
    std::sort(live.begin(), live.end(), [](const Entry *a, const Entry *b) { return a->place < b->place; });
    QVector<Conjecture *> list;
    for (const Entry *e : live)
        list << e->relation.get();
    // Where ties are an equivalence the order is a strict weak one, and a stable sort gives the
    // one order the exchanges give; otherwise the exchanges themselves.
    std::vector<int> rank;
    if (!tieRanks(list, rank)) {
        exchangeSort(list);
        return list;
    }
    std::vector<int> at(size_t(list.size()));
    std::iota(at.begin(), at.end(), 0);
    std::stable_sort(at.begin(), at.end(), [&](int a, int b) {
        return list[a]->getTouching() != list[b]->getTouching() ? list[a]->getTouching() > list[b]->getTouching()
                                                                : rank[size_t(a)] < rank[size_t(b)];
    });
    QVector<Conjecture *> sorted;
    for (int k : at)
        sorted << list[k];
    return sorted;
}
