#include "platform/TextFold.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <utility>

namespace pyrostat {

namespace {

constexpr std::pair<char32_t, char32_t> kPlainLetters[] = {
    {U'ά', U'Α'}, {U'Ά', U'Α'}, {U'έ', U'Ε'}, {U'Έ', U'Ε'}, {U'ή', U'Η'}, {U'Ή', U'Η'},
    {U'ί', U'Ι'}, {U'Ί', U'Ι'}, {U'ϊ', U'Ι'}, {U'ΐ', U'Ι'}, {U'Ϊ', U'Ι'}, {U'ό', U'Ο'},
    {U'Ό', U'Ο'}, {U'ύ', U'Υ'}, {U'Ύ', U'Υ'}, {U'ϋ', U'Υ'}, {U'ΰ', U'Υ'}, {U'Ϋ', U'Υ'},
    {U'ώ', U'Ω'}, {U'Ώ', U'Ω'}, {U'ς', U'Σ'}};

} // namespace

std::string FoldTitle(std::string_view text) {
    std::string folded;
    size_t pos = 0;
    int bracket = 0;
    while (pos < text.size()) {
        char32_t cp = 0;
        if (!DecodeUtf8(text, pos, cp)) {
            continue;
        }
        if (cp == U'[' || cp == U'(') {
            ++bracket;
            continue;
        }
        if (cp == U']' || cp == U')') {
            bracket = std::max(0, bracket - 1);
            continue;
        }
        if (bracket > 0) {
            continue;
        }
        // Accented Greek to the plain letter, final sigma to sigma.
        for (const auto& [accented, plain] : kPlainLetters) {
            if (cp == accented) {
                cp = plain;
                break;
            }
        }
        if (cp >= U'α' && cp <= U'ω') {
            cp = cp - U'α' + U'Α';
        } else if (cp >= U'a' && cp <= U'z') {
            cp = cp - U'a' + U'A';
        }
        const bool letter =
            (cp >= U'Α' && cp <= U'Ω') || (cp >= U'A' && cp <= U'Z') || (cp >= U'0' && cp <= U'9');
        if (letter) {
            AppendUtf8(folded, cp);
        }
    }
    return folded;
}

} // namespace pyrostat
