#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {
// OPERATOR(ARGUMENT), cycling through the graphs of the set. With the operator, the argument
// is computed once per graph beforehand and only the operator's computation is timed (its
// cost above the argument's); without it, the argument's own computation is timed, for
// comparison.
void operatorOnSet(benchmark::State &state, const BenchSet &set, const char *op, const char *arg)
{
    std::vector<std::unique_ptr<Calculus>> arguments = benchArguments(set, arg);
    std::vector<std::unique_ptr<Calculus>> operators = op ? benchOperators(arguments, op) : std::move(arguments);
    timeItems(state, operators);
}

const int registered = [] {
    const struct {
        const char *op;
        const char *arg;
    } cases[] = {{"SUM", "DISTANCES"}, {"MAX", "DEGREES"}, {"NBVALUES", "DISTANCES"}, {nullptr, "DISTANCES"},
                 {nullptr, "DEGREES"}};
    for (const auto &c : cases) {
        const std::string name = c.op ? std::string(c.op) + "(" + c.arg + ")" : std::string(c.arg);
        registerOnSets("BM_Operator/" + name, {"P32x200", "G(32,0.5)x200"},
                       [c](benchmark::State &state, const BenchSet &set) { operatorOnSet(state, set, c.op, c.arg); },
                       benchmark::kNanosecond);
    }
    return 0;
}();
} // namespace
