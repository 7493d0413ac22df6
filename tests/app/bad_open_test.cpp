// Files that are no Gaussian output are refused before anything loaded is reset, on the
// desktop and in batch; the command line reports every failure, also with --quiet, and a
// log that breaks off is read with a warning.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "logscan/log_check.h"
#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TempDir;
using testing_support::TestApp;
using testing_support::WriteFile;

namespace {

struct BadFile {
    const char* name;
    std::string content;
    const char* says;
};

std::vector<BadFile> BadFiles() {
    std::string png = "\x89PNG\r\n\x1a\n";
    for (int i = 0; i < 4000; ++i) png += static_cast<char>(i % 7 == 0 ? 0 : i % 251);
    return {
        {"picture.log", png, "It holds binary data, not text."},
        {"water.fchk",
         "Water written by hand\nSP        RB3LYP                                                      STO-3G\n"
         "Number of atoms                            I                3\n",
         "formatted checkpoint file, not a Gaussian output. Formatted checkpoint files are read by "
         "\"Import_Coeffs_from_fch\""},
        {"water.gjf", "%chk=water.chk\n#p b3lyp/6-31g(d) opt\n\nwater\n\n0 1\nO 0 0 0\n",
         "it is not a Gaussian output (none of its first 2000 lines"},
        {"empty.log", "", "it is not a Gaussian output"},
    };
}

bool Open(TestApp& t, const std::string& path) {
    t.platform.AnswerOpen(path);
    return t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); });
}

std::string FileText(const std::string& fixture) { return ReadFile(TestApp::data(fixture)); }

}  // namespace

TEST(BadOpen, RefusedBeforeTheLoadedLogIsTouched) {
    for (const auto& bad : BadFiles()) {
        TestApp t;
        const auto good = t.write("good.log", FileText("logscan/water_opt_freq.log"));
        ASSERT_TRUE(Open(t, good));
        const int ndone = t.app.log.ndone, reportRows = t.app.form3.StringGrid1.RowCount();
        const std::string firstEnergy = t.app.form1.StringGrid1.Cell(1, 1), status = t.app.form1.Status.Text();

        EXPECT_FALSE(Open(t, t.write(bad.name, bad.content))) << bad.name;
        ASSERT_FALSE(t.platform.messages.empty());
        EXPECT_TRUE(t.platform.messages.back().error) << bad.name;
        EXPECT_NE(t.platform.messages.back().text.find(bad.says), std::string::npos)
            << bad.name << ": " << t.platform.messages.back().text;
        EXPECT_EQ(t.app.log.FileDum, good) << bad.name;
        EXPECT_EQ(t.app.log.ndone, ndone) << bad.name;
        EXPECT_EQ(t.app.form3.StringGrid1.RowCount(), reportRows) << bad.name;
        EXPECT_EQ(t.app.form1.StringGrid1.Cell(1, 1), firstEnergy) << bad.name;
        EXPECT_EQ(t.app.form1.Status.Text(), status) << bad.name;
    }
}

TEST(BadOpen, EveryScanningCommandFailsWithTheSameMessage) {
    TempDir d;
    for (const auto& bad : BadFiles()) {
        const auto path = (d / bad.name).string();
        WriteFile(path, bad.content);
        for (std::vector<std::string> args : {std::vector<std::string>{"index"}, {"scf"}, {"report"}, {"mo"},
                                              {"spectrum"}, {"esi"}, {"coefficients", "--mo-ao"}}) {
            args.insert(args.begin() + 1, path);
            const auto out = (d / "out.txt").string();
            if (args[0] != "mo") args.insert(args.end(), {"-o", out});
            std::string o, e;
            EXPECT_EQ(RunCli(args, o, e), 1) << args[0] << " " << bad.name;
            EXPECT_NE(e.find(bad.says), std::string::npos) << args[0] << " " << bad.name << ": " << e;
            EXPECT_FALSE(std::filesystem::exists(out)) << args[0] << " " << bad.name;
        }
    }
}

