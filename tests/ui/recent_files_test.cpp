// The list behind File > "Recent Files".
#include <gtest/gtest.h>

#include "ui/recent_files.h"

namespace {

std::vector<std::string> Names(int from, int to) {
    std::vector<std::string> v;
    for (int i = from; i <= to; ++i) v.push_back("/logs/" + std::to_string(i) + ".log");
    return v;
}

TEST(RecentFiles, NewestFirstEachOnceAtMostTen) {
    ui::RecentFiles r;
    for (const auto& p : Names(1, 12)) r.Add(p);
    auto expected = Names(3, 12);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(r.Paths(), expected);

    r.Add("/logs/7.log");  // opened again: moves to the top, nothing lost
    EXPECT_EQ(r.Paths().front(), "/logs/7.log");
    EXPECT_EQ(r.Paths().size(), 10u);
    EXPECT_EQ(std::count(r.Paths().begin(), r.Paths().end(), "/logs/7.log"), 1);
    EXPECT_EQ(r.Paths().back(), "/logs/3.log");

    EXPECT_TRUE(r.Remove("/logs/12.log"));
    EXPECT_FALSE(r.Remove("/logs/12.log"));
    EXPECT_EQ(r.Paths().size(), 9u);
    r.Add("");
    EXPECT_EQ(r.Paths().size(), 9u);
}

TEST(RecentFiles, StoredListIsCleanedWhenReadBack) {
    std::vector<std::string> stored = {"/a.log", "", "/b.log", "/a.log"};
    for (const auto& p : Names(1, 12)) stored.push_back(p);
    ui::RecentFiles r(stored);
    ASSERT_EQ(r.Paths().size(), 10u);
    EXPECT_EQ(r.Paths()[0], "/a.log");
    EXPECT_EQ(r.Paths()[1], "/b.log");
    EXPECT_EQ(r.Paths()[9], "/logs/8.log");
}

}  // namespace
