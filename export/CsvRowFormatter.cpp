#include "CsvRowFormatter.h"

#include "CsvLayout.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int maxFixedBytes = 48;
constexpr char nanText[] = "nan";
constexpr std::array<double, 8> powersOfTen{1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};

// True when value lies exactly halfway between two numbers of `decimals` decimals. A
// float has 24 significant bits and 10^7 needs 17 more, so the product is exact in a double.
bool isHalfway(float value, int decimals) {
    const double scaled =
        std::fabs(static_cast<double>(value)) * powersOfTen[static_cast<size_t>(decimals) + 1];
    return scaled == std::floor(scaled) && std::fmod(scaled, 10.0) == 5.0;
}

} // namespace

char* writeFixed(char* out, float value, int decimals) {
    if (std::isnan(value))
        return std::copy(nanText, nanText + sizeof(nanText) - 1, out);
    double wide = value == 0 ? 0.0 : static_cast<double>(value);
    // to_chars rounds a halfway value to even, the text we match rounds it away from zero:
    // the next double away from zero rounds the same way and is nowhere else different.
    if (std::isfinite(wide) && isHalfway(value, decimals))
        wide = std::nextafter(wide, std::copysign(std::numeric_limits<double>::infinity(), wide));
    return std::to_chars(out, out + maxFixedBytes, wide, std::chars_format::fixed, decimals).ptr;
}

char* CsvRowFormatter::writeRow(char* out, qint64 epochSecs, const SampleStore::Values& values) {
    out = timestamp.write(out, epochSecs);
    for (size_t k = 0; k < values.size(); ++k) {
        *out++ = CsvLayout::separator;
        out = writeFixed(out, values[k], CsvLayout::decimals[k]);
    }
    std::memcpy(out, CsvLayout::lineEnd, sizeof(CsvLayout::lineEnd) - 1);
    return out + sizeof(CsvLayout::lineEnd) - 1;
}
