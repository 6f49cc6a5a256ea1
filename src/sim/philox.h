#pragma once

#include <cmath>
#include <cstdint>

// Philox4x32-10 (Salmon et al., "Parallel random numbers: as easy as 1, 2, 3", SC'11): random
// numbers as a pure function of a key and a counter, so that a noisy ray's numbers depend only
// on (seed, pose or cart, ray, step), never on which thread draws them or in what order.
struct PhiloxCounter {
    std::uint32_t words[4];
};

inline PhiloxCounter philox(PhiloxCounter counter, std::uint64_t key)
{
    std::uint32_t k0 = std::uint32_t(key);
    std::uint32_t k1 = std::uint32_t(key >> 32);
    std::uint32_t* c = counter.words;
    for (int round = 0; round < 10; ++round) {
        const std::uint64_t p0 = std::uint64_t(0xD2511F53u) * c[0];
        const std::uint64_t p1 = std::uint64_t(0xCD9E8D57u) * c[2];
        const PhiloxCounter next{{std::uint32_t(p1 >> 32) ^ c[1] ^ k0, std::uint32_t(p1),
                                  std::uint32_t(p0 >> 32) ^ c[3] ^ k1, std::uint32_t(p0)}};
        counter = next;
        k0 += 0x9E3779B9u;
        k1 += 0xBB67AE85u;
    }
    return counter;
}

// Four uniform numbers in (0, 1), 32 bits each, for one (index, ray, step, draw) of a seed.
struct Uniforms {
    double u[4];
};

inline Uniforms uniforms(std::uint64_t seed, std::uint32_t index, std::uint32_t ray, std::uint32_t step,
                         std::uint32_t draw)
{
    const PhiloxCounter out = philox({{index, ray, step, draw}}, seed);
    Uniforms result{};
    for (int i = 0; i < 4; ++i) {
        result.u[i] = (double(out.words[i]) + 0.5) / 4294967296.0;
    }
    return result;
}

// A standard normal number from two uniforms (Box-Muller).
inline double normal(double u1, double u2)
{
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * 3.14159265358979323846 * u2);
}
