#pragma once

#include <cstdint>

namespace vandrel::demodata {

// SplitMix64: tiny and fully specified, so a seed gives the same data with every compiler
// and standard library (the std distributions are not portable).
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    // An independent stream for a sub-part (a series, a picture), so parts do not shift
    // when another part draws more numbers.
    static Random derived(uint64_t seed, uint64_t part) { return Random(mix(seed ^ mix(part + 0x51ED270B))); }

    uint64_t next()
    {
        state_ += 0x9E3779B97F4A7C15ull;
        return mix(state_);
    }
    // Uniform in [0, n); n > 0.
    int below(int n) { return int(next() % uint64_t(n)); }
    // Uniform in [lo, hi].
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    // True with the given percentage.
    bool chance(int percent) { return below(100) < percent; }

private:
    static uint64_t mix(uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint64_t state_;
};

} // namespace vandrel::demodata
