// Kills zolt's save at random moments and checks what the next opening
// sees. Each run: a child process opens the project in the headless
// designer, changes every form and the project file to the next generation
// and saves; the harness kills it at a random moment of the save
// (SIGKILL), opens the project as the designer does, and reads every file
// back. The whole old or the whole new generation must be there, and no
// temporary file of the save.
//   save_crash_harness [RUNS] [FORMS]     (defaults: 1000 runs, 20 forms)
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <cstdio>
#include <random>
#include <thread>

#include "../tests/unit/site_support.h"
#include "app/CommandTable.h"
#include "app/HeadlessDesigner.h"
#include "app/Routines.h"
#include "host/CommandBus.h"
#include "storage/FileTransaction.h"
#include "storage/ProjectFile.h"
#include "storage/ProjectLock.h"
#include "storage/ProjectRoutines.h"
#include "storage/TextFile.h"

using namespace zolt;
using namespace zolt::testing;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const char* kKinds[] = {"L", "T", "B", "CK", "O", "CB", "LB", "IM", "TBL", "TXTA", "FRA", "TAB", "CAL", "LNK", "UL"};

fs::path writeProject(const fs::path& folder, int forms) {
    fs::create_directories(folder);
    std::string list;
    for (int f = 1; f <= forms; ++f) {
        std::string controls;
        for (int i = 0; i < 40; ++i) controls += control(kKinds[i % 15]);
        const std::string name = "Form" + std::to_string(f);
        writeTextFile(folder / (name + ".rwf"), "V1.01\r\n#" + formWith(controls, name, f) + "#");
        list += "#" + name + "/True#\r\n";
    }
    writeTextFile(folder / "Crash.rwp", versionLine() + "\r\n" + noticeLine() +
                                            "\r\n«Project»\r\n!PageTitle=gen0!\r\n«Forms»\r\n" + list);
    return folder / "Crash.rwp";
}

// The headless designer with the project open, as a designer process has it.
struct Designer {
    DomPage page;
    Host host;
    explicit Designer(const fs::path& file) {
        host.page = &page;
        host.appFolder = appFolder();
        host.StartScreenShown = true;
        loadHeadlessDesigner(page, [this](const std::string& text) { runCommand(host, text); });
        page.answerOtherBoxesWith(MsgResult::OK);
        if (!OpenProjectFile(host, file, file.filename().string())) {
            std::fprintf(stderr, "the project does not open\n");
            std::_Exit(2);
        }
    }
    void nextGeneration(int generation, int forms) {
        const std::string g = "gen" + std::to_string(generation);
        page.setAttribute(page.body(), "userTitle", g);
        for (int f = 1; f <= forms; ++f) page.setAttribute(page.getElementById("Form" + std::to_string(f)), "Caption", g);
    }
};

// The generation a file holds (the number after its marker), -1 for none.
int generationIn(const fs::path& file, const char* marker) {
    const std::string text = readTextFile(file);
    const size_t at = text.find(marker);
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + std::strlen(marker));
}

// The generation every file of the project holds, or -1 when they differ.
int generationOnDisk(const fs::path& folder, int forms) {
    const int project = generationIn(folder / "Crash.rwp", "!PageTitle=gen");
    for (int f = 1; f <= forms; ++f) {
        if (generationIn(folder / ("Form" + std::to_string(f) + ".rwf"), "caption=\"gen") != project) return -1;
    }
    return project;
}

int transactionFilesIn(const fs::path& folder) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder)) n += isTransactionFile(e.path().filename().string());
    return n;
}

double saveMilliseconds(const fs::path& file, int forms) {
    Designer d(file);
    d.nextGeneration(0, forms);
    auto t0 = Clock::now();
    SaveExistingProject(d.host, false);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    releaseProjectLock(d.host.lockedFolder);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int forms = argc > 2 ? std::atoi(argv[2]) : 20;
    const fs::path folder = fs::temp_directory_path() / ("zolt-crash-" + std::to_string(::getpid())) / "Crash";
    const fs::path file = writeProject(folder, forms);
    const double saveMs = saveMilliseconds(file, forms);  // also brings every file to generation 0
    std::printf("project of %d forms x 40 controls; one save takes %.1f ms here\n", forms, saveMs);

    std::mt19937 random(std::random_device{}());
    int generation = 0, old = 0, fresh = 0, completed = 0, mixed = 0, leftovers = 0, notKilled = 0;
    for (int run = 0; run < runs; ++run) {
        int ready[2];
        if (::pipe(ready) != 0) return 2;
        pid_t child = ::fork();
        if (child == 0) {
            Designer d(file);
            d.nextGeneration(generation + 1, forms);
            char c = 's';
            (void)!::write(ready[1], &c, 1);
            SaveExistingProject(d.host, false);
            std::_Exit(0);
        }
        ::close(ready[1]);
        char c;
        (void)!::read(ready[0], &c, 1);
        ::close(ready[0]);
        // A moment in the save, or a little after it.
        std::uniform_real_distribution<double> moment(0, saveMs * 1.2);
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(moment(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFSIGNALED(status)) ++notKilled;

        const bool journal = fs::exists(folder / ".zolt-save.journal");
        {
            Designer opened(file);  // completes or forgets the interrupted save
            releaseProjectLock(opened.host.lockedFolder);
        }
        leftovers += transactionFilesIn(folder) > 0;
        const int seen = generationOnDisk(folder, forms);
        if (seen == generation) {
            ++old;
        } else if (seen == generation + 1) {
            ++fresh;
            completed += journal;
            generation = seen;
        } else {
            ++mixed;
            std::printf("run %d: a mix of generations\n", run);
        }
    }
    fs::remove_all(folder.parent_path());
    std::printf("%d runs: whole old project %d, whole new project %d (%d of them completed at the opening), "
                "mixed %d; opens that left a temporary file %d; saves that ended before the kill %d\n",
                runs, old, fresh, completed, mixed, leftovers, notKilled);
    return mixed || leftovers ? 1 : 0;
}
