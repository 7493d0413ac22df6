#pragma once
// Shared steps of the log scan tests: open a fixture through the menu handler, edit a
// fixture's lines into a variant, read grids back.
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/application.h"
#include "support/test_app.h"

namespace scan_test {

inline std::string Fixture(const std::string& name) { return testing_support::TestApp::data("logscan/" + name); }

inline std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
    }
    return lines;
}

inline std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) text += l + "\n";
    return text;
}

// A fixture with its lines edited, written into the test's folder.
inline std::string Variant(const testing_support::TestApp& t, const std::string& fixture, const std::string& name,
                           const std::function<void(std::vector<std::string>&)>& edit) {
    auto lines = Lines(Fixture(fixture));
    edit(lines);
    return t.write(name, Join(lines));
}

// Index (0-based) of the n-th line starting with `start` after trimming leading blanks.
inline size_t Find(const std::vector<std::string>& lines, const std::string& start, int n = 1) {
    for (size_t i = 0; i < lines.size(); ++i) {
        auto p = lines[i].find_first_not_of(' ');
        if (p != std::string::npos && lines[i].compare(p, start.size(), start) == 0 && --n == 0) return i;
    }
    throw std::runtime_error("no line starting with " + start);
}

// Runs "Open Log/Out File (Opt,Freq)" on `path` as a user would. False when it failed.
inline bool Open(testing_support::TestApp& t, const std::string& path) {
    t.platform.AnswerOpen(path);
    return t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); });
}

struct Row {
    std::string remark, line, keyword, contents, message;
};

inline std::vector<Row> ReportRows(const mavrolin::Application& app) {
    std::vector<Row> rows;
    const auto& g = app.form3.StringGrid1;
    for (int r = 1; r < g.RowCount(); ++r)
        rows.push_back({g.Cell(0, r), g.Cell(1, r), g.Cell(2, r), g.Cell(3, r), g.Cell(4, r)});
    return rows;
}

inline std::vector<Row> RowsWithKeyword(const mavrolin::Application& app, const std::string& prefix) {
    std::vector<Row> out;
    for (auto& r : ReportRows(app))
        if (r.keyword.starts_with(prefix)) out.push_back(r);
    return out;
}

// 1-based line numbers of the lines starting (after blanks) with `start`.
inline std::vector<int> LineNumbers(const std::string& path, const std::string& start) {
    std::vector<int> out;
    auto lines = Lines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        auto p = lines[i].find_first_not_of(' ');
        if (p != std::string::npos && lines[i].compare(p, start.size(), start) == 0)
            out.push_back(static_cast<int>(i + 1));
    }
    return out;
}

}  // namespace scan_test
