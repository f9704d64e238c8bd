#include "text/NumberText.h"

#include <cmath>
#include <cstdio>

namespace dv {

std::string formatRounded2(double value) {
    if (std::isnan(value)) return "0";
    // The small bias keeps values such as 1.005 (stored as 1.00499...) rounding up.
    double scaled = std::floor(std::fabs(value) * 100.0 + 1e-12 + 0.5);
    double rounded = scaled / 100.0;
    if (scaled == 0.0) rounded = 0.0;  // never "-0"
    else if (value < 0) rounded = -rounded;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", rounded);
    return buffer;
}

std::string megabyteText(uint64_t bytes) { return formatRounded2(double(bytes) / 1048576.0); }

}  // namespace dv
