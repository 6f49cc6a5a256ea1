// Fuzzes the first integration pass over a sample file. Input: 4 bytes of the sampling period
// as a float (any bits: NaN, infinities, subnormals), 1 byte whose low bit turns the trace on,
// then the sample file. Checks that N is in range, that nothing past the records in use is
// written (exactly-sized arrays, so ASan sees overruns) and that each record follows the rule.
#include "curves/integration.h"
#include "curves/pointdata.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint32_t kUntouched = 0x7FC0DEADu;
constexpr std::size_t kHeaderSize = 5;

std::FILE* g_trace = nullptr;

std::uint32_t bitsOf(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

float fromBits(std::uint32_t bits)
{
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

// NaN payloads depend on operand order, which the compiler may choose; any NaN matches any NaN.
bool same(float a, float b)
{
    return (std::isnan(a) && std::isnan(b)) || bitsOf(a) == bitsOf(b);
}

float integrate(float period, float value, float previous)
{
    return static_cast<float>(double(period) * double(value) + double(previous));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_trace = std::fopen("/dev/null", "w");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint8_t header[kHeaderSize] = {};
    std::memcpy(header, data, size < kHeaderSize ? size : kHeaderSize);
    std::uint32_t periodBits = 0;
    std::memcpy(&periodBits, header, sizeof(periodBits));
    const float period = fromBits(periodBits);
    std::FILE* trace = (header[4] & 1) != 0 ? g_trace : nullptr;

    const std::size_t fileSize = size > kHeaderSize ? size - kHeaderSize : 0;
    std::vector<char> bytes(data + (size - fileSize), data + size);
    bytes.push_back('\0'); // never empty, so the pointer is valid for an empty file too
    std::FILE* samples = fmemopen(bytes.data(), fileSize, "r");
    if (samples == nullptr) {
        std::abort();
    }
    std::vector<IntegrationRecord> records(kIntegrationCapacity); // zeroed: unread values stay 0
    std::vector<float> xs(kPointSlots, fromBits(kUntouched));
    std::vector<float> ys(kPointSlots, fromBits(kUntouched));
    const int n = integrateFirstPass(samples, records.data(), period, xs.data(), ys.data(), trace);
    std::fclose(samples);

    if (n < 2 || n > kIntegrationCapacity) {
        std::abort();
    }
    const IntegrationRecord& start = records[0];
    if (bitsOf(start.posX) != 0 || bitsOf(start.posY) != 0 || bitsOf(start.sampleX) != 0
        || bitsOf(start.sampleY) != 0 || bitsOf(start.integralX) != 0 || bitsOf(start.integralY) != 0) {
        std::abort();
    }
    for (int k = 1; k < n; ++k) {
        const IntegrationRecord& r = records[k];
        const IntegrationRecord& p = records[k - 1];
        const float integralX = integrate(period, r.sampleX, p.integralX);
        const float integralY = integrate(period, r.sampleY, p.integralY);
        if (!same(r.integralX, integralX) || !same(r.integralY, integralY)
            || !same(r.posX, integrate(period, integralX, p.posX))
            || !same(r.posY, integrate(period, integralY, p.posY))
            || bitsOf(xs[k]) != bitsOf(r.posX) || bitsOf(ys[k]) != bitsOf(r.posY)) {
            std::abort();
        }
    }
    for (int k = n; k < kIntegrationCapacity; ++k) {
        const IntegrationRecord zero{};
        if (std::memcmp(&records[k], &zero, sizeof(zero)) != 0) {
            std::abort();
        }
    }
    for (int k = 0; k < kPointSlots; ++k) {
        if ((k == 0 || k >= n) && (bitsOf(xs[k]) != kUntouched || bitsOf(ys[k]) != kUntouched)) {
            std::abort();
        }
    }
    return 0;
}
