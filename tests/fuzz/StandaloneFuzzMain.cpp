// Runs a fuzz target over the files given, and the files of the folders given, as the
// regression test of its corpus. Built in place of libFuzzer's driver where libFuzzer is not
// linked (the gcc builds), so the corpus and every past finding run with every `make test`.
// With --digest it prints each input's name and the digest of what it made the program show,
// to compare the runs of two builds.
#include "fuzz/Digest.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool printDigests = false;

void runFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                    std::istreambuf_iterator<char>()};
    kalpeno::fuzz::inputDigest().reset();
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    if (printDigests) {
        const std::u8string name = path.filename().u8string();
        std::printf("%.*s %s\n", static_cast<int>(name.size()),
                    reinterpret_cast<const char*>(name.data()),
                    kalpeno::fuzz::hex(kalpeno::fuzz::inputDigest().value()).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    std::size_t inputs = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--digest") {
            printDigests = true;
            continue;
        }
        const std::filesystem::path argument(argv[i]);
        if (std::filesystem::is_directory(argument)) {
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(argument)) {
                if (entry.is_regular_file()) {
                    files.push_back(entry.path());
                }
            }
            std::sort(files.begin(), files.end());
            for (const auto& file : files) {
                runFile(file);
                ++inputs;
            }
        } else if (std::filesystem::is_regular_file(argument)) {
            runFile(argument);
            ++inputs;
        } else {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            return 2;
        }
    }
    std::printf("%zu inputs ran\n", inputs);
    return inputs > 0 ? 0 : 1;
}
