#include "platform/Codepage1253.h"

#include "platform/Utf8.h"

#include <array>
#include <unordered_map>

namespace pyrostat {
namespace {

// Code points of the bytes 0x80 to 0xFF; 0 marks a byte the code page leaves undefined.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0000, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x0000, 0x2030, 0x0000, 0x2039,
    0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0000, 0x203A, 0x0000, 0x0000, 0x0000, 0x0000, 0x00A0, 0x0385, 0x0386, 0x00A3,
    0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x0000, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7, 0x0388, 0x0389, 0x038A, 0x00BB,
    0x038C, 0x00BD, 0x038E, 0x038F, 0x0390, 0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397,
    0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F, 0x03A0, 0x03A1, 0x0000, 0x03A3,
    0x03A4, 0x03A5, 0x03A6, 0x03A7, 0x03A8, 0x03A9, 0x03AA, 0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF,
    0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7, 0x03B8, 0x03B9, 0x03BA, 0x03BB,
    0x03BC, 0x03BD, 0x03BE, 0x03BF, 0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4, 0x03C5, 0x03C6, 0x03C7,
    0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, 0x0000,
};

constexpr char32_t kUndefinedBase = 0xF700;

const std::unordered_map<char32_t, unsigned char>& ReverseTable() {
    static const std::unordered_map<char32_t, unsigned char> table = [] {
        std::unordered_map<char32_t, unsigned char> t;
        for (int b = 0; b < 128; ++b) {
            const char32_t cp = kHighHalf[static_cast<size_t>(b)];
            const auto byte = static_cast<unsigned char>(0x80 + b);
            t[cp != 0 ? cp : kUndefinedBase + byte] = byte;
        }
        return t;
    }();
    return table;
}

} // namespace

char32_t Cp1253CodePointOf(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    const char32_t cp = kHighHalf[byte - 0x80u];
    return cp != 0 ? cp : kUndefinedBase + byte;
}

int Cp1253ByteOf(char32_t codePoint) {
    if (codePoint < 0x80) {
        return static_cast<int>(codePoint);
    }
    const auto& table = ReverseTable();
    const auto it = table.find(codePoint);
    return it == table.end() ? -1 : it->second;
}

std::string Cp1253ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char ch : bytes) {
        AppendUtf8(out, Cp1253CodePointOf(static_cast<unsigned char>(ch)));
    }
    return out;
}

std::string Utf8ToCp1253(std::string_view utf8, bool* ok) {
    std::string out;
    out.reserve(utf8.size());
    bool allGood = true;
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = 0;
        if (!DecodeUtf8(utf8, pos, cp)) {
            allGood = false;
            out.push_back('?');
            continue;
        }
        const int byte = Cp1253ByteOf(cp);
        if (byte < 0) {
            allGood = false;
            out.push_back('?');
        } else {
            out.push_back(static_cast<char>(byte));
        }
    }
    if (ok != nullptr) {
        *ok = allGood;
    }
    return out;
}

bool IsCp1253Encodable(std::string_view utf8) {
    bool ok = true;
    (void)Utf8ToCp1253(utf8, &ok);
    return ok;
}

std::string TextFileToUtf8(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    return Cp1253ToUtf8(bytes);
}

} // namespace pyrostat
