#include "base/Text.h"

#include <algorithm>
#include <cstdio>

namespace kelvane {

namespace {

constexpr unsigned char kFullWidthSpaceByte = 0xA1; // GBK's full-width space is 0xA1 0xA1

unsigned char ByteAt(std::string_view text, std::size_t index) {
    return static_cast<unsigned char>(text[index]);
}

// Width in bytes of the character that starts at index: 2 for a lead byte with a byte after it.
std::size_t CharWidth(std::string_view text, std::size_t index) {
    return IsLeadByte(ByteAt(text, index)) && index + 1 < text.size() ? 2 : 1;
}

unsigned char AsciiLower(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool MatchesAt(std::string_view text, std::size_t index, std::string_view pattern,
               bool ignoreCase) {
    if (text.size() - index < pattern.size()) {
        return false;
    }
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        unsigned char a = ByteAt(text, index + k);
        unsigned char b = ByteAt(pattern, k);
        if (ignoreCase) {
            a = AsciiLower(a);
            b = AsciiLower(b);
        }
        if (a != b) {
            return false;
        }
    }
    return true;
}

// Width of the space (ASCII or full-width) that starts at index, or 0 for any other character.
std::size_t SpaceWidth(std::string_view text, std::size_t index) {
    if (text[index] == ' ') {
        return 1;
    }
    if (ByteAt(text, index) == kFullWidthSpaceByte && index + 1 < text.size() &&
        ByteAt(text, index + 1) == kFullWidthSpaceByte) {
        return 2;
    }
    return 0;
}

} // namespace

Text TextLeft(std::string_view text, std::int32_t n) {
    if (n <= 0) {
        return {};
    }
    return Text(text.substr(0, static_cast<std::size_t>(n)));
}

Text TextRight(std::string_view text, std::int32_t n) {
    if (n <= 0) {
        return {};
    }
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(n));
    return Text(text.substr(text.size() - count));
}

Text TextMid(std::string_view text, std::int32_t start, std::int32_t n) {
    if (start < 1 || static_cast<std::size_t>(start) > text.size() || n <= 0) {
        return {};
    }
    return Text(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n)));
}

std::int32_t FindText(std::string_view text, std::string_view pattern,
                      std::optional<std::int32_t> start, std::optional<bool> ignoreCase) {
    const std::int32_t from = std::max<std::int32_t>(start.value_or(1), 1);
    if (static_cast<std::size_t>(from) > text.size()) {
        return -1; // the searched part is empty, whatever the pattern
    }
    if (pattern.empty()) {
        return 1;
    }
    for (std::size_t index = static_cast<std::size_t>(from) - 1; index < text.size();
         index += CharWidth(text, index)) {
        if (MatchesAt(text, index, pattern, ignoreCase.value_or(false))) {
            return static_cast<std::int32_t>(index + 1);
        }
    }
    return -1;
}

Text ToLowerCase(std::string_view text) {
    Text lower(text);
    for (std::size_t index = 0; index < lower.size(); index += CharWidth(text, index)) {
        lower[index] = static_cast<char>(AsciiLower(ByteAt(text, index)));
    }
    return lower;
}

Text TrimSpaces(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t width = SpaceWidth(text, begin);
        if (width == 0) {
            break;
        }
        begin += width;
    }
    // Walk the rest by characters, so that a full-width space is never taken from the middle of
    // another character, and remember where the last character that is not a space ends.
    std::size_t end = begin;
    bool endsInLoneLeadByte = false;
    for (std::size_t index = begin; index < text.size();) {
        const std::size_t width = SpaceWidth(text, index);
        if (width != 0) {
            index += width;
            continue;
        }
        const std::size_t charWidth = CharWidth(text, index);
        endsInLoneLeadByte = IsLeadByte(ByteAt(text, index)) && charWidth == 1;
        index += charWidth;
        end = index;
    }
    // A lead byte whose second half is missing can only be the very last byte; the spaces before
    // it are not a trailing run, so they stay.
    if (endsInLoneLeadByte) {
        --end;
    }
    return Text(text.substr(begin, end - begin));
}

TextArray SplitText(std::string_view text, std::string_view separator) {
    TextArray pieces;
    if (text.empty()) {
        return pieces;
    }
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t pieceStart = 0;
    std::size_t index = 0;
    while (index < text.size()) {
        if (MatchesAt(text, index, separator, false)) {
            pieces.emplace_back(text.substr(pieceStart, index - pieceStart));
            index += separator.size();
            pieceStart = index;
        } else {
            index += CharWidth(text, index);
        }
    }
    if (pieceStart < text.size()) {
        pieces.emplace_back(text.substr(pieceStart));
    }
    return pieces;
}

Text BlankText(std::int32_t n) {
    return n <= 0 ? Text() : Text(static_cast<std::size_t>(n), ' ');
}

Text CharFromCode(std::int32_t code) {
    // Code 0 would be the terminating zero itself; codes outside a byte have no one-byte text.
    if (code <= 0 || code > 255) {
        return {};
    }
    return Text(1, static_cast<char>(code));
}

Text ToText(std::int32_t value) {
    return std::to_string(value);
}

Text ToText(double value) {
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, "%.13g", value);
    return length > 0 ? Text(buffer, static_cast<std::size_t>(length)) : Text();
}

Text ToText(const ByteSeq& bytes) {
    std::size_t length = 0;
    while (length < bytes.size() && bytes[length] != 0) {
        ++length;
    }
    return Text(reinterpret_cast<const char*>(bytes.data()), length);
}

} // namespace kelvane
