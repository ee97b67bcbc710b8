#pragma once

#include "distribution/Distribution.h"
#include "program/NumberLocale.h"

#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// One property's coefficients as they are billed: FE = f·e (the fixed
// part), OMS = 1 − Σ(f·e) (the variable part of the building) and e (its
// share of the building's demand).
struct CoefficientLine {
    int number = 0;   // from 1, the property's line in the formula
    std::string name; // empty when the source has none (a TYPES file)
    double fe = 0;
    double oms = 0;
    double e = 0;
};

// Where the coefficients come from.
enum class CoefficientSource { Study, TypesFile, Table };

struct BillingCoefficients {
    CoefficientSource source = CoefficientSource::Table;
    std::vector<CoefficientLine> lines;
    // The building, for the sheet: the study's title and general data.
    std::string title, employer, project, location;
    // Greek, one per fault; nothing may be billed while there is one.
    std::vector<std::string> faults;
    bool unreadable = false; // the file itself could not be read

    bool Ok() const { return faults.empty() && !lines.empty(); }
    // What the sheet calls a property: its name, or "Ιδιοκτησία 7".
    std::string DisplayName(const CoefficientLine& line) const;
};

// Every reader checks the lines it read; a fault that quotes a sum writes it
// in the numbers of `locale`, as the sheet that follows prints.

// The four-decimal numbers of the formula lines of a calculated study, with
// the names of its properties.
BillingCoefficients CoefficientsFromDistribution(const DistributionResult& result,
                                                 NumberLocale locale = NumberLocale::Greek());

// A TYPES_*.FIL export: per property a line "FE,OMS,E,E" with the full stop.
BillingCoefficients ParseTypesFile(std::string_view bytes,
                                   NumberLocale locale = NumberLocale::Greek());

// A tab-separated table, one property per line: its name, then either two
// numbers, e and f (FE = e·f, OMS = 1 − Σ(e·f)), or three, FE, OMS and e as
// the formula prints them (a fourth, e again, is allowed). A first line of
// headings may name the columns instead ("e", "f", "FE", "OMS"/"ΟΜΣ").
// Blank lines and lines starting with "#" are skipped.
BillingCoefficients ParseCoefficientTable(std::string_view text,
                                          NumberLocale locale = NumberLocale::Greek());

// The coefficients from a file: a study (".pyx", with its ".tpx", calculated
// as the calculation command does), a "TYPES_*.FIL" export, or a table.
BillingCoefficients LoadCoefficients(const std::string& path,
                                     NumberLocale locale = NumberLocale::Greek());

} // namespace pyrostat
