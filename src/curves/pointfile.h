#pragma once

#include <cstdio>

// Reading a point file: pairs "%f %f" (X then Y), any white space between them.
struct PointFileRead {
    int count = 0;           // pairs stored as the point count
    bool badToken = false;   // reading stopped at text that is not a number
};

// Reads pairs into xs/ys (kPointSlots entries each) as the point loader always has: every
// read stores a pair, also the read that meets the end of the file or fails (it stores the
// previous pair again), and one is taken off the count at the end. So a file whose last line
// ends with white space loads with the count of its pairs, and a last number directly at the
// end of the file loses its pair. Reading stops at the first text that is not a number and at
// the arrays' end.
PointFileRead readPointFile(std::FILE* file, float* xs, float* ys);
