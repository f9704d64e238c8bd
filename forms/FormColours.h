// Colours shared by the window tables (0xRRGGBB).
#pragma once
#include <cstdint>

namespace dv {

constexpr uint32_t kFormBlue = 0x4689E0;     // every window's background
constexpr uint32_t kRuleGrey = 0xC0C0C0;     // 1-px rules of the title strips and frames
constexpr uint32_t kContactGrey = 0x606060;  // the rule between AboutWindow's lines
constexpr uint32_t kTextBlue = 0x0000FF;     // Recycle Bin mode
constexpr uint32_t kTextRed = 0xFF0000;      // permanent mode, auto-empty the Recycle Bin
constexpr uint32_t kTextGreen = 0x008000;    // backup mode

}  // namespace dv
