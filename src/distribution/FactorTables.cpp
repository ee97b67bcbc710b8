#include "distribution/FactorTables.h"

#include <array>
#include <utility>

namespace pyrostat {

float AreaFactorFor(float area) {
    if (area < 40.0f) {
        return 0.12f;
    }
    if (area < 75.0f) {
        return 0.08f;
    }
    if (area < 110.0f) {
        return 0.04f;
    }
    return 0.0f;
}

float ExposureFactorFor(float ratio) {
    if (ratio <= 0.20f) {
        return 0.0f;
    }
    if (ratio <= 0.35f) {
        return 0.05f;
    }
    if (ratio <= 0.50f) {
        return 0.10f;
    }
    if (ratio <= 0.65f) {
        return 0.15f;
    }
    return 0.20f;
}

bool KindFactorFor(std::string_view kind, bool insulated, float& factor) {
    struct Row {
        std::string_view text;
        float insulated;
        float bare;
    };
    static constexpr std::array<Row, 5> rows = {{
        {"ΥΠΟΓ.-ΗΜΙΫΠΟΓ.", 0.60f, 0.50f},
        {"ΙΣΟΓΕΙΟ", 0.60f, 0.50f},
        {"PILOTIS ΚΑΤΩ", 0.55f, 0.45f},
        {"ΕΝΔΙΑΜΕΣΟ", 0.65f, 0.55f},
        {"ΡΕΤΙΡΕ", 0.55f, 0.45f},
    }};
    for (const Row& row : rows) {
        if (row.text == kind) {
            factor = insulated ? row.insulated : row.bare;
            return true;
        }
    }
    return false;
}

bool PipeFactorFor(std::string_view pipe, float& factor) {
    static constexpr std::array<std::pair<std::string_view, float>, 3> rows = {{
        {"ΕΚΤΟΣ ΙΔΙΟΚΤ.", 0.06f},
        {"ΕΝΤΟΣ ΙΔΙΟΚΤ.", 0.01f},
        {"ΑΛΛΗ ΠΕΡΙΠΤ.", 0.03f},
    }};
    for (const auto& [text, value] : rows) {
        if (text == pipe) {
            factor = value;
            return true;
        }
    }
    return false;
}

Exposure ExposureOf(float toExterior, float toUnheated, float toHeated, float height) {
    const double ext = toExterior;
    const double unheated = toUnheated;
    const double heated = toHeated;
    const double h = height;
    Exposure x;
    x.exposedWallArea = static_cast<float>(ext * h + unheated * h * 0.5);
    x.lateralWallArea = static_cast<float>((ext + heated + unheated) * h);
    // The check before the run rules out a zero wall area; should one come
    // through anyway the property counts as bounded by heated spaces only.
    if (x.lateralWallArea == 0.0f) {
        return x;
    }
    x.ratio = static_cast<float>(static_cast<double>(x.exposedWallArea) /
                                 static_cast<double>(x.lateralWallArea));
    return x;
}

} // namespace pyrostat
