#include "jdkfind/TextBefore.h"

#include "base/Text.h"

namespace kelvane {

Text TextBefore(std::string_view text, std::string_view marker, std::optional<std::int32_t> start,
                std::optional<bool> ignoreCase) {
    if (marker.empty()) {
        return {};
    }
    const std::int32_t position = FindText(text, marker, start, ignoreCase);
    return position > 0 ? TextLeft(text, position - 1) : Text();
}

} // namespace kelvane
