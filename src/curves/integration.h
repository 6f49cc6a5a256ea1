#pragma once

// The incremental double integration of sample pairs over time with the sampling period T.
// For each axis and record k >= 1 (every field rounded to 32 bits when stored, in the order
// integralX, integralY, posX, posY):
//   simpler rule:  integral[k] = T * sample[k] + integral[k-1];  pos[k] = T * integral[k] + pos[k-1]
//   precise rule:  the same with the mean (sample[k-1] + sample[k]) * 0.5 in place of sample[k].

#include "curves/pointdata.h"

#include <cstdio>

// Applies the simpler rule to record k.
void integrateSimple(IntegrationRecord* records, int k, float period);
// Applies the precise rule to record k; the two means are stored in meanX and meanY.
void integratePrecise(IntegrationRecord* records, int k, float period, float& meanX, float& meanY);

// The first pass over a sample file: for k = 1, 2, ... reads a pair "%f %f" into record k (a
// value not read stays 0), applies the simpler rule, copies the position into the point arrays
// and traces it ("%d %d\n", truncated) when `trace` is given. Stops at the end of the file, at
// text that is not a number, or when the records are full. Returns N, the records in use,
// record 0 included.
int integrateFirstPass(std::FILE* samples, IntegrationRecord* records, float period, float* xs, float* ys,
                       std::FILE* trace);
