#include <gtest/gtest.h>

#include <sstream>

#include "app/batch.h"
#include "support/test_app.h"

using testing_support::RunCli;

TEST(BatchFrame, VersionHelpAndBadArguments) {
    std::string out, err;
    EXPECT_EQ(RunCli({"--version"}, out, err), 0);
    EXPECT_NE(out.find("mavrolin "), std::string::npos);
    EXPECT_EQ(RunCli({"--help"}, out, err), 0);
    EXPECT_NE(out.find("desktop program"), std::string::npos);
    EXPECT_EQ(RunCli({"--no-such-option"}, out, err), 2);
}

TEST(BatchFrame, DesktopOrBatch) {
    std::string a0 = "mavrolin", a1 = "water.log", a2 = "--version";
    char* one[] = {a0.data()};
    char* file[] = {a0.data(), a1.data()};
    char* ver[] = {a0.data(), a2.data()};
    EXPECT_FALSE(mavrolin::IsBatchInvocation(1, one));
    EXPECT_FALSE(mavrolin::IsBatchInvocation(2, file));
    EXPECT_TRUE(mavrolin::IsBatchInvocation(2, ver));
}
