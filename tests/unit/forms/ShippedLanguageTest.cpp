// The English language file shipped beside the program must read back as the texts the
// windows already carry, so loading it changes no caption or tooltip.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "forms/ControlSpec.h"
#include "search/ListFile.h"
#include "shell/Texts.h"
#include "tests/fakes/FakePlatform.h"

namespace dv {
namespace {

TEST(ShippedLanguage, EnglishFileRepeatsEveryStoredText) {
    std::ifstream in(DV_SOURCE_DIR "/resources/LANGUAGE/English.lng", std::ios::binary);
    if (!in) GTEST_SKIP() << "source tree not reachable from this build";
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    FakePlatform p;
    p.app.state.languageLines = splitListLines(bytes);
    ASSERT_EQ(p.app.state.languageLines.size(), 140u);
    for (int key = 1; key <= 140; ++key)
        EXPECT_EQ(p.app.state.languageLines[key - 1].rfind(std::to_string(key) + "=", 0), 0u) << key;

    // Keys 66 and 118 serve two windows with different stored texts.
    const std::set<int> shared = {66, 118};
    int checked = 0;
    for (int c = 1; c < int(Ctl::Count); ++c) {
        const WindowSpec* w = findWindowSpec(Ctl(c));
        if (!w) continue;
        for (size_t i = 0; i < w->controlCount; ++i) {
            const ControlSpec& s = w->controls[i];
            if (s.captionKey && s.text && !shared.count(s.captionKey)) {
                EXPECT_EQ(textOfKey(p.app, s.captionKey), s.text) << controlName(s.id);
                ++checked;
            }
            if (s.tooltipKey && s.tooltip && !shared.count(s.tooltipKey)) {
                EXPECT_EQ(textOfKey(p.app, s.tooltipKey), s.tooltip) << controlName(s.id);
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 80);
    EXPECT_EQ(textOfKey(p.app, 27),
              "File Name;File Type;File Size;Date Modified;Garbage File Path and File Name");
    // Every message the program shows has words.
    for (int key : {47, 48, 49, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64})
        EXPECT_FALSE(textOfKey(p.app, key).empty()) << key;
}

}  // namespace
}  // namespace dv
