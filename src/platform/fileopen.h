#pragma once

#include <cstdio>
#include <string>

// fopen for reading that also refuses a folder (the C library opens one and then fails every
// read without ever reaching the end). On failure errno holds the reason.
std::FILE* openForReading(const std::string& name);
