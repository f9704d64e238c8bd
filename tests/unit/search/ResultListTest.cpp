#include <gtest/gtest.h>

#include "search/ResultList.h"
#include "tests/fakes/FakePlatform.h"
#include "text/NumberText.h"

namespace dv {
namespace {

TEST(ResultList, DatesAndSizes) {
    SystemTime t;
    t.year = 2010; t.month = 3; t.day = 8; t.hour = 14; t.minute = 5; t.second = 9;
    EXPECT_EQ("3/8/2010 14:5:9", formatFileDate(t));
    t = SystemTime{};
    t.year = 2009; t.month = 12; t.day = 25;
    EXPECT_EQ("12/25/2009 0:0:0", formatFileDate(t));

    FakePlatform p;
    p.system.utcOffsetMinutes = 60;
    p.fs.addFile("C:\\TEMP\\a.tmp");
    p.fs.setTimes("C:\\TEMP\\a.tmp", 0, 0, fileTimeOf(2010, 3, 8, 13, 5, 9));
    appendResultRow(p.app, "a.tmp", "*.tmp", "C:\\TEMP\\a.tmp");
    appendResultRow(p.app, "gone.tmp", "*.tmp", "C:\\TEMP\\gone.tmp");
    EXPECT_EQ((std::vector<std::string>{"a.tmp | *.tmp | 0 | 3/8/2010 14:5:9 | C:\\TEMP\\a.tmp",
                                        "gone.tmp | *.tmp | -1 | 1/1/100 0:0:0 | C:\\TEMP\\gone.tmp"}),
              p.ui.rowTexts(Ctl::resultList));
}

TEST(ResultList, TickOperations) {
    FakePlatform p;
    tickAllRows(p.app);
    resultRowActivated(p.app);
    resultRowContext(p.app);
    EXPECT_TRUE(p.ui.menus.empty());  // nothing happens on an empty list
    for (int i = 0; i < 3; ++i) p.ui.appendRow(Ctl::resultList, "r");
    p.ui.setTicked(Ctl::resultList, 1, true);
    p.ui.setCurrentRow(Ctl::resultList, 2);
    resultRowActivated(p.app);
    EXPECT_TRUE(p.ui.isTicked(Ctl::resultList, 2));
    resultRowActivated(p.app);
    EXPECT_FALSE(p.ui.isTicked(Ctl::resultList, 2));
    p.ui.setCurrentRow(Ctl::resultList, 0);
    resultRowContext(p.app);
    EXPECT_TRUE(p.ui.isTicked(Ctl::resultList, 0));
    EXPECT_EQ(std::vector<Ctl>{Ctl::fileMenu}, p.ui.menus);
    tickAllRows(p.app);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(p.ui.isTicked(Ctl::resultList, i));
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

TEST(NumberText, TwoDecimalsHalvesAwayFromZero) {
    EXPECT_EQ("1.01", formatRounded2(1.005));  // stored as 1.00499999...
    EXPECT_EQ("0.13", formatRounded2(0.125));
    EXPECT_EQ("-0.13", formatRounded2(-0.125));
    EXPECT_EQ("2.5", formatRounded2(2.5));
    EXPECT_EQ("0", formatRounded2(-0.004));
    EXPECT_EQ("3145728", formatRounded2(3221225472.0 / 1024));
    EXPECT_EQ("1.234567890123e+15", formatRounded2(1234567890123456.0));
}

}  // namespace
}  // namespace dv
