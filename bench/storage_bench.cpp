// Opening and saving a large project headlessly: 50 forms of 40 controls
// each (every kind of control, the designer's own markup), opened into the
// headless designer page as the designer opens a project, then saved.
//   open  LoadProject's work: read the project file, import every form file
//   save  SaveExistingProject: the project file and every form file
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "../tests/unit/site_support.h"
#include "app/CommandTable.h"
#include "app/HeadlessDesigner.h"
#include "app/Routines.h"
#include "host/CommandBus.h"
#include "storage/ProjectFile.h"
#include "storage/ProjectRoutines.h"
#include "storage/TextFile.h"

using namespace zolt;
using namespace zolt::testing;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

constexpr int kForms = 50;
constexpr int kControls = 40;
const char* kKinds[] = {"L", "T", "B", "CK", "O", "CB", "LB", "IM", "TBL", "TXTA", "FRA", "TAB", "CAL", "LNK", "UL"};

double msSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Writes the project: its file and one form file per form.
fs::path writeProject(const fs::path& folder) {
    fs::create_directories(folder);
    std::string list;
    for (int f = 1; f <= kForms; ++f) {
        std::string controls;
        for (int i = 0; i < kControls; ++i) controls += control(kKinds[i % 15]);
        const std::string name = "Form" + std::to_string(f);
        writeTextFile(folder / (name + ".rwf"), "V1.01\r\n#" + formWith(controls, name, f) + "#");
        list += "#" + name + "/True#\r\n";
    }
    writeTextFile(folder / "Big.rwp", versionLine() + "\r\n" + noticeLine() + "\r\n«Project»\r\n!ProjectStartForm=Form1!\r\n«Forms»\r\n" + list);
    return folder / "Big.rwp";
}

}  // namespace

int main(int argc, char** argv) {
    // "--write FOLDER": only write the project (for the benchmark in the browser).
    if (argc == 3 && std::string(argv[1]) == "--write") {
        std::printf("%s\n", writeProject(fs::path(argv[2]) / "Big").string().c_str());
        return 0;
    }
    const fs::path folder = fs::temp_directory_path() / ("zolt-storage-bench-" + std::to_string(::getpid())) / "Big";
    const fs::path file = writeProject(folder);
    std::vector<double> open, save;
    size_t bytes = 0;
    for (int run = 0; run < 11; ++run) {
        DomPage page;
        Host host;
        host.page = &page;
        host.appFolder = appFolder();
        host.StartScreenShown = true;
        loadHeadlessDesigner(page, [&host](const std::string& text) { runCommand(host, text); });
        page.answerOtherBoxesWith(MsgResult::OK);

        auto t0 = Clock::now();
        OpenProjectFile(host, file, "Big.rwp");
        open.push_back(msSince(t0));

        auto t1 = Clock::now();
        SaveExistingProject(host, false);
        save.push_back(msSince(t1));
        if (page.shownBoxes().empty() || page.shownBoxes().back().text != "Big.rwp Saved.") {
            std::fprintf(stderr, "the save did not succeed\n");
            return 1;
        }
        bytes = 0;
        for (const auto& e : fs::directory_iterator(folder)) bytes += fs::file_size(e.path());
    }
    fs::remove_all(folder.parent_path());
    std::printf("project of %d forms x %d controls, %zu KB on disk\n", kForms, kControls, bytes / 1024);
    std::printf("open  median %.1f ms  best %.1f ms\n", median(open), *std::min_element(open.begin(), open.end()));
    std::printf("save  median %.1f ms  best %.1f ms\n", median(save), *std::min_element(save.begin(), save.end()));
    std::printf("open+save median %.1f ms\n", median(open) + median(save));
    return 0;
}
