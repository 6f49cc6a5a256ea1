#include "platform/textformat.h"

#include <gtest/gtest.h>

#include <cmath>

// Status texts show reals exactly as printf writes them, exact ties and negative zero included.
TEST(PrintfReal, WritesRealsAsPrintfDoes)
{
    EXPECT_EQ(printfReal(0.125, 2, std::fixed), "0.12");
    EXPECT_EQ(printfReal(0.375, 2, std::fixed), "0.38");
    EXPECT_EQ(printfReal(-0.0625, 3, std::fixed), "-0.062");
    EXPECT_EQ(printfReal(-0.0, 3, std::fixed), "-0.000");
    EXPECT_EQ(printfReal(-1.5707964f, 3, std::fixed), "-1.571");
    EXPECT_EQ(printfReal(1e30f, 2, std::fixed), "1000000015047466219876688855040.00");
    EXPECT_EQ(printfReal(0.1f, 9, std::defaultfloat), "0.100000001");
    EXPECT_EQ(printfReal(1e30f, 9, std::defaultfloat), "1.00000002e+30");
    EXPECT_EQ(printfReal(2097151.625, 9, std::defaultfloat), "2097151.62");
    EXPECT_EQ(printfReal(std::nan(""), 2, std::fixed), "nan");
}
