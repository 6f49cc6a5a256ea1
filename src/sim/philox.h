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
        const PhiloxCounter next { { std::uint32_t(p1 >> 32) ^ c[1] ^ k0, std::uint32_t(p1),
            std::uint32_t(p0 >> 32) ^ c[3] ^ k1, std::uint32_t(p0) } };
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

inline Uniforms uniforms(
    std::uint64_t seed, std::uint32_t index, std::uint32_t ray, std::uint32_t step, std::uint32_t draw)
{
    const PhiloxCounter out = philox({ { index, ray, step, draw } }, seed);
    Uniforms result {};
    for (int i = 0; i < 4; ++i) {
        result.u[i] = (double(out.words[i]) + 0.5) * (1.0 / 4294967296.0);
    }
    return result;
}

// A standard normal number from one uniform: the inverse of the normal distribution (Acklam's
// rational approximation, relative error below 1.2e-9), without a logarithm in its middle 95%,
// so that noise costs a ray little beside its cast.
inline double normal(double u)
{
    constexpr double a[] = { -3.969683028665376e+01, 2.209460984245205e+02, -2.759285104469687e+02,
        1.383577518672690e+02, -3.066479806614716e+01, 2.506628277459239e+00 };
    constexpr double b[] = { -5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
        6.680131188771972e+01, -1.328068155288572e+01 };
    constexpr double c[] = { -7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
        -2.549732539343734e+00, 4.374664141464968e+00, 2.938163982698783e+00 };
    constexpr double d[]
        = { 7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00, 3.754408661907416e+00 };
    constexpr double low = 0.02425;
    if (u < low || u > 1.0 - low) {
        const double q = std::sqrt(-2.0 * std::log(u < low ? u : 1.0 - u));
        const double x = (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5])
            / ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1.0);
        return u < low ? x : -x;
    }
    const double q = u - 0.5;
    const double r = q * q;
    return (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q
        / (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1.0);
}
