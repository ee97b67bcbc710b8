#include "app/HistoryCommand.h"

#include "app/CommandOptions.h"
#include "app/ExitCodes.h"
#include "app/SystemLocale.h"
#include "billing/BillNumber.h"
#include "billing/HistoryStore.h"
#include "platform/FileAccess.h"

#include <ostream>

namespace pyrostat {

namespace {

void Usage(std::ostream& err) {
    err << "Χρήση: pyrostat history ΣΥΝΤΕΛΕΣΤΕΣ [--tsv Α] [--export Α]\n"
           "       pyrostat history --export Α\n"
           "       pyrostat history --import Α\n";
}

const char* MethodWord(MeterMethod method) {
    return method == MeterMethod::Energy ? "energy" : "hours";
}

std::string Optional(const std::optional<BillNumber>& n) {
    return n ? FormatFixed(n->value, n->decimals) : std::string();
}

// Every stored line: the period, its version and method, then the property's
// readings and amounts, the full stop as the decimal point.
std::string LinesTsv(const std::vector<StoredPeriod>& periods) {
    std::string text = "from\tto\tversion\tmethod\tnumber\tname\tprevious\tcurrent\tomega\t"
                       "estimated\tclosed\tpercent\tfixed\tvariable\tamount\n";
    for (const StoredPeriod& p : periods) {
        for (const StoredLine& l : p.lines) {
            text += FormatBillDate(p.from) + '\t' + FormatBillDate(p.to) + '\t' +
                    std::to_string(p.version) + '\t' + MethodWord(p.method) + '\t' +
                    std::to_string(l.number) + '\t' + l.name + '\t' + Optional(l.previous) + '\t' +
                    Optional(l.current) + '\t' + FormatFixed(l.omega, l.omegaDecimals) + '\t' +
                    (l.estimated ? "1" : "0") + '\t' + (l.closed ? "1" : "0") + '\t' +
                    FormatFixed(PrintedPercent(l.percent), 5) + '\t' + FormatCents(l.fixedCents) +
                    '\t' + FormatCents(l.variableCents) + '\t' + FormatCents(l.amountCents) + '\n';
        }
    }
    return text;
}

} // namespace

int RunHistoryCommand(const std::vector<std::string>& args, const HistoryStore& store,
                      std::ostream& out, std::ostream& err) {
    std::string tsv, exportPath, importPath;
    const CommandOption table[] = {
        {"--tsv", &tsv},
        {"--export", &exportPath},
        {"--import", &importPath},
    };
    const std::optional<std::vector<std::string>> files = ParseCommandOptions(args, table, err);
    if (!files) {
        Usage(err);
        return kExitUsage;
    }
    if (files->size() > 1) {
        Usage(err);
        return kExitUsage;
    }
    const std::string coefficientsPath = files->empty() ? std::string() : files->front();
    // An import alone; an export alone (every building) or with a study;
    // else a study.
    const bool whole = coefficientsPath.empty() && !exportPath.empty() && tsv.empty();
    if (!whole && importPath.empty() == coefficientsPath.empty()) {
        Usage(err);
        return kExitUsage;
    }
    if (!importPath.empty() && (!exportPath.empty() || !tsv.empty())) {
        Usage(err);
        return kExitUsage;
    }
    try {
        const std::unique_ptr<BillingHistory> opened = OpenHistory(store);
        BillingHistory& history = *opened;
        if (!importPath.empty()) {
            const int added = history.Import(importPath);
            out << "Προστέθηκαν " << added << " περίοδοι από το " << importPath << " στο "
                << store.Describe() << ".\n";
            return kExitOk;
        }
        if (whole) {
            const int buildings = history.ExportAll(exportPath);
            out << "Το ιστορικό " << buildings << (buildings == 1 ? " κτιρίου" : " κτιρίων")
                << " γράφτηκε στο " << exportPath << ".\n";
            return kExitOk;
        }
        const BillingCoefficients coefficients =
            LoadCoefficients(coefficientsPath, SystemNumberLocale());
        if (coefficients.unreadable) {
            err << coefficients.faults.front() << '\n';
            return kExitFileProblem;
        }
        const BuildingKey key = BuildingKeyOf(coefficientsPath, coefficients);
        const auto building = history.FindBuilding(key);
        if (!building) {
            err << "Το ιστορικό δεν έχει περιόδους του κτιρίου " << coefficientsPath << ".\n";
            if (const std::string note = OtherGeneralDataNote(history, key); !note.empty()) {
                err << note << '\n';
            }
            return exportPath.empty() ? kExitOk : kExitFileProblem;
        }
        if (!exportPath.empty()) {
            history.ExportBuilding(*building, exportPath);
            out << "Το ιστορικό του κτιρίου γράφτηκε στο " << exportPath << ".\n";
            return kExitOk;
        }
        const std::vector<StoredPeriod> periods = history.Periods(*building);
        if (!tsv.empty()) {
            const FileProblem problem = ReplaceFileSafely(tsv, LinesTsv(periods));
            if (problem != FileProblem::None) {
                err << "ΔΕΝ γράφτηκε: " << FileProblemMessage(tsv, problem) << '\n';
                return kExitFileProblem;
            }
            return kExitOk;
        }
        out << "Από\tΈως\tΈκδοση\tΜετρητές\tΔαπάνη €\tΣΩ\tΕκτιμήσεις\tΑποθηκεύτηκε\n";
        for (const StoredPeriod& p : periods) {
            int decimals = 0;
            for (const StoredLine& l : p.lines) {
                decimals = std::max(decimals, l.omegaDecimals);
            }
            out << FormatBillDate(p.from) << '\t' << FormatBillDate(p.to) << '\t' << p.version
                << '\t' << (p.method == MeterMethod::Energy ? "θερμιδομετρητές" : "ωρομετρητές")
                << '\t' << FormatCents(p.costCents) << '\t' << FormatFixed(p.SumOmega(), decimals)
                << '\t' << p.Estimates() << '\t' << p.storedAt << '\n';
        }
        return kExitOk;
    } catch (const std::exception& e) {
        // The history's own message, or SQLite's for a file damaged inside.
        err << "Το ιστορικό (" << store.Describe() << "): " << e.what() << '\n';
        return kExitFileProblem;
    }
}

} // namespace pyrostat
