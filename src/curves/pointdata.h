#pragma once

// The curve tools' shared point data: entry i of both arrays is one point.
constexpr int kPointCapacity = 5000;
// One slot more than the capacity: a full set of 5000 points still has room for the closing
// entry that repeats its last point.
constexpr int kPointSlots = kPointCapacity + 1;

// One record of the incremental integration run, six 32-bit reals.
struct IntegrationRecord {
    float posX;      // second integral: the position
    float posY;
    float sampleX;   // the pair read for this record
    float sampleY;
    float integralX; // first integral of the samples
    float integralY;
};

// Records of an integration run, record 0 (the start) included.
constexpr int kIntegrationCapacity = 5000;
