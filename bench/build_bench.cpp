// Build speed on a large project: 50 forms of 40 controls each, every kind of
// control among them (the designer's own markup), built headlessly into a
// project folder in the temporary folder.
//   build    WriteProjectPage in build mode: markup, script, files and copies
//   preview  the same in preview mode (two files, no copies)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../tests/unit/site_support.h"
#include "site/PageWriter.h"

using namespace zolt;
using namespace zolt::testing;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kForms = 50;
constexpr int kControls = 40;

// The control types in turn, each renamed to number k by its ID prefixes.
const std::vector<std::pair<std::string, std::vector<std::string>>> kKinds = {
    {"L", {"lbl"}}, {"T", {"txt"}}, {"B", {"btn"}}, {"CK", {"chk"}}, {"O", {"opt"}}, {"CB", {"cbo"}},
    {"LB", {"lst"}}, {"IM", {"img"}}, {"TBL", {"Table"}}, {"TXTA", {"txtA"}}, {"FRA", {"fra", "Frame"}},
    {"TAB", {"tab", "Tab1"}}, {"CAL", {"Cal"}}, {"LNK", {"lnk"}}, {"UL", {"uol"}},
};

std::string controlNumbered(int i, int k) {
    const auto& [code, prefixes] = kKinds[i % kKinds.size()];
    std::string m = control(code);
    for (const std::string& p : prefixes) {
        if (p == "Tab1") continue;  // the tab cells keep their names
        m = replaceAll(m, p + "1", p + std::to_string(k));
    }
    return m;
}

std::string project() {
    std::string forms;
    std::vector<std::string> names;
    for (int f = 1; f <= kForms; ++f) {
        std::string controls;
        for (int i = 0; i < kControls; ++i) controls += controlNumbered(i, 100 + i);
        names.push_back("Form" + std::to_string(f));
        forms += formWith(controls, names.back(), f);
    }
    return designerDocument(forms, names);
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    ProjectFolder folder("bench");
    DomPage page(project());
    prepare(page);
    BuildRequest request;
    request.ProjectFilePath = folder.projectFile();
    request.ProjectFileName = "Shop.rwp";
    request.appFolder = appFolder();
    request.previewAddress = [](const std::filesystem::path& p) { return p.string(); };

    for (int mode : {1, 0}) {
        request.mode = mode;
        std::vector<double> times;
        std::size_t bytes = 0;
        for (int run = 0; run < 11; ++run) {
            auto start = Clock::now();
            BuildOutcome out = WriteProjectPage(page, request);
            times.push_back(msSince(start));
            bytes = std::filesystem::file_size(out.pagePath) + std::filesystem::file_size(out.scriptPath);
        }
        std::printf("%-8s %d forms x %d controls: median %.1f ms, best %.1f ms (%zu bytes written)\n",
                    mode == 1 ? "build" : "preview", kForms, kControls, median(times),
                    *std::min_element(times.begin(), times.end()), bytes);
    }
    return 0;
}
