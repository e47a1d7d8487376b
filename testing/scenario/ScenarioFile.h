#pragma once

#include "scenario/Runner.h"

#include <optional>
#include <string>
#include <vector>

namespace kalpeno::scenario {

// One scenario file being run: it resolves the names of its lines against the forms' designs,
// delivers the events to the session and compares what the checks read.
class ScenarioFile {
public:
    ScenarioFile(std::string file, Session& session, std::filesystem::path appDir,
                 std::ostream& out)
        : file_(std::move(file)), session_(session), appDir_(std::move(appDir)), out_(out) {}

    // Runs one line; throws ScenarioError (with the runner's own message) when it cannot.
    void run(const ScenarioLine& line);
    RunResult& result() { return result_; }

private:
    struct Target {
        ControlPath path;
        std::optional<std::u16string> property; // "Text", "Visible", ... or none
        bool formOnly = false;                  // FORM.Loaded, FORM.Visible
    };

    void event(const std::string& command, const ScenarioLine& line);
    void expect(const ScenarioLine& line);
    void expectControl(const Target& target, const ScenarioLine& line);
    bool expectStateField(const std::string& name, const ScenarioLine& line);
    void fileCommand(const std::string& command, const ScenarioLine& line);
    Target resolve(const std::string& name, bool allowProperty) const;
    std::u16string text(const Token& token) const;
    void check(const ScenarioLine& line, bool holds, const std::string& expected,
               const std::string& got);

    std::string file_;
    Session& session_;
    std::filesystem::path appDir_;
    std::ostream& out_;
    RunResult result_;
};

} // namespace kalpeno::scenario
