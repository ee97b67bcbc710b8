#include "studies/PropertyRecord.h"

#include "platform/FixedRecord.h"

#include <stdexcept>

namespace pyrostat {

std::string PropertyRecord::Pack() const {
    FixedRecord r(kLength);
    r.PutInt16(kRowNo, RowNo);
    r.PutText(kTitle, kTitleWidth, Title);
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
    r.PutText(kKind, kKindWidth, Kind);
    r.PutText(kPipePassage, kPipeWidth, PipePassage);
    r.PutSingle(kInsulation, Insulation);
    // The three reserved singles are 0.0: zero bytes.
    r.Fill(kReserved, kReservedWidth, '\0');
    return r.Bytes();
}

PropertyRecord PropertyRecord::Unpack(std::string_view bytes) {
    if (bytes.size() != kLength) {
        throw std::invalid_argument("a study record is 197 bytes");
    }
    const FixedRecord r = FixedRecord::FromBytes(bytes);
    PropertyRecord p;
    p.RowNo = r.GetInt16(kRowNo);
    p.Title = r.GetText(kTitle, kTitleWidth);
    p.PropertyName = r.GetText(kPropertyName, kNameWidth);
    p.TotalLosses = r.GetSingle(kTotalLosses);
    p.OpeningLosses = r.GetSingle(kOpeningLosses);
    p.VentilationLosses = r.GetSingle(kVentilationLosses);
    p.Area = r.GetSingle(kArea);
    p.MeanHeight = r.GetSingle(kMeanHeight);
    p.Volume = r.GetSingle(kVolume);
    p.LengthToExterior = r.GetSingle(kLengthToExterior);
    p.LengthToUnheated = r.GetSingle(kLengthToUnheated);
    p.LengthToHeated = r.GetSingle(kLengthToHeated);
    p.Kind = r.GetText(kKind, kKindWidth);
    p.PipePassage = r.GetText(kPipePassage, kPipeWidth);
    p.Insulation = r.GetSingle(kInsulation);
    return p;
}

float PropertyRecord::ColumnValue(int col) const {
    switch (col) {
    case 2:
        return TotalLosses;
    case 3:
        return OpeningLosses;
    case 4:
        return VentilationLosses;
    case 5:
        return Area;
    case 6:
        return MeanHeight;
    case 7:
        return LengthToExterior;
    case 8:
        return LengthToUnheated;
    case 9:
        return LengthToHeated;
    default:
        throw std::out_of_range("not a number column");
    }
}

void PropertyRecord::SetColumnValue(int col, float value) {
    switch (col) {
    case 2:
        TotalLosses = value;
        break;
    case 3:
        OpeningLosses = value;
        break;
    case 4:
        VentilationLosses = value;
        break;
    case 5:
        Area = value;
        break;
    case 6:
        MeanHeight = value;
        break;
    case 7:
        LengthToExterior = value;
        break;
    case 8:
        LengthToUnheated = value;
        break;
    case 9:
        LengthToHeated = value;
        break;
    default:
        throw std::out_of_range("not a number column");
    }
}

} // namespace pyrostat
