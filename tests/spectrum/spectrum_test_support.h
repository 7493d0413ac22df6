#pragma once
// Shared steps of the spectrum tests: scan a TD-DFT fixture as a user would.
#include <string>

#include "app/application.h"
#include "support/test_app.h"

namespace spectrum_test {

inline std::string Fixture(const std::string& name) { return testing_support::TestApp::data("spectrum/" + name); }

// "Open Log/Out File (Opt,Freq)" on a fixture of tests/data/spectrum.
inline bool Scan(testing_support::TestApp& t, const std::string& name) {
    t.platform.AnswerOpen(Fixture(name));
    return t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); });
}

inline bool HasMessage(const testing_support::TestApp& t, const std::string& part) {
    for (const auto& m : t.platform.MessageTexts())
        if (m.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace spectrum_test
