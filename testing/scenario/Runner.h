#pragma once

#include "scenario/ScenarioParser.h"
#include "scenario/Session.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>

namespace kalpeno::scenario {

using SessionFactory = std::function<std::unique_ptr<Session>(const std::u16string& appDir)>;

struct RunResult {
    int passed = 0;
    int failed = 0;
    bool error = false; // the file could not be run to its end
};

// Runs scenario files: each against a fresh session, with its own program folder. Failed checks
// and scenario errors are written to `out` as "FILE:LINE: ...".
class Runner {
public:
    Runner(SessionFactory factory, std::ostream& out) : factory_(std::move(factory)), out_(out) {}

    RunResult runFile(const std::string& file, const std::filesystem::path& appDir);

private:
    SessionFactory factory_;
    std::ostream& out_;
};

} // namespace kalpeno::scenario
