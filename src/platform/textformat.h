#pragma once

#include <string>

// printf-style formatting into a string of whatever length the result needs, so a long
// file name or number can never overflow a fixed buffer.
[[gnu::format(printf, 1, 2)]] std::string formatText(const char* format, ...);
