// Fuzzes the first integration pass over a sample file. Input: 4 bytes of the sampling period
// as a float (any bits: NaN, infinities, subnormals), 1 byte whose low bit turns the trace on,
// then the sample file. Checks that N is in range, that nothing past the records in use is
// written (exactly-sized arrays, so ASan sees overruns) and that each record follows the rule.
// A sample file is also read repeated past the records' end: 5000 records take 20 KB, more than
// the fuzzer grows inputs to, yet the end of the arrays is where overruns are.
#include "support.h"
#include "curves/integration.h"
#include "curves/pointdata.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Marks the slots the pass left alone.
constexpr std::uint32_t kUntouched = 0x7FC0DEADu;
constexpr std::size_t kHeaderSize = 5;
// Largest repeated sample file: enough for 5000 records of short numbers, small enough to stay fast.
constexpr std::size_t kRepeatLimit = 256 * 1024;

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

// Runs the pass over the sample text and checks it; returns N.
int integrateChecked(float period, std::FILE* trace, std::string_view text)
{
    std::string bytes(text);
    bytes.push_back('\0'); // never empty, so the pointer is valid for an empty file too
    std::FILE* samples = fmemopen(bytes.data(), text.size(), "r");
    FUZZ_CHECK(samples != nullptr);
    std::vector<IntegrationRecord> records(kIntegrationCapacity); // zeroed: unread values stay 0
    std::vector<float> xs(kPointSlots, fromBits(kUntouched));
    std::vector<float> ys(kPointSlots, fromBits(kUntouched));
    const int n = integrateFirstPass(samples, records.data(), period, xs.data(), ys.data(), trace);
    std::fclose(samples);

    FUZZ_CHECK(n >= 2 && n <= kIntegrationCapacity);
    // Record 0 (the start) and the records past N keep their zeros.
    const IntegrationRecord zero{};
    FUZZ_CHECK(std::memcmp(&records[0], &zero, sizeof(zero)) == 0);
    for (int k = n; k < kIntegrationCapacity; ++k) {
        FUZZ_CHECK(std::memcmp(&records[k], &zero, sizeof(zero)) == 0);
    }
    for (int k = 1; k < n; ++k) {
        const IntegrationRecord& r = records[k];
        const IntegrationRecord& p = records[k - 1];
        const float integralX = integrate(period, r.sampleX, p.integralX);
        const float integralY = integrate(period, r.sampleY, p.integralY);
        FUZZ_CHECK(same(r.integralX, integralX) && same(r.integralY, integralY));
        FUZZ_CHECK(same(r.posX, integrate(period, integralX, p.posX)));
        FUZZ_CHECK(same(r.posY, integrate(period, integralY, p.posY)));
        FUZZ_CHECK(bitsOf(xs[k]) == bitsOf(r.posX) && bitsOf(ys[k]) == bitsOf(r.posY));
    }
    // The point arrays get entries 1..N-1 only.
    for (int k = 0; k < kPointSlots; ++k) {
        if (k == 0 || k >= n) {
            FUZZ_CHECK(bitsOf(xs[k]) == kUntouched && bitsOf(ys[k]) == kUntouched);
        }
    }
    return n;
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
    std::string_view text(reinterpret_cast<const char*>(data), size);
    text.remove_prefix(size < kHeaderSize ? size : kHeaderSize);

    const int n = integrateChecked(period, trace, text);
    if (n < 3) {
        return 0;
    }
    // Copies on lines of their own, so the last number of one does not run into the next.
    const std::size_t copies = kIntegrationCapacity / static_cast<std::size_t>(n - 2) + 2;
    if (copies * (text.size() + 1) > kRepeatLimit) {
        return 0;
    }
    std::string repeated;
    repeated.reserve(copies * (text.size() + 1));
    for (std::size_t i = 0; i < copies; ++i) {
        repeated.append(text).push_back('\n');
    }
    integrateChecked(period, trace, repeated);
    return 0;
}
