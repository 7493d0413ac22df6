// Trajectories: every orientation block of a log as one frame of a multi-frame XYZ file,
// from the command line and from the profile window, read back by the XYZ reader and,
// when it is installed, by Open Babel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/errors.h"
#include "geometry/trajectory.h"
#include "geometry/xyz_file.h"
#include "support/obabel.h"
#include "support/test_app.h"

using namespace testing_support;

namespace {

// Splits a multi-frame XYZ file into single-frame files and reads each back.
std::vector<mavrolin::geometry::XyzMolecule> ReadFrames(const std::filesystem::path& file, const TempDir& d) {
    std::istringstream in(ReadFile(file));
    std::vector<mavrolin::geometry::XyzMolecule> frames;
    std::string count;
    while (std::getline(in, count)) {
        std::string text = count + "\n", line;
        for (int k = 0; k <= std::stoi(count) && std::getline(in, line); ++k) text += line + "\n";
        const auto one = d / ("frame" + std::to_string(frames.size()) + ".xyz");
        WriteFile(one, text);
        frames.push_back(mavrolin::geometry::ReadXyz(one));
    }
    return frames;
}

std::string Block(const std::string& title, double x) {
    const std::string rule = " -----------------------------------------------------------\n";
    char atoms[200];
    std::snprintf(atoms, sizeof atoms, "  1  8  0  0.000000  0.000000  0.000000\n  2  1  0  %.6f  0.000000  0.620051\n", x);
    return "   " + title + "\n" + rule + " Center  Atomic  Atomic  Coordinates (Angstroms)\n Number  Number  Type  X  Y  Z\n" +
           rule + atoms + rule;
}

}  // namespace

TEST(Trajectory, OptimisationStepsFromCommandLineAndProfileWindow) {
    TempDir d;
    const auto log = d / "water_opt.log";
    std::filesystem::copy_file(TestApp::data("profile/water_opt.log"), log);
    std::string out, err;
    ASSERT_EQ(RunCli({"geometry", log.string(), "--trajectory", (d / "traj.xyz").string()}, out, err), 0) << err;
    EXPECT_FALSE(std::filesystem::exists(d / "water_opt.abc"));  // only the trajectory without -o

    // Standard orientations only (the input ones are skipped): six blocks, the energies
    // that follow them in order, the last block (the frequency job's) without one.
    const auto frames = ReadFrames(d / "traj.xyz", d);
    ASSERT_EQ(frames.size(), 6u);
    EXPECT_EQ(frames[0].comment, "step 1  SCF energy -76.380123400 hartree");
    EXPECT_EQ(frames[4].comment, "step 5  SCF energy -76.408496600 hartree");
    EXPECT_EQ(frames[5].comment, "step 6");
    // The last frame is the final orientation the geometry command writes, in the same layout.
    ASSERT_EQ(RunCli({"geometry", log.string(), "--xyz", "-o", (d / "final.xyz").string()}, out, err), 0) << err;
    const std::string final = ReadFile(d / "final.xyz"), traj = ReadFile(d / "traj.xyz");
    EXPECT_EQ(traj.substr(traj.rfind("step 6\r\n") + 8), final.substr(final.find("\r\n", 3) + 2));
    // Open Babel, when installed, reads as many frames with the coordinates to the five
    // decimals its own writer prints.
    if (HaveObabel()) {
        ASSERT_TRUE(ObabelToXyz("xyz", d / "traj.xyz", d / "back.xyz"));
        const auto back = ReadFrames(d / "back.xyz", d);
        ASSERT_EQ(back.size(), frames.size());
        for (size_t f = 0; f < frames.size(); ++f)
            for (size_t i = 0; i < frames[f].atoms.size(); ++i) {
                const auto &a = frames[f].atoms[i], &b = back[f].atoms.at(i);
                EXPECT_EQ(b.atomicNumber, a.atomicNumber);
                EXPECT_LE(std::max({std::fabs(b.x - a.x), std::fabs(b.y - a.y), std::fabs(b.z - a.z)}), 5.01e-6);
            }
    }

    // The profile window's menu item writes the same file, proposing LOG stem + _trajectory.xyz.
    TestApp t;
    t.platform.AnswerOpen(log.string());
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.OpenLOG1.Click(); }));
    t.platform.AnswerSave((t.dir / "menu.xyz").string());
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form2.SaveTrajectory1.Click(); }));
    EXPECT_EQ(t.platform.saveRequests.back().fileName, (d / "water_opt_trajectory.xyz").string());
    EXPECT_EQ(ReadFile(t.dir / "menu.xyz"), ReadFile(d / "traj.xyz"));
}

TEST(Trajectory, InputOrientationsScanPointsAndACutLastBlock) {
    TempDir d;
    // Without standard orientations the input ones are the frames.
    const auto nosym = mavrolin::geometry::ReadTrajectory(TestApp::data("profile/ammonia_nosym_opt.log"));
    EXPECT_FALSE(nosym.standard);
    ASSERT_EQ(nosym.frames.size(), 5u);
    EXPECT_EQ(nosym.frames[0].energy, "-56.530000000");

    // A relaxed scan: each frame names its scan point; a block the file ends inside is left
    // out and reported, and the complete frames are still written.
    std::string text;
    for (int p = 1; p <= 2; ++p)
        text += Block("Input orientation:", 0.7 + 0.1 * p) + Block("Standard orientation:", 0.75 + 0.1 * p) +
                " SCF Done:  E(RB3LYP) =  -76.40" + std::to_string(p) + "     A.U. after    9 cycles\n" +
                " Step number   1 out of a maximum of  20 on scan point     " + std::to_string(p) + " out of     3\n";
    const std::string whole = text + Block("Standard orientation:", 1.0);
    WriteFile(d / "scan.log", whole.substr(0, whole.size() - 85));  // inside the last atom line
    const auto scan = mavrolin::geometry::ReadTrajectory(d / "scan.log");
    EXPECT_TRUE(scan.standard);
    ASSERT_EQ(scan.frames.size(), 2u);
    EXPECT_GT(scan.cutOffHeader, 0);
    EXPECT_EQ(mavrolin::geometry::FrameComment(scan.frames[1], 1), "step 2  scan point 2  SCF energy -76.402 hartree");
    EXPECT_DOUBLE_EQ(scan.frames[1].atoms[1].a, 0.95);

    std::string out, err;
    EXPECT_EQ(RunCli({"geometry", (d / "scan.log").string(), "--trajectory", (d / "scan.xyz").string()}, out, err), 0);
    EXPECT_EQ(ReadFrames(d / "scan.xyz", d).size(), 2u);

    // A damaged atom line stops the read, and no file is left.
    std::string bad = Block("Standard orientation:", 0.8);
    bad.replace(bad.find("0.800000"), 8, "0.8x0000");
    WriteFile(d / "bad.log", Block("Standard orientation:", 0.7) + bad);
    EXPECT_THROW(mavrolin::geometry::ReadTrajectory(d / "bad.log"), core::ConversionError);
    EXPECT_EQ(RunCli({"geometry", (d / "bad.log").string(), "--trajectory", (d / "bad.xyz").string()}, out, err), 1);
    EXPECT_FALSE(std::filesystem::exists(d / "bad.xyz"));
}
