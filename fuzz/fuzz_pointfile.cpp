// Fuzzes the point file reader: the count stays in range and no array slot past the stored
// pairs is written (the arrays have exactly kPointSlots entries, so ASan sees any overrun).
#include "curves/pointdata.h"
#include "curves/pointfile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A bit pattern the reader can store only by reading it; never produced by "%f".
constexpr std::uint32_t kUntouched = 0x7FC0DEADu;

float untouched()
{
    float value = 0.0f;
    std::memcpy(&value, &kUntouched, sizeof(value));
    return value;
}

bool isUntouched(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits == kUntouched;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A copy never empty, so the buffer pointer is valid also for an empty input.
    std::vector<char> bytes(data, data + size);
    bytes.push_back('\0');
    std::FILE* file = fmemopen(bytes.data(), size, "r");
    if (file == nullptr) {
        std::abort();
    }
    std::vector<float> xs(kPointSlots, untouched());
    std::vector<float> ys(kPointSlots, untouched());
    const PointFileRead read = readPointFile(file, xs.data(), ys.data());
    std::fclose(file);

    if (read.count < 0 || read.count > kPointCapacity) {
        std::abort();
    }
    // Slots 0..count hold pairs (the last one is the repeated closing read); the rest is untouched.
    for (int i = read.count + 1; i < kPointSlots; ++i) {
        if (!isUntouched(xs[i]) || !isUntouched(ys[i])) {
            std::abort();
        }
    }
    return 0;
}
