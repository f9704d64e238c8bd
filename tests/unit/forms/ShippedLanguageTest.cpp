// The language files the build writes beside the program: every one reads back through the
// program's own reader as 140 numbered keys, and the English one repeats the texts the
// windows already carry, so loading it changes no caption or tooltip.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "forms/Catalogue.h"
#include "shell/Texts.h"
#include "tests/fakes/FakePlatform.h"
#include "text/LineText.h"

namespace dv {
namespace {

namespace fs = std::filesystem;

const fs::path kLanguageDir = DV_LANGUAGE_DIR;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class ShippedLanguage : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(kLanguageDir)) GTEST_SKIP() << "build tree not reachable from here";
    }
};

TEST_F(ShippedLanguage, EveryFileHoldsKeysOneTo140InOrder) {
    std::vector<fs::path> files;
    for (const char* name : {"English.lng", "Chinese-GB.lng", "Chinese-Big5.lng", "Japanese.lng"})
        files.push_back(kLanguageDir / name);
    for (const auto& entry : fs::directory_iterator(kLanguageDir / "others"))
        if (entry.path().extension() == ".lng") files.push_back(entry.path());
    EXPECT_GE(files.size(), 7u);  // the four menu languages, English, German, French

    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        const std::string bytes = bytesOf(file);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.find('\0'), std::string::npos);  // would end the text early
        EXPECT_EQ(bytes.find('\x1A'), std::string::npos);
        // Every line ends in CR LF, and no CR or LF stands anywhere else.
        size_t lineEnds = 0;
        for (size_t at = 0; (at = bytes.find("\r\n", at)) != std::string::npos; at += 2) ++lineEnds;
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), lineEnds);
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), lineEnds);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        FakePlatform p;
        p.app.state.languageLines = splitListLines(bytes, TrailRule::AnyByte);
        ASSERT_EQ(p.app.state.languageLines.size(), 140u);
        for (int key = 1; key <= 140; ++key) {
            const std::string& line = p.app.state.languageLines[key - 1];
            EXPECT_EQ(line.rfind(std::to_string(key) + "=", 0), 0u) << key;
            EXPECT_EQ(textOfKey(p.app, key), line.substr(std::to_string(key).size() + 1)) << key;
        }
        // Every message and display text the program shows has words.
        for (int key : {47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 70,
                        129, 130, 131})
            EXPECT_FALSE(textOfKey(p.app, key).empty()) << key;
    }

    // The file the "Others" choice falls back on is shipped.
    const std::string ini = bytesOf(kLanguageDir / "others" / "lngfile.ini");
    const size_t at = ini.find("Filename=");
    ASSERT_NE(at, std::string::npos);
    const std::string name = ini.substr(at + 9, ini.find('\r', at) - at - 9);
    EXPECT_TRUE(fs::is_regular_file(kLanguageDir / "others" / name)) << name;
}

TEST_F(ShippedLanguage, EnglishFileRepeatsEveryStoredText) {
    FakePlatform p;
    p.app.state.languageLines =
        splitListLines(bytesOf(kLanguageDir / "English.lng"), TrailRule::AnyByte);
    ASSERT_EQ(p.app.state.languageLines.size(), 140u);

    // Keys 66 and 118 serve two windows with different stored texts.
    const std::set<int> shared = {66, 118};
    int checked = 0;
    for (int c = 1; c < int(Ctl::Count); ++c) {
        const WindowSpec* w = windowTables().window(Ctl(c));
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
}

}  // namespace
}  // namespace dv
