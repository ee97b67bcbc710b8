#include "platform/Utf8.h"

namespace pyrostat {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool DecodeUtf8(std::string_view text, size_t& pos, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    size_t extra = 0;
    if (lead < 0x80) {
        cp = lead;
        ++pos;
        return true;
    }
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return false;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return false;
    }
    for (size_t i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return false;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return false;
    }
    pos += extra + 1;
    return true;
}

size_t Utf8Length(std::string_view text) {
    size_t count = 0;
    size_t pos = 0;
    char32_t cp = 0;
    while (pos < text.size()) {
        DecodeUtf8(text, pos, cp);
        ++count;
    }
    return count;
}

std::string Utf8Left(std::string_view text, size_t count) {
    size_t pos = 0;
    char32_t cp = 0;
    for (size_t n = 0; n < count && pos < text.size(); ++n) {
        DecodeUtf8(text, pos, cp);
    }
    return std::string(text.substr(0, pos));
}

std::string TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

bool IsValidUtf8(std::string_view text) {
    size_t pos = 0;
    char32_t codePoint = 0;
    while (pos < text.size()) {
        if (!DecodeUtf8(text, pos, codePoint)) {
            return false;
        }
    }
    return true;
}

std::string ShortenForMessage(std::string_view text, size_t count) {
    if (Utf8Length(text) <= count) {
        return std::string(text);
    }
    return Utf8Left(text, count) + "…";
}

} // namespace pyrostat
