// kalpeno-scenario [--gui] [--app-dir DIR] FILE...
// Runs each scenario file against a fresh program, headless or on the real widgets, and closes
// with "N passed, N failed". Exit status: 0 all checks passed, 1 a check failed, 2 a file could
// not be run.
#include "scenario/CommandLine.h"
#include "scenario/HeadlessSession.h"
#include "scenario/Runner.h"
#include "scenario/ScratchFolder.h"

#if defined(KALPENO_HAVE_QT)
#include "gui/QtSession.h"
#include <QApplication>
#elif defined(KALPENO_HAVE_WIN32)
#include "win32/Win32Session.h"
#include <objbase.h>
#include <windows.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

int usage() {
    std::cerr << "usage: kalpeno-scenario [--gui] [--app-dir DIR] FILE...\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    bool gui = false;
    std::optional<std::filesystem::path> appDir;
    std::vector<std::string> files;
    const std::vector<std::string> args = kalpeno::scenario::commandLine(argc, argv);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--gui") {
            gui = true;
        } else if (arg == "--app-dir" && i + 1 < args.size()) {
            appDir = std::filesystem::absolute(kalpeno::scenario::pathFromUtf8(args[++i]));
        } else if (arg.starts_with("--")) {
            return usage();
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) {
        return usage();
    }
    kalpeno::scenario::SessionFactory factory = [](const std::u16string& dir) {
        return std::make_unique<kalpeno::scenario::HeadlessSession>(dir);
    };
#if defined(KALPENO_HAVE_QT)
    std::unique_ptr<QApplication> qtApp;
    if (gui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        qtApp = std::make_unique<QApplication>(argc, argv);
        factory = [](const std::u16string& dir) { return kalpeno::qt::makeQtSession(dir); };
    }
#elif defined(KALPENO_HAVE_WIN32)
    if (gui) {
        SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        factory = [](const std::u16string& dir) { return kalpeno::win32::makeWin32Session(dir); };
    }
#else
    if (gui) {
        std::cerr << "kalpeno-scenario: this build has no window layer for --gui\n";
        return 2;
    }
#endif
    kalpeno::scenario::Runner runner(factory, std::cout);
    int passed = 0;
    int failed = 0;
    bool error = false;
    for (const std::string& file : files) {
        std::optional<kalpeno::scenario::ScratchFolder> scratch;
        if (!appDir) {
            try {
                scratch.emplace();
            } catch (const std::filesystem::filesystem_error& e) {
                // Never the current folder instead: the scenario's files would land there.
                std::cerr << "kalpeno-scenario: " << e.what() << "\n";
                return 2;
            }
        }
        const kalpeno::scenario::RunResult result =
            runner.runFile(file, appDir ? *appDir : scratch->path());
        passed += result.passed;
        failed += result.failed;
        error = error || result.error;
    }
    std::cout << passed << " passed, " << failed << " failed" << std::endl;
    return error ? 2 : failed > 0 ? 1 : 0;
}
