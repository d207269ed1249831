// Float-to-integer conversions. Every one clamps first, so inf, NaN and huge values never
// reach an undefined conversion: NaN gives 0, values beyond the range give its ends.
#pragma once

#include <cstdint>

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4).
int Round(double value);
int64_t Round64(double value);

// Drops the fraction toward zero.
int Trunc(double value);
int64_t Trunc64(double value);
