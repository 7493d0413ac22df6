// The check that refuses what is no Gaussian output lets every real log of the corpus
// through, also cut short, finds each job ended normally, and refuses every formatted
// checkpoint file and input.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/errors.h"
#include "logscan/log_check.h"
#include "support/test_app.h"

using testing_support::CorpusDir;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(LogCheckCorpus, RealLogsPassAndOtherFilesAreRefused) {
    if (CorpusDir().empty()) GTEST_SKIP() << "no corpus";
    TempDir d;
    int logs = 0, others = 0;
    for (auto& e : std::filesystem::recursive_directory_iterator(CorpusDir())) {
        if (!e.is_regular_file()) continue;
        const auto ext = e.path().extension().string();
        if (ext == ".log" || ext == ".out") {
            ++logs;
            EXPECT_NO_THROW(mavrolin::logscan::RequireGaussianOutput(e.path())) << e.path();
            EXPECT_EQ(mavrolin::logscan::ReadJobEnd(e.path()), core::JobEnd::Normal) << e.path();
            // Cut to its first tenth: still a Gaussian output, and unfinished.
            const std::string text = ReadFile(e.path());
            WriteFile(d / "cut.log", text.substr(0, text.size() / 10));
            EXPECT_NO_THROW(mavrolin::logscan::RequireGaussianOutput(d / "cut.log")) << e.path();
            EXPECT_EQ(mavrolin::logscan::ReadJobEnd(d / "cut.log"), core::JobEnd::Unfinished) << e.path();
        } else if (ext == ".fchk" || ext == ".gjf") {
            ++others;
            EXPECT_THROW(mavrolin::logscan::RequireGaussianOutput(e.path()), core::InputError) << e.path();
        }
    }
    EXPECT_GT(logs, 10);
    EXPECT_GT(others, 4);
}
