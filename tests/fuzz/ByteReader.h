#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kalpeno::fuzz {

// Reads a fuzzer's input one small value at a time. Past the end every value is 0, so any byte
// string decodes to a finite sequence of events.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool done() const { return position_ >= bytes_.size(); }
    std::uint8_t byte() { return done() ? 0 : bytes_[position_++]; }
    std::uint16_t word() {
        const std::uint16_t low = byte();
        return static_cast<std::uint16_t>(low | (byte() << 8));
    }
    // A value in [0, count); count must not be 0.
    std::size_t pick(std::size_t count) { return byte() % count; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

} // namespace kalpeno::fuzz
