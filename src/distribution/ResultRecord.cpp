#include "distribution/ResultRecord.h"

#include "platform/FixedRecord.h"

#include <stdexcept>

namespace pyrostat {

std::string ResultRecord::Pack() const {
    FixedRecord r(kLength);
    r.PutInt16(kRowNo, RowNo);
    r.PutText(kPropertyName, kNameWidth, PropertyName);
    r.PutSingle(kTotalLosses, TotalLosses);
    r.PutSingle(kOpeningLosses, OpeningLosses);
    r.PutSingle(kVentilationLosses, VentilationLosses);
    r.PutSingle(kArea, Area);
    r.PutSingle(kMeanHeight, MeanHeight);
    r.PutSingle(kVolume, Volume);
    r.PutSingle(kLengthToExterior, LengthToExterior);
    r.PutSingle(kLengthToUnheated, LengthToUnheated);
    r.PutSingle(kLengthToHeated, LengthToHeated);
    r.PutSingle(kHeatDemand, HeatDemand);
    r.PutSingle(kDemandShare, DemandShare);
    r.PutSingle(kExposedWallArea, ExposedWallArea);
    r.PutSingle(kLateralWallArea, LateralWallArea);
    r.PutSingle(kExposureRatio, ExposureRatio);
    r.PutSingle(kKindFactor, KindFactor);
    r.PutSingle(kPipeFactor, PipeFactor);
    r.PutSingle(kAreaFactor, AreaFactor);
    r.PutSingle(kExposureFactor, ExposureFactor);
    r.Fill(kReserved, kReservedWidth, '\0');
    return r.Bytes();
}

ResultRecord ResultRecord::Unpack(std::string_view bytes) {
    if (bytes.size() != kLength) {
        throw std::invalid_argument("a result record is 149 bytes");
    }
    const FixedRecord r = FixedRecord::FromBytes(bytes);
    ResultRecord x;
    x.RowNo = r.GetInt16(kRowNo);
    x.PropertyName = r.GetText(kPropertyName, kNameWidth);
    x.TotalLosses = r.GetSingle(kTotalLosses);
    x.OpeningLosses = r.GetSingle(kOpeningLosses);
    x.VentilationLosses = r.GetSingle(kVentilationLosses);
    x.Area = r.GetSingle(kArea);
    x.MeanHeight = r.GetSingle(kMeanHeight);
    x.Volume = r.GetSingle(kVolume);
    x.LengthToExterior = r.GetSingle(kLengthToExterior);
    x.LengthToUnheated = r.GetSingle(kLengthToUnheated);
    x.LengthToHeated = r.GetSingle(kLengthToHeated);
    x.HeatDemand = r.GetSingle(kHeatDemand);
    x.DemandShare = r.GetSingle(kDemandShare);
    x.ExposedWallArea = r.GetSingle(kExposedWallArea);
    x.LateralWallArea = r.GetSingle(kLateralWallArea);
    x.ExposureRatio = r.GetSingle(kExposureRatio);
    x.KindFactor = r.GetSingle(kKindFactor);
    x.PipeFactor = r.GetSingle(kPipeFactor);
    x.AreaFactor = r.GetSingle(kAreaFactor);
    x.ExposureFactor = r.GetSingle(kExposureFactor);
    return x;
}

} // namespace pyrostat
