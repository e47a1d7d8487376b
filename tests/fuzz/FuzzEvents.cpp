// Any bytes as a sequence of user events on a fresh program: clicks, keys of any code, caret
// moves, focus, menu commands of every window, closes and resizes. The rules of InvariantChecker
// must hold after every event, and no exception may escape.
#include "fuzz/Digest.h"
#include "fuzz/EventDriver.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalpeno::fuzz;
    // A folder without Help.txt: the help window then shows its message and stays empty.
    EventDriver driver(u"/nonexistent/kalpeno-fuzz");
    ByteReader input(std::span(data, size));
    driver.run(input);
    if (driver.failure()) {
        broken(*driver.failure());
    }
    inputDigest().add(driver.digest());
    return 0;
}
