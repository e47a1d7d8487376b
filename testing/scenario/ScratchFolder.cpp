#include "scenario/ScratchFolder.h"

#include <cerrno>
#include <stdlib.h> // mkdtemp
#include <string>
#include <system_error>

namespace kalpeno::scenario {

ScratchFolder::ScratchFolder(std::string_view prefix) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::filesystem::filesystem_error("no scratch folder", pattern,
                                                std::error_code(errno, std::generic_category()));
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace kalpeno::scenario
