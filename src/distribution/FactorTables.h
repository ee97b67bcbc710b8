#pragma once

#include <string_view>

namespace pyrostat {

// The correction factors of the calculation. Every constant is the single
// value of the decimal shown in the tables; comparisons are between singles.

// Reduction by floor-area band: below 40, below 75, below 110, the rest. The
// bands are half-open so that no area falls between two of them (74.995 gets
// the factor of 74.99, 109.995 that of 109.99).
float AreaFactorFor(float area);

// Reduction by exposure ratio: up to 0.20, 0.35, 0.50, 0.65 inclusive, above.
float ExposureFactorFor(float ratio);

// Base coefficient by the kind text and the insulation choice; false when the
// text is not one of the five kinds.
bool KindFactorFor(std::string_view kind, bool insulated, float& factor);

// Reduction by the passage of the central pipes; false for an unknown text.
bool PipeFactorFor(std::string_view pipe, float& factor);

// The three exposure fields from the lateral lengths and the mean height,
// each rounded to single: the weighted exposed wall area (lengths towards
// non-heated spaces count half), the whole lateral wall area, their ratio.
struct Exposure {
    float exposedWallArea = 0;
    float lateralWallArea = 0;
    float ratio = 0;
};
Exposure ExposureOf(float toExterior, float toUnheated, float toHeated, float height);

} // namespace pyrostat
