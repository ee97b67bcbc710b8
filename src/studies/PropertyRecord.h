#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pyrostat {

// One grid row as a study file (".pyx") and the input-data work file
// ("S_PYROS.TMP") store it: 197 bytes, little-endian, singles, Windows-1253
// texts padded with blanks.
struct PropertyRecord {
    static constexpr size_t kLength = 197;

    int16_t RowNo = 0;
    std::string Title;        // 78
    std::string PropertyName; // 35
    float TotalLosses = 0;
    float OpeningLosses = 0;
    float VentilationLosses = 0;
    float Area = 0;
    float MeanHeight = 0;
    float Volume = 0;
    float LengthToExterior = 0;
    float LengthToUnheated = 0;
    float LengthToHeated = 0;
    std::string Kind;        // 15
    std::string PipePassage; // 15
    float Insulation = 0;    // -1 ticked, 0 not

    // Field offsets.
    static constexpr size_t kRowNo = 0, kTitle = 2, kPropertyName = 80, kTotalLosses = 115,
                            kOpeningLosses = 119, kVentilationLosses = 123, kArea = 127,
                            kMeanHeight = 131, kVolume = 135, kLengthToExterior = 139,
                            kLengthToUnheated = 143, kLengthToHeated = 147, kKind = 151,
                            kPipePassage = 166, kInsulation = 181, kReserved = 185;
    static constexpr size_t kTitleWidth = 78, kNameWidth = 35, kKindWidth = 15, kPipeWidth = 15,
                            kReservedWidth = 12;

    std::string Pack() const;
    // `bytes` must be exactly kLength long.
    static PropertyRecord Unpack(std::string_view bytes);

    // The single value of column 2..9.
    float ColumnValue(int col) const;
    void SetColumnValue(int col, float value);
};

} // namespace pyrostat
