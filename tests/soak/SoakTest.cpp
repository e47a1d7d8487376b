// A million random user events on the headless program (fewer under AddressSanitizer, which
// makes every event several times slower), with the rules of the event fuzzer checked after
// each one, and the heap watched: what the program holds may grow only with what its boxes and
// tapes hold, and all of it is given back when the program ends. Leaks proper are
// LeakSanitizer's to find in the sanitizer build.
#include "forms/Cp932.h"
#include "fuzz/EventDriver.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
#define KALPENO_SOAK_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KALPENO_SOAK_UNDER_ASAN 1
#endif
#endif

#if !defined(KALPENO_SOAK_UNDER_ASAN) && defined(__GLIBC__)
#include <malloc.h>
#define KALPENO_SOAK_HEAP 1
#endif

namespace kalpeno::fuzz {
namespace {

#if defined(KALPENO_SOAK_UNDER_ASAN)
constexpr std::size_t soakEvents = 200'000;
#else
constexpr std::size_t soakEvents = 1'000'000;
#endif
constexpr std::size_t checkpointEvents = 20'000;

// Bytes of heap in use, or nothing where that cannot be measured.
std::optional<std::size_t> heapInUse() {
#if defined(KALPENO_SOAK_HEAP)
    return mallinfo2().uordblks;
#else
    return std::nullopt;
#endif
}

// Per UTF-16 unit held, and once for the program itself: generous, since a line's string and
// a vector's spare capacity cost more than its units, yet far below what a leak per event adds.
constexpr std::size_t bytesPerUnit = 96;
constexpr std::size_t programSlack = 2 * 1024 * 1024;

class Soak : public ::testing::Test {
protected:
    // The next chunk of random bytes; one chunk holds a few hundred events.
    ByteReader nextChunk() {
        for (std::uint8_t& byte : chunk_) {
            byte = static_cast<std::uint8_t>(random_());
        }
        return ByteReader(chunk_);
    }

    std::mt19937 random_{20240611};
    std::array<std::uint8_t, 4096> chunk_{};
};

TEST_F(Soak, RandomEventsKeepTheRulesAndTheHeapInBounds) {
    // The code page's table is read once and kept for the process, as static data is.
    forms::encodeCp932(U'\u3042');
    const std::optional<std::size_t> before = heapInUse();
    std::size_t nextCheckpoint = checkpointEvents;
    {
        EventDriver driver(u"/nonexistent/kalpeno-soak");
        const std::optional<std::size_t> started = heapInUse();
        while (driver.events() < soakEvents) {
            ByteReader input = nextChunk();
            driver.run(input);
            ASSERT_FALSE(driver.failure())
                << *driver.failure() << " after " << driver.events() << " events";
            if (driver.events() >= nextCheckpoint && started) {
                nextCheckpoint += checkpointEvents;
                const std::size_t bound =
                    *started + driver.unitsHeld() * bytesPerUnit + programSlack;
                ASSERT_LE(*heapInUse(), bound) << "after " << driver.events() << " events";
            }
        }
        // The run must have reached the program's corners, not idled in one window.
        EXPECT_GT(driver.starts(), 100u);
        EXPECT_GT(driver.messagesShown(), 1000u);
        // Compared with another build's run of the same events (testing/windows).
        std::printf("soak digest %s\n", hex(driver.digest()).c_str());
        RecordProperty("events", static_cast<int>(driver.events()));
        RecordProperty("starts", static_cast<int>(driver.starts()));
    }
    if (before) {
        EXPECT_LE(*heapInUse(), *before + 64 * 1024) << "the ended programs kept memory";
    }
}

} // namespace
} // namespace kalpeno::fuzz
