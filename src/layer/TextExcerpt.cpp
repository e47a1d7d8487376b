#include "layer/TextExcerpt.h"

#include <algorithm>

namespace kalpeno::layer {

namespace {

bool insidePair(std::u16string_view text, std::size_t position) {
    return position > 0 && position < text.size() && (text[position] & 0xFC00) == 0xDC00 &&
           (text[position - 1] & 0xFC00) == 0xD800;
}

} // namespace

std::size_t TextExcerpt::end(std::u16string_view text, std::size_t start) const {
    std::size_t end = std::min(text.size(), start + length);
    if (insidePair(text, end)) {
        --end;
    }
    return end;
}

std::size_t TextExcerpt::start(std::u16string_view text, std::size_t caret,
                               std::size_t current) const {
    if (text.size() <= length) {
        return 0;
    }
    caret = std::min(caret, text.size());
    if (current < text.size() && !insidePair(text, current)) {
        const std::size_t cut = end(text, current);
        const bool farFromStart = current == 0 || caret >= current + margin;
        const bool farFromEnd = cut == text.size() || caret + margin <= cut;
        if (caret >= current && caret <= cut && farFromStart && farFromEnd) {
            return current;
        }
    }
    std::size_t start = std::min(caret - std::min(caret, length / 2), text.size() - length);
    if (insidePair(text, start)) {
        ++start;
    }
    return start;
}

long TextExcerpt::within(std::size_t position, std::size_t start, std::size_t shown) {
    if (position < start || position - start > shown) {
        return -1;
    }
    return static_cast<long>(position - start);
}

} // namespace kalpeno::layer
