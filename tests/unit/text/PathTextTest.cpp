#include <gtest/gtest.h>

#include "text/PathText.h"

using dv::withTrailingBackslash;

TEST(PathText, AddsTheSeparatorOnlyWhenTheLastCharacterIsNotOne) {
    EXPECT_EQ(withTrailingBackslash("C:\\Temp"), "C:\\Temp\\");
    EXPECT_EQ(withTrailingBackslash("C:\\Temp\\"), "C:\\Temp\\");
    EXPECT_EQ(withTrailingBackslash("C:\\"), "C:\\");
    EXPECT_EQ(withTrailingBackslash(""), "\\");
    // "表" in Shift-JIS is 0x95 0x5C: its second byte is not a separator.
    EXPECT_EQ(withTrailingBackslash("C:\\\x95\x5C"), "C:\\\x95\x5C\\");
    EXPECT_EQ(withTrailingBackslash("C:\\\x95\x5C\\"), "C:\\\x95\x5C\\");
}
