#include "billing/BillingCoefficients.h"

#include "billing/BillNumber.h"
#include "billing/TextFields.h"
#include "distribution/FormulaFactors.h"
#include "distribution/StudyCalculation.h"
#include "platform/Codepage1253.h"
#include "platform/FileAccess.h"
#include "platform/TextFold.h"
#include "platform/Utf8.h"
#include "studies/GeneralDataFile.h"
#include "studies/StudyFile.h"
#include "studies/StudyRecords.h"

#include <cmath>
#include <optional>

namespace pyrostat {

namespace {

std::optional<double> Coefficient(std::string_view text) {
    const std::optional<BillNumber> n = ParseBillNumber(text);
    if (!n) {
        return std::nullopt;
    }
    return n->value;
}

// The checks every source shares: no negative number, the same OMS on every
// line, and a fixed part that leaves something to the meters.
void CheckLines(BillingCoefficients& c, NumberLocale locale) {
    if (c.lines.empty()) {
        c.faults.push_back("Οι συντελεστές δεν έχουν καμία Ιδιοκτησία.");
        return;
    }
    double sumFe = 0;
    for (const CoefficientLine& line : c.lines) {
        sumFe += line.fe;
        if (line.fe < 0 || line.e < 0 || line.oms < 0 || line.e > 1 || line.fe > 1 ||
            line.oms > 1) {
            c.faults.push_back("Η Ιδιοκτησία «" + c.DisplayName(line) +
                               "» έχει συντελεστή εκτός των ορίων 0 έως 1.");
        }
        if (std::fabs(line.oms - c.lines.front().oms) > 1e-12) {
            c.faults.push_back("Η Ιδιοκτησία «" + c.DisplayName(line) +
                               "» έχει άλλο ΟΜΣ (1 − Σ(f x e)) από την πρώτη: οι συντελεστές "
                               "δεν είναι ενός κτιρίου.");
        }
    }
    if (sumFe > 1 + 1e-9) {
        c.faults.push_back("Το άθροισμα των πάγιων μερών Σ(f x e) ξεπερνά το 1.");
        return;
    }
    // Four-decimal coefficients drift from 1 by at most half a unit of the
    // last decimal each: the bill scales that drift away, but sums further
    // off are no building's coefficients.
    const double drift = static_cast<double>(c.lines.size() + 1) * 0.00005 + 1e-9;
    double sumE = 0;
    for (const CoefficientLine& line : c.lines) {
        sumE += line.e;
    }
    if (std::fabs(sumE - 1.0) > drift) {
        c.faults.push_back("Τα e των Ιδιοκτησιών αθροίζουν Σe = " + FormatDecimal(sumE, 4, locale) +
                           " αντί για 1: οι συντελεστές δεν είναι ενός κτιρίου.");
    }
    const double oms = c.lines.front().oms;
    if (std::fabs(sumFe + oms - 1.0) > drift) {
        c.faults.push_back(
            "Οι συντελεστές αθροίζουν ΣFE + ΟΜΣ = " + FormatDecimal(sumFe, 4, locale) + " + " +
            FormatDecimal(oms, 4, locale) + " = " + FormatDecimal(sumFe + oms, 4, locale) +
            " αντί για 1: οι συντελεστές δεν είναι ενός κτιρίου.");
    }
}

// An export file under another name: every line four numbers with commas,
// the last two equal, as "FE,OMS,E,E".
bool HoldsTypesLines(std::string_view bytes) {
    bool any = false;
    for (const std::string& raw : SplitLines(TextFileToUtf8(bytes))) {
        if (TrimBlanks(raw).empty()) {
            continue;
        }
        if (raw.find('\t') != std::string::npos) {
            return false;
        }
        const std::vector<std::string> fields = SplitOn(raw, ',');
        if (fields.size() != 4) {
            return false;
        }
        for (const std::string& field : fields) {
            if (!Coefficient(field)) {
                return false;
            }
        }
        any = true;
    }
    return any;
}

} // namespace

std::string BillingCoefficients::DisplayName(const CoefficientLine& line) const {
    return line.name.empty() ? "Ιδιοκτησία " + std::to_string(line.number) : line.name;
}

BillingCoefficients CoefficientsFromDistribution(const DistributionResult& result,
                                                 NumberLocale locale) {
    BillingCoefficients c;
    c.source = CoefficientSource::Study;
    // The property lines follow the heading and the general formula.
    for (size_t i = 2; i < result.lines.size(); ++i) {
        const FormulaFactors f = ConstructFactors(result.lines[i]);
        CoefficientLine line;
        line.number = static_cast<int>(i - 1);
        if (i - 2 < result.records.size()) {
            line.name = TrimBlanks(result.records[i - 2].PropertyName);
        }
        const auto fe = Coefficient(f.Fact1), oms = Coefficient(f.Fact2), e = Coefficient(f.Fact3);
        if (!fe || !oms || !e) {
            c.faults.push_back("Η γραμμή του τύπου της Ιδιοκτησίας «" + line.name +
                               "» δεν διαβάζεται.");
            continue;
        }
        line.fe = *fe;
        line.oms = *oms;
        line.e = *e;
        c.lines.push_back(line);
    }
    CheckLines(c, locale);
    return c;
}

BillingCoefficients ParseTypesFile(std::string_view bytes, NumberLocale locale) {
    BillingCoefficients c;
    c.source = CoefficientSource::TypesFile;
    int number = 0;
    for (const std::string& raw : SplitLines(TextFileToUtf8(bytes))) {
        if (TrimBlanks(raw).empty()) {
            continue;
        }
        ++number;
        const std::vector<std::string> fields = SplitOn(raw, ',');
        std::optional<double> v[4];
        for (size_t k = 0; k < 4 && k < fields.size(); ++k) {
            v[k] = Coefficient(fields[k]);
        }
        if (fields.size() != 4 || !v[0] || !v[1] || !v[2] || !v[3] ||
            std::fabs(*v[2] - *v[3]) > 1e-12) {
            c.faults.push_back("Η γραμμή " + std::to_string(number) +
                               " του αρχείου συντελεστών δεν έχει τους τέσσερις αριθμούς "
                               "«FE,ΟΜΣ,E,E»: «" +
                               TrimBlanks(raw) + "».");
            continue;
        }
        c.lines.push_back({number, "", *v[0], *v[1], *v[2]});
    }
    CheckLines(c, locale);
    return c;
}

BillingCoefficients ParseCoefficientTable(std::string_view text, NumberLocale locale) {
    BillingCoefficients c;
    c.source = CoefficientSource::Table;
    const std::vector<std::string> lines = SplitLines(TextFileToUtf8(text));
    // Columns named by a line of headings: e, f, FE, OMS.
    int colE = -1, colF = -1, colFe = -1, colOms = -1;
    bool first = true;
    int lineNo = 0;
    std::vector<std::pair<CoefficientLine, bool>> read; // bool: FE still e·f
    for (const std::string& raw : lines) {
        ++lineNo;
        const std::string trimmed = TrimBlanks(raw);
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        std::vector<std::string> fields = SplitOn(raw, '\t');
        for (std::string& f : fields) {
            f = TrimBlanks(f);
        }
        const bool heading = first && fields.size() > 1 && !ParseBillNumber(fields[1]);
        first = false;
        if (heading) {
            for (size_t k = 1; k < fields.size(); ++k) {
                const std::string h = FoldTitle(fields[k]);
                const int col = static_cast<int>(k);
                if (h == "E" || h == "EI" || h == "Ε") {
                    colE = col;
                } else if (h == "F" || h == "FI") {
                    colF = col;
                } else if (h == "FE" || h == "FXE" || h == "FIXEI" || h == "FIEI") {
                    colFe = col;
                } else if (h == "OMS" || h == "ΟΜΣ" || h == "1Σ") {
                    colOms = col;
                }
            }
            if (colE < 0 || (colF < 0 && colFe < 0)) {
                c.faults.push_back("Η γραμμή επικεφαλίδων του πίνακα συντελεστών πρέπει να "
                                   "ονομάζει τη στήλη «e» και τη στήλη «f» ή «FE».");
                return c;
            }
            continue;
        }
        CoefficientLine line;
        line.number = static_cast<int>(read.size() + 1);
        line.name = fields[0];
        line.oms = NAN; // the building's, unless the line gives it
        std::vector<double> numbers;
        bool bad = false;
        for (size_t k = 1; k < fields.size(); ++k) {
            const auto v = Coefficient(fields[k]);
            if (!v && !fields[k].empty()) {
                bad = true;
            }
            numbers.push_back(v.value_or(NAN));
        }
        auto at = [&](int col) {
            return col >= 1 && static_cast<size_t>(col) <= numbers.size()
                       ? numbers[static_cast<size_t>(col - 1)]
                       : NAN;
        };
        bool product = false;
        if (colE >= 0) {
            line.e = at(colE);
            product = colFe < 0;
            line.fe = product ? at(colF) : at(colFe);
            line.oms = colOms >= 0 ? at(colOms) : NAN;
        } else if (numbers.size() == 2) {
            line.e = numbers[0];
            line.fe = numbers[1];
            product = true;
        } else if (numbers.size() == 3 || numbers.size() == 4) {
            line.fe = numbers[0];
            line.oms = numbers[1];
            line.e = numbers[2];
        } else {
            bad = true;
        }
        if (bad || std::isnan(line.e) || std::isnan(line.fe)) {
            c.faults.push_back("Η γραμμή " + std::to_string(lineNo) +
                               " του πίνακα συντελεστών δεν έχει «όνομα, e, f» ή «όνομα, FE, "
                               "ΟΜΣ, e»: «" +
                               trimmed + "».");
            continue;
        }
        if (product && (line.fe < 0 || line.fe > 1)) {
            c.faults.push_back("Η Ιδιοκτησία «" + c.DisplayName(line) +
                               "» έχει συντελεστή f εκτός των ορίων 0 έως 1.");
            continue;
        }
        read.push_back({line, product});
    }
    // f·e where f was given; the OMS of the whole building where none was.
    double sumFe = 0;
    for (auto& [line, product] : read) {
        if (product) {
            line.fe *= line.e;
        }
        sumFe += line.fe;
    }
    for (auto& [line, product] : read) {
        if (std::isnan(line.oms)) {
            line.oms = 1.0 - sumFe;
        }
        c.lines.push_back(line);
    }
    if (c.faults.empty()) {
        CheckLines(c, locale);
    }
    return c;
}

BillingCoefficients LoadCoefficients(const std::string& path, NumberLocale locale) {
    BillingCoefficients c;
    std::string bytes;
    const FileProblem problem = ReadRegularFile(path, bytes);
    if (problem != FileProblem::None) {
        c.faults.push_back("ΔΕΝ είναι δυνατή η ανάγνωση των συντελεστών: " +
                           FileProblemMessage(path, problem));
        c.unreadable = true;
        return c;
    }
    // The kind of file by its name: "*.pyx" a study, "TYPES_*.FIL" an export
    // (either in any case); an export renamed by what it holds; anything
    // else a table.
    std::string base = path.substr(path.find_last_of('/') + 1);
    for (char& ch : base) {
        ch = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
    }
    if (base.size() > 4 && base.ends_with(".PYX")) {
        const DecodedStudy study = DecodeStudyRecords(bytes, NumberLocale::English(), kGridRows);
        if (study.Damaged()) {
            c.faults.push_back(DamagedStudyMessage(study, path));
            return c;
        }
        const StudyCalculation run =
            CalculateStudy(study.rows, study.InsulatedAfterOpening(true), NumberLocale::English());
        if (!run.Ok()) {
            std::string title, prompt;
            StudyCheckMessage(run.checked, title, prompt);
            if (run.checked.check == StudyCheck::NoProperties) {
                prompt = "Η Μελέτη ΔΕΝ έχει Ιδιοκτησίες.";
            } else if (run.checked.check == StudyCheck::Passed) {
                prompt = DistributionStopPrompt(run.result);
            }
            c.faults.push_back("Η μελέτη δεν υπολογίζεται: " + TrimBlanks(StripReturns(prompt)));
            return c;
        }
        c = CoefficientsFromDistribution(run.result, locale);
        c.title = study.title;
        const GeneralDataRead general = ReadGeneralDataFile(CompanionPathOf(path));
        if (general.problem == FileProblem::None && general.refusal.empty()) {
            c.employer = general.data.Employer;
            c.project = general.data.Project;
            c.location = general.data.Location;
        }
        return c;
    }
    if ((base.starts_with("TYPES_") && base.ends_with(".FIL")) || HoldsTypesLines(bytes)) {
        return ParseTypesFile(bytes, locale);
    }
    return ParseCoefficientTable(bytes, locale);
}

} // namespace pyrostat
