#include "scenario/ScratchFolder.h"

#include <random>
#include <string>
#include <system_error>

namespace kalpeno::scenario {

// A name of its own: create_directory makes the folder only if nothing of that name is there.
ScratchFolder::ScratchFolder(std::string_view prefix) {
    const std::filesystem::path temporary = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 random(seed());
    constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name(prefix);
        name += '-';
        for (int i = 0; i < 8; ++i) {
            name += letters[random() % (sizeof letters - 1)];
        }
        const std::filesystem::path candidate = temporary / name;
        if (std::filesystem::create_directory(candidate, error)) {
            path_ = candidate;
            // For this user alone, as mkdtemp makes it: the machine's other users share /tmp.
            std::filesystem::permissions(path_, std::filesystem::perms::owner_all, error);
            return;
        }
        if (error) {
            break;
        }
    }
    throw std::filesystem::filesystem_error("no scratch folder", temporary,
                                            error ? error
                                                  : std::make_error_code(std::errc::file_exists));
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace kalpeno::scenario
