#include "platform/Rounding.h"

#include <cmath>
#include <limits>

namespace {

template <typename T> T clampTruncated(double value) {
    if (std::isnan(value)) return 0;
    constexpr double low = static_cast<double>(std::numeric_limits<T>::min());
    // The largest double below 2^63 (or 2^31) that converts without overflow.
    const double high = std::nextafter(-low, 0.0);
    if (value <= low) return std::numeric_limits<T>::min();
    if (value >= high) return std::numeric_limits<T>::max();
    return static_cast<T>(value);
}

double roundHalfEven(double value) { return std::nearbyint(value); }

} // namespace

int Round(double value) { return clampTruncated<int>(roundHalfEven(value)); }
int64_t Round64(double value) { return clampTruncated<int64_t>(roundHalfEven(value)); }
int Trunc(double value) { return clampTruncated<int>(std::trunc(value)); }
int64_t Trunc64(double value) { return clampTruncated<int64_t>(std::trunc(value)); }
