// The headless dispatch point: user errors become messages, programming errors fail the
// test that caused them, and batch reports both on stderr with status 1.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "app/application.h"
#include "app/batch.h"
#include "core/errors.h"
#include "support/test_app.h"

using testing_support::TestApp;

TEST(Dispatch, ProgrammingErrorsFailTestsAndAreNamedOtherwise) {
    TestApp t;
    // Test applications throw a programming error on, so the test that hit it fails.
    EXPECT_THROW(t.app.Dispatch([] { throw std::out_of_range("row 7"); }), std::out_of_range);
    EXPECT_FALSE(t.app.Dispatch([] { throw core::InputError("Too short!"); }));
    EXPECT_EQ(t.platform.messages.back().text, "Too short!");

    t.app.rethrowInternalErrors = false;
    EXPECT_FALSE(t.app.Dispatch([] { throw std::out_of_range("row 7"); }, "Button2Click"));
    ASSERT_FALSE(t.platform.messages.empty());
    EXPECT_EQ(t.platform.messages.back().text, "Internal error in Button2Click: row 7");
    EXPECT_TRUE(t.platform.messages.back().error);
}

TEST(Dispatch, FailEndsTheActionWithoutAMessage) {
    TestApp t;
    const auto before = t.platform.messages.size();
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.Fail(); }));
    EXPECT_EQ(t.platform.messages.size(), before);
    EXPECT_TRUE(t.app.Dispatch([] {}));  // the flag does not outlive its action
}

TEST(Dispatch, BatchReportsEveryErrorOnStderrEvenWhenQuiet) {
    struct Case {
        const char* name;
        void (*action)();
        const char* expected;
    };
    const Case cases[] = {
        {"user", [] { throw core::FileError("Cannot write \"x.txt\"."); }, "error: Cannot write \"x.txt\".\n"},
        {"internal", [] { throw std::logic_error("no such row"); },
         "error: Internal error in mavrolin scf: no such row\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        mavrolin::BatchSession session(out, err);
        session.quiet = true;
        session.command = "mavrolin scf";
        EXPECT_FALSE(session.Run(c.action)) << c.name;
        EXPECT_EQ(session.status, 1) << c.name;
        EXPECT_EQ(err.str(), c.expected) << c.name;
    }
}

TEST(Dispatch, QuietIsTakenAfterTheCommandAndErrorsStillShow) {
    std::string out, err;
    EXPECT_EQ(testing_support::RunCli({"scf", "/nonexistent/water.log", "--quiet"}, out, err), 1);
    EXPECT_NE(err.find("error: "), std::string::npos);
    EXPECT_EQ(testing_support::RunCli({"scf", "/nonexistent/water.log", "--no-such-option"}, out, err), 2);
}
