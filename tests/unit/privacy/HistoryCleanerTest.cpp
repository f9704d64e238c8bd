// The privacy-traces window's Apply on the in-memory registry.
#include <gtest/gtest.h>

#include "privacy/HistoryCleaner.h"
#include "shell/Settings.h"
#include "tests/fakes/FakePlatform.h"

namespace dv {
namespace {

const char kRecentDocs[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";

class HistoryCleanerTest : public ::testing::Test {
protected:
    FakePlatform p;
    FakeRegistry& reg = p.registry;

    void fill(const std::string& key, std::initializer_list<const char*> names) {
        for (const char* name : names) reg.set(kCurrentUser, key, name, kRegSz, name);
    }
    std::vector<std::string> values(const std::string& key) {
        std::vector<std::string> names;
        reg.valueNames(kCurrentUser, key, names);
        return names;
    }
};

TEST_F(HistoryCleanerTest, EmptiesValuesOnlyAndNeverCreatesAKey) {
    fill(kRecentDocs, {"MRUListEx", "0"});
    reg.set(kCurrentUser, kRecentDocs, "big", kRegBinary, std::string(1024, '\x7f'));
    fill(std::string(kRecentDocs) + "\\.txt", {"MRUListEx", "0"});
    emptyRegistryKey(p.app, kRecentDocs);
    EXPECT_TRUE(reg.hasKey(kCurrentUser, kRecentDocs));
    EXPECT_TRUE(values(kRecentDocs).empty());
    EXPECT_EQ(values(std::string(kRecentDocs) + "\\.txt"),
              (std::vector<std::string>{"MRUListEx", "0"}));

    emptyRegistryKey(p.app, "Software\\No Such List");
    emptyRegistryKey(p.app, "");
    EXPECT_FALSE(reg.hasKey(kCurrentUser, "Software\\No Such List"));
}

// Messages are dispatched before each ticked key and each value, keys in the window's order.
TEST_F(HistoryCleanerTest, ApplyEmptiesTickedListsInOrderThenStoresNotShow) {
    for (const HistoryList& list : kHistoryLists) fill(list.key, {"a", "MRUList"});
    const HistoryList& docFind = kHistoryLists[0];
    const HistoryList& run = kHistoryLists[1];
    const HistoryList& typed = kHistoryLists[4];
    for (const HistoryList* list : {&docFind, &run, &typed}) p.ui.setChecked(list->box, true);
    p.ui.openWindows.insert(Ctl::PrivacyTracesWindow);
    std::vector<size_t> seen;  // values left in Doc Find Spec and Run at calls 1, 4 and 7
    for (int call : {1, 4, 7})
        p.ui.atProcessCall(call, [&] {
            seen.push_back(values(docFind.key).size());
            seen.push_back(values(run.key).size());
        });

    applyPrivacyCleaning(p.app);
    EXPECT_EQ(seen, (std::vector<size_t>{2, 2, 0, 2, 0, 0}));
    EXPECT_EQ(p.ui.processCalls, 9);
    for (const HistoryList& list : kHistoryLists) {
        const bool ticked = &list == &docFind || &list == &run || &list == &typed;
        EXPECT_EQ(values(list.key).size(), ticked ? 0u : 2u) << list.key;
        EXPECT_TRUE(reg.hasKey(kCurrentUser, list.key));
    }
    EXPECT_EQ(regReadInt(p.app, kUsers, kNotShowItem, 99), 1u);  // step box unticked
    EXPECT_FALSE(p.ui.openWindows.count(Ctl::PrivacyTracesWindow));

    p.ui.setChecked(Ctl::privacyShowStepCheck, true);
    applyPrivacyCleaning(p.app);
    EXPECT_EQ(regReadInt(p.app, kUsers, kNotShowItem, 99), 0u);
}

}  // namespace
}  // namespace dv
