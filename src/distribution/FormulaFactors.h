#pragma once

#include <string>
#include <string_view>

namespace pyrostat {

// The four numbers of a formula line as the coefficient files want them.
struct FormulaFactors {
    std::string Fact1; // f × e
    std::string Fact2; // 1 − Σ(f × e)
    std::string Fact3; // e
    std::string Fact4; // e, inside the Σ

    // "Fact1,Fact2,Fact3,Fact4"
    std::string CoefficientLine() const;
};

// The text with every "," turned into ".".
std::string FromCommaToPoint(std::string_view orisma);

// Splits a formula line by its markers: six characters after the first "[",
// from the third after the first "+", from the second after the first "x" and
// from the second after the first "Σ"; each through FromCommaToPoint. A
// missing marker reads from the start of the line, as the markers are found
// by position.
void ConstructFactors(std::string_view phrase, std::string& fact1, std::string& fact2,
                      std::string& fact3, std::string& fact4);
FormulaFactors ConstructFactors(std::string_view phrase);

// The export's reading of property line k: six characters from positions
// L + 10, L + 20, L + 29 and L + 51 (1-based, L the digits of k).
FormulaFactors FactorsAtPositions(std::string_view line, int k);

} // namespace pyrostat
