#ifndef SEARCHRANDOM_H
#define SEARCHRANDOM_H

#include <cstdint>

// The random source of one search worker: a xoshiro256** generator held by the worker, so a
// draw is a few instructions, with no thread-local lookup and no call into a library. It is
// seeded from one integer, as the worker's random state always was; its sequences are its own.
class SearchRandom
{
public:
    explicit SearchRandom(std::uint64_t seed = 0) { reseed(seed); }

    // The state expanded from the seed by splitmix64, never all zero.
    void reseed(std::uint64_t seed);

    std::uint64_t next()
    {
        const std::uint64_t result = rotl(s[1] * 5, 7) * 9;
        const std::uint64_t t = s[1] << 17;
        s[2] ^= s[0];
        s[3] ^= s[1];
        s[1] ^= s[2];
        s[0] ^= s[3];
        s[2] ^= t;
        s[3] = rotl(s[3], 45);
        return result;
    }

    // Uniform integer from 0 to n - 1 (0 when n < 1), by the high half of a 64 x 64 bit product.
    int below(int n)
    {
        if (n < 1)
            return 0;
        return int((static_cast<unsigned __int128>(next()) * std::uint64_t(n)) >> 64);
    }
    bool coin() { return next() >> 63; }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t s[4];
};

#endif
