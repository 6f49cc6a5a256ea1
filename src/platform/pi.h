#pragma once

// π, 2π and π/2 as the 32-bit reals the system forms its angles with; they are widened to
// double where used, so every angle computed from them keeps the 32-bit rounding.
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kHalfPi = 1.5707964f;
