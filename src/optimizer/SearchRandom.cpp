#include "optimizer/SearchRandom.h"

void SearchRandom::reseed(std::uint64_t seed)
{
    std::uint64_t x = seed;
    for (std::uint64_t &word : s) {
        x += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = x;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        word = z ^ (z >> 31);
    }
    // splitmix64 is a bijection of distinct inputs: the four words cannot all be zero.
}
