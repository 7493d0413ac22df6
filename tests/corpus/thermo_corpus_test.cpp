// Every corpus log with a thermochemistry block, recomputed from its own data at its own
// temperature and pressure without corrections, gives Gaussian's printed sums.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_app.h"
#include "thermo/thermo_calc.h"

namespace {

TEST(ThermoCorpus, RecomputedSumsMatchGaussianOnEveryFrequencyLog) {
    const auto dir = testing_support::CorpusDir();
    if (dir.empty()) GTEST_SKIP() << "no corpus";
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".log" && ext != ".out")) continue;
        const auto log = mavrolin::thermo::ReadThermoLog(entry.path());
        if (!log.hasThermo) continue;
        SCOPED_TRACE(entry.path().string());
        mavrolin::thermo::Options o;
        o.temperature = log.temperature;
        o.pressure = log.pressure;
        const auto t = mavrolin::thermo::Compute(log, o);
        EXPECT_NEAR(t.zpe, log.zpe, 2e-6);
        EXPECT_NEAR(t.h, log.sumEnthalpy, 2e-6);
        EXPECT_NEAR(t.g, log.sumFreeEnergy, 2e-6);
        EXPECT_EQ(t.qhG, t.g);
        ++checked;
    }
    EXPECT_GE(checked, 4);
}

}  // namespace