// A missing input: status 1 and the reading gate's words from every command (none says
// "File does not exist" with status 2 any more); --quiet before or after the command
// hides nothing of it.
TEST(CommandLine, MissingInputAndQuietFailures) {
    TempDir d;
    const auto missing = (d / "missing.log").string();
    const std::vector<std::vector<std::string>> commands = {
        {"index"}, {"scf"}, {"report"}, {"geometry"}, {"geometry", "--xyz"}, {"zmatrix", "--free"},
        {"convert-zmatrix"}, {"coords", "--pdb"}, {"coords", "--ent"}, {"coords", "--xyz"}, {"scan"},
        {"profile", "-o", (d / "p.png").string()}, {"spectrum"}, {"esi"}, {"mo"}, {"coefficients", "--mo-ao"},
        {"pdos", "--set", "1"}};
    const std::string says = "error: Cannot open file \"" + missing + "\". No such file or directory";
    for (const auto& command : commands) {
        for (int quiet = 0; quiet < 3; ++quiet) {  // none, before the command, after it
            auto args = command;
            args.insert(args.begin() + 1, missing);
            if (quiet == 1) args.insert(args.begin(), "--quiet");
            if (quiet == 2) args.push_back("--quiet");
            std::string o, e;
            EXPECT_EQ(RunCli(args, o, e), 1) << command[0] << " quiet " << quiet;
            EXPECT_NE(e.find(says), std::string::npos) << command[0] << " quiet " << quiet << ": " << e;
        }
    }
    // A handler that refuses its input with a message (not an error) still tells why.
    const auto shortLog = (d / "short.log").string();
    WriteFile(shortLog, " Entering Gaussian System, Link 0=g16\n Normal termination of Gaussian 16\n");
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--quiet", "scf", shortLog},
                                                 {"scf", shortLog, "--quiet"}}) {
        std::string o, e;
        EXPECT_EQ(RunCli(args, o, e), 1);
        EXPECT_EQ(e, "error: This LOG file seems too short to make analysis! Please check the content directly by "
                     "your self!!!\n");
    }
}

// A log that ends without Gaussian's termination line gives what was read, says the job
// did not finish, and in batch that is a warning with status 0, also when quiet: cut
// anywhere, or inside an energy line the indexing scan reads (the bad value is the cut).
TEST(TruncatedLog, ReadWithAWarningEverywhere) {
    TestApp t;
    const std::string h2co = FileText("summary/h2co_opt_freq.log");
    const std::string water = FileText("logscan/water_opt_freq.log");
    size_t energy = 0;
    for (int k = 0; k < 3; ++k) energy = water.find("SCF Done:  E(RB3LYP) =", energy + 1);
    const struct {
        std::string path, warning;
    } cuts[] = {
        {t.write("cut.log", h2co.substr(0, h2co.size() * 9 / 10)), "The job did not finish"},
        {t.write("cut_energy.log", water.substr(0, energy + 23)), "The log breaks off inside line 210: "},
    };
    for (const auto& cut : cuts) {
        TestApp u;
        ASSERT_TRUE(Open(u, cut.path)) << cut.path;
        EXPECT_GT(u.app.log.ndone, 0);
        EXPECT_EQ(u.app.form1.Status.Panels()[2], "unfinished: no termination line");
        bool warned = false;
        for (const auto& m : u.platform.messages) warned |= m.warning && m.text.starts_with(cut.warning);
        EXPECT_TRUE(warned) << cut.path;
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"index", cut.path}, {"scf", cut.path},
              {"--quiet", "report", cut.path, "-o", (t.dir / "r.txt").string()}, {"mo", cut.path}}) {
            std::string o, e;
            EXPECT_EQ(RunCli(args, o, e), 0) << args[0] << ": " << e;
            EXPECT_NE(e.find("warning: " + cut.warning), std::string::npos) << args[0] << ": " << e;
            EXPECT_EQ(e.find("error:"), std::string::npos) << args[0] << ": " << e;
        }
    }
}

TEST(TruncatedLog, HowTheJobEnded) {
    TempDir d;
    const std::string good = FileText("logscan/water_opt_freq.log");
    const struct {
        const char* name;
        std::string text;
        core::JobEnd end;
    } cases[] = {
        {"normal", good, core::JobEnd::Normal},
        {"trailing blank lines", good + "\n\n", core::JobEnd::Normal},
        {"cut", good.substr(0, good.size() / 2), core::JobEnd::Unfinished},
        {"second step cut", good + " Link1:  Proceeding to internal job step number  2.\n", core::JobEnd::Unfinished},
        {"error", good.substr(0, good.size() / 2) + " Error termination via Lnk1e in /g16/l502.exe\n"
                  " Job cpu time:       0 days  0 hours  0 minutes  1.0 seconds.\n", core::JobEnd::Error},
    };
    for (const auto& c : cases) {
        WriteFile(d / "x.log", c.text);
        EXPECT_EQ(mavrolin::logscan::ReadJobEnd(d / "x.log"), c.end) << c.name;
    }
}

// No output replaces a file being read, however it is named: status 1, the file intact.
TEST(CommandLine, NoOutputReplacesAFileBeingRead) {
    TestApp t;
    const std::string original = ReadFile(TestApp::data("logscan/water_opt_freq.log"));
    const std::string log = t.write("in.log", original), link = (t.dir / "link.log").string();
    std::filesystem::create_symlink(log, link);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"report", log, "-o", log}, {"scf", log, "-o", link}, {"mo", log, "--table", log}}) {
        std::string o, e;
        EXPECT_EQ(RunCli(args, o, e), 1) << args[0] << ": " << e;
        EXPECT_EQ(ReadFile(log), original) << args[0];
    }
    t.platform.AnswerOpen(log);
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); }));
    t.platform.AnswerSave(log);
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.form4.SaveReport1Click(); }));
    EXPECT_EQ(ReadFile(log), original);
}
