#include <gtest/gtest.h>

#include <array>

#include "text/Text.h"

namespace dv {
namespace {

struct Fold {
    const char* text;
    const char* folded;
};

// Double-byte characters of code page 932 (the same bytes lead in 936) with every kind of
// trail byte: capital and small letters, "@", "[", "\", "`", "{", "~" and a high byte.
const Fold kFolds[] = {
    {"ABC.Tmp~z09", "abc.tmp~z09"},
    {"@[\\]^_`{|}~", "@[\\]^_`{|}~"},
    {"\x83\x41" "A", "\x83\x41" "a"},  // "ア": its trail byte is "A"
    {"\x83\x61" "B", "\x83\x61" "b"},  // "ヂ": its trail byte is "a"
    {"\x81\x40\x83\x5B\x83\x60\x83\x7B\x81\x7E", "\x81\x40\x83\x5B\x83\x60\x83\x7B\x81\x7E"},
    {"\x95\x5C" "C\\", "\x95\x5C" "c\\"},  // "表": its trail byte is "\"
    {"\x88\x9F\x83\x83" "D", "\x88\x9F\x83\x83" "d"},  // a high trail byte, then a lead as one
    {"\x83.X\x83\x1F", "\x83.x\x83\x1F"},  // a byte below 0x40 is never a trail byte
    {"X\x83", "x\x83"},                    // a lead byte at the end stands alone
};

TEST(Text, FoldKeepsEveryDoubleByteCharacter) {
    for (const Fold& f : kFolds) {
        EXPECT_EQ(foldedName(f.text), f.folded) << f.text;
        EXPECT_TRUE(sameNoCase(f.text, f.folded)) << f.text;
    }
    EXPECT_FALSE(sameNoCase("\x83\x41.tmp", "\x83\x61.tmp"));
    EXPECT_FALSE(containsNoCase("x\x83\x41", "a"));  // never inside a character
    EXPECT_EQ(findNoCase("\x83\x41" "A", "a"), 2u);
    EXPECT_TRUE(startsWithNoCase("HTTP://x", "http://"));
    EXPECT_FALSE(startsWithNoCase("\x83\x41", "\x83"));
    EXPECT_EQ(firstStartingWith({"\x83\x41x", "\x83\x61X", "\x83\x61xy"}, "\x83\x61x"), 1);
}

// In a code page without double-byte characters, a high byte is a character of its own
// and the letter after it folds.
TEST(Text, FoldFollowsTheCodePagesLeadBytes) {
    std::array<bool, 256> none{}, high{};
    for (size_t b = 0x80; b < high.size(); ++b) high[b] = true;
    useLeadBytes(none);
    EXPECT_EQ(foldedName("\xC4PFEL\x83\x41"), "\xC4pfel\x83" "a");
    EXPECT_TRUE(sameNoCase("\xC4PFEL", "\xC4pfel"));
    useLeadBytes(high);
    EXPECT_EQ(foldedName("\xC4PFEL"), "\xC4Pfel");
}

}  // namespace
}  // namespace dv
