#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pyrostat {

// One property of the working result file "PYROSTAT.TMP": 149 bytes,
// little-endian, singles, the name in Windows-1253 padded with blanks, and 40
// reserved zero bytes.
struct ResultRecord {
    static constexpr size_t kLength = 149;

    int16_t RowNo = 0;
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
    float HeatDemand = 0;
    float DemandShare = 0;
    float ExposedWallArea = 0;
    float LateralWallArea = 0;
    float ExposureRatio = 0;
    float KindFactor = 0;
    float PipeFactor = 0;
    float AreaFactor = 0;
    float ExposureFactor = 0;

    static constexpr size_t kRowNo = 0, kPropertyName = 2, kTotalLosses = 37, kOpeningLosses = 41,
                            kVentilationLosses = 45, kArea = 49, kMeanHeight = 53, kVolume = 57,
                            kLengthToExterior = 61, kLengthToUnheated = 65, kLengthToHeated = 69,
                            kHeatDemand = 73, kDemandShare = 77, kExposedWallArea = 81,
                            kLateralWallArea = 85, kExposureRatio = 89, kKindFactor = 93,
                            kPipeFactor = 97, kAreaFactor = 101, kExposureFactor = 105,
                            kReserved = 109;
    static constexpr size_t kNameWidth = 35, kReservedWidth = 40;

    std::string Pack() const;
    // `bytes` must be exactly kLength long.
    static ResultRecord Unpack(std::string_view bytes);
};

} // namespace pyrostat
