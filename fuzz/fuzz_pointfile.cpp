// Fuzzes the point file reader: the count stays in range and no array slot past the stored
// pairs is written (the arrays have exactly kPointSlots entries, so ASan sees any overrun).
// An input that reads to its end is also read repeated past the arrays' end: 5001 pairs take
// 20 KB, more than the fuzzer grows inputs to, yet the end of the arrays is where overruns are.
#include "support.h"
#include "curves/pointdata.h"
#include "curves/pointfile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Marks the slots the reader left alone.
constexpr std::uint32_t kUntouched = 0x7FC0DEADu;
// Largest repeated input: enough for 5001 pairs of short numbers, small enough to stay fast.
constexpr std::size_t kRepeatLimit = 256 * 1024;

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

PointFileRead readChecked(std::string_view text)
{
    // A copy never empty, so the buffer pointer is valid also for an empty input.
    std::string bytes(text);
    bytes.push_back('\0');
    std::FILE* file = fmemopen(bytes.data(), text.size(), "r");
    FUZZ_CHECK(file != nullptr);
    std::vector<float> xs(kPointSlots, untouched());
    std::vector<float> ys(kPointSlots, untouched());
    const PointFileRead read = readPointFile(file, xs.data(), ys.data());
    std::fclose(file);

    FUZZ_CHECK(read.count >= 0 && read.count <= kPointCapacity);
    // Slots 0..count hold pairs (the last one is the repeated closing read); the rest is untouched.
    for (int i = read.count + 1; i < kPointSlots; ++i) {
        FUZZ_CHECK(isUntouched(xs[i]) && isUntouched(ys[i]));
    }
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const PointFileRead read = readChecked(text);
    if (read.badToken || read.count == 0) {
        return 0;
    }
    // Copies on lines of their own, so the last number of one does not run into the next.
    const std::size_t copies = kPointSlots / static_cast<std::size_t>(read.count) + 2;
    if (copies * (size + 1) > kRepeatLimit) {
        return 0;
    }
    std::string repeated;
    repeated.reserve(copies * (size + 1));
    for (std::size_t i = 0; i < copies; ++i) {
        repeated.append(text).push_back('\n');
    }
    readChecked(repeated);
    return 0;
}
