#pragma once

#include <filesystem>
#include <string_view>

namespace kalpeno::scenario {

// A new, empty folder of its own under the system's temporary folder (a program folder for a
// test or a scenario), removed with all it holds when it goes. When no folder can be made the
// constructor throws std::filesystem::filesystem_error: a test must never fall back on some
// other folder, such as the current one, and write there.
class ScratchFolder {
public:
    explicit ScratchFolder(std::string_view prefix = "kalpeno");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace kalpeno::scenario
