#include "scenario/Runner.h"

#include "scenario/CommandLine.h"
#include "scenario/ScenarioFile.h"
#include "scenario/Utf.h"

#include <fstream>
#include <sstream>

namespace kalpeno::scenario {

RunResult Runner::runFile(const std::string& file, const std::filesystem::path& appDir) {
    RunResult failedToRun;
    failedToRun.error = true;
    std::ifstream stream(pathFromUtf8(file), std::ios::binary);
    std::stringstream content;
    content << stream.rdbuf();
    if (!stream) {
        out_ << file << ":0: error: cannot read the file\n";
        return failedToRun;
    }
    std::vector<ScenarioLine> lines;
    try {
        lines = parseScenario(content.str());
    } catch (const SyntaxError& e) {
        out_ << file << ':' << e.line() << ": error: " << e.what() << '\n';
        return failedToRun;
    }
    std::unique_ptr<Session> session = factory_(appDir.u16string());
    ScenarioFile scenario(file, *session, appDir, out_);
    for (const ScenarioLine& line : lines) {
        try {
            scenario.run(line);
        } catch (const ScenarioError& e) {
            out_ << file << ':' << line.number << ": error: " << e.what() << '\n';
            scenario.result().error = true;
            break;
        }
    }
    RunResult& result = scenario.result();
    if (!result.error && result.passed + result.failed == 0) {
        out_ << file << ":0: error: the file checks nothing (no expect)\n";
        result.error = true;
    }
    return result;
}

} // namespace kalpeno::scenario
