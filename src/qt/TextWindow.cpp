#include "qt/TextWindow.h"

#include <algorithm>

namespace kalpeno::qt {

namespace {

bool insidePair(std::u16string_view text, std::size_t position) {
    return position > 0 && position < text.size() && (text[position] & 0xFC00) == 0xDC00 &&
           (text[position - 1] & 0xFC00) == 0xD800;
}

} // namespace

std::size_t windowEnd(std::u16string_view text, std::size_t start) {
    std::size_t end = std::min(text.size(), start + windowLength);
    if (insidePair(text, end)) {
        --end;
    }
    return end;
}

std::size_t windowStart(std::u16string_view text, std::size_t caret, std::size_t current) {
    if (text.size() <= windowLength) {
        return 0;
    }
    caret = std::min(caret, text.size());
    if (current < text.size() && !insidePair(text, current)) {
        const std::size_t end = windowEnd(text, current);
        const bool farFromStart = current == 0 || caret >= current + windowMargin;
        const bool farFromEnd = end == text.size() || caret + windowMargin <= end;
        if (caret >= current && caret <= end && farFromStart && farFromEnd) {
            return current;
        }
    }
    std::size_t start =
        std::min(caret - std::min(caret, windowLength / 2), text.size() - windowLength);
    if (insidePair(text, start)) {
        ++start;
    }
    return start;
}

} // namespace kalpeno::qt
