#include "forms/Utf.h"

#include <unicode/ustring.h>

namespace kalpeno::forms {

std::optional<std::u16string> fromUtf8(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8(nullptr, 0, &length, text.data(), static_cast<int32_t>(text.size()), &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) {
        return std::nullopt;
    }
    std::u16string result(static_cast<std::size_t>(length), u'\0');
    status = U_ZERO_ERROR;
    u_strFromUTF8(result.data(), length, nullptr, text.data(), static_cast<int32_t>(text.size()),
                  &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    return result;
}

std::optional<std::string> toUtf8(std::u16string_view text, BadUtf16 bad) {
    // -1: no substitute, an unpaired surrogate is an error.
    const UChar32 substitute = bad == BadUtf16::Replace ? 0xFFFD : -1;
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strToUTF8WithSub(nullptr, 0, &length, text.data(), static_cast<int32_t>(text.size()),
                       substitute, nullptr, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) {
        return std::nullopt;
    }
    std::string result(static_cast<std::size_t>(length), '\0');
    status = U_ZERO_ERROR;
    u_strToUTF8WithSub(result.data(), length, nullptr, text.data(),
                       static_cast<int32_t>(text.size()), substitute, nullptr, &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    return result;
}

} // namespace kalpeno::forms
