// Numbers shown to the user with at most two decimals.
#pragma once
#include <cstdint>
#include <string>

namespace dv {

// Rounds to two decimals, halves away from zero, and prints up to 13 significant
// digits without trailing zeros: 1.005 -> "1.01", 2.5 -> "2.5", 3 -> "3".
std::string formatRounded2(double value);

// Bytes as megabytes (1048576 bytes), rounded as formatRounded2: 1572864 -> "1.5".
std::string megabyteText(uint64_t bytes);

}  // namespace dv
