#include "distribution/FormulaFactors.h"

#include "platform/Codepage1253.h"

#include <string>

namespace pyrostat {

namespace {

// Six characters of a Windows-1253 line from the 1-based position `start`
// (nothing past the end).
std::string SixFrom(const std::string& bytes, size_t start) {
    if (start < 1 || start > bytes.size()) {
        return {};
    }
    return Cp1253ToUtf8(std::string_view(bytes).substr(start - 1, 6));
}

// 1-based position of the first `marker`, 0 when absent.
size_t PositionOf(const std::string& bytes, const std::string& marker) {
    const size_t at = bytes.find(marker);
    return at == std::string::npos ? 0 : at + 1;
}

} // namespace

std::string FormulaFactors::CoefficientLine() const {
    return Fact1 + "," + Fact2 + "," + Fact3 + "," + Fact4;
}

std::string FromCommaToPoint(std::string_view orisma) {
    std::string text(orisma);
    for (char& ch : text) {
        if (ch == ',') {
            ch = '.';
        }
    }
    return text;
}

void ConstructFactors(std::string_view phrase, std::string& fact1, std::string& fact2,
                      std::string& fact3, std::string& fact4) {
    // Positions count characters of the file, one byte each in the code page.
    const std::string bytes = Utf8ToCp1253(phrase);
    const std::string sigma = Utf8ToCp1253("Σ");
    fact1 = FromCommaToPoint(SixFrom(bytes, PositionOf(bytes, "[") + 1));
    fact2 = FromCommaToPoint(SixFrom(bytes, PositionOf(bytes, "+") + 3));
    fact3 = FromCommaToPoint(SixFrom(bytes, PositionOf(bytes, "x") + 2));
    fact4 = FromCommaToPoint(SixFrom(bytes, PositionOf(bytes, sigma) + 2));
}

FormulaFactors ConstructFactors(std::string_view phrase) {
    FormulaFactors f;
    ConstructFactors(phrase, f.Fact1, f.Fact2, f.Fact3, f.Fact4);
    return f;
}

FormulaFactors FactorsAtPositions(std::string_view line, int k) {
    const std::string bytes = Utf8ToCp1253(line);
    const size_t digits = std::to_string(k).size();
    FormulaFactors f;
    f.Fact1 = FromCommaToPoint(SixFrom(bytes, digits + 10));
    f.Fact2 = FromCommaToPoint(SixFrom(bytes, digits + 20));
    f.Fact3 = FromCommaToPoint(SixFrom(bytes, digits + 29));
    f.Fact4 = FromCommaToPoint(SixFrom(bytes, digits + 51));
    return f;
}

} // namespace pyrostat
