#include "app/BillCommand.h"

#include "app/SystemLocale.h"

#include "app/CommandOptions.h"
#include "app/ExitCodes.h"
#include "app/ListedFaults.h"
#include "billing/BillSheets.h"
#include "billing/BillTsv.h"
#include "billing/BillingHistory.h"
#include "billing/CarryForward.h"
#include "billing/PeriodBill.h"
#include "platform/FileAccess.h"

#include <filesystem>
#include <istream>
#include <iterator>
#include <memory>
#include <ostream>

namespace pyrostat {

namespace {

void Usage(std::ostream& err) {
    err << "Χρήση: pyrostat bill ΣΥΝΤΕΛΕΣΤΕΣ ΕΝΔΕΙΞΕΙΣ --cost ΠΟΣΟ [--method hours|energy]\n"
           "         [--from ΗΜΕΡΟΜΗΝΙΑ --to ΗΜΕΡΟΜΗΝΙΑ] [--estimate] [--save] [--carry]\n"
           "         [--decimal ,|.] [--tsv Α] [--pdf Α.pdf]\n"
           "         [--xlsx Α.xlsx] [--notices Α.pdf] [--notices-dir ΦΑΚΕΛΟΣ] [--due ΗΜΕΡΟΜΗΝΙΑ]\n"
           "  ΣΥΝΤΕΛΕΣΤΕΣ: μελέτη .pyx, αρχείο TYPES_*.FIL ή πίνακας με tab «όνομα, e, f»\n"
           "               ή «όνομα, FE, ΟΜΣ, e»\n"
           "  ΕΝΔΕΙΞΕΙΣ:   πίνακας με tab «Ιδιοκτησία (όνομα ή αριθμός), ώρες» ή\n"
           "               «Ιδιοκτησία, προηγούμενη, τρέχουσα», με σημειώσεις «κλειστό» και\n"
           "               «αντικατάσταση ΠΑΛΙΑ_ΤΕΛΙΚΗ ΝΕΑ_ΑΡΧΙΚΗ»; «-» για την είσοδο\n"
           "  ΗΜΕΡΟΜΗΝΙΑ:  15/10/2026 ή 2026-10-15\n"
           "  --decimal    η υποδιαστολή των ενδείξεων και της δαπάνης (το άλλο σημάδι\n"
           "               χωρίζει μόνο χιλιάδες) και των αριθμών που τυπώνονται· χωρίς\n"
           "               αυτή, μια τιμή όπως «1.500» που διαβάζεται με δύο τρόπους δεν\n"
           "               γίνεται δεκτή, και τα φύλλα τυπώνουν όπως οι τοπικές ρυθμίσεις\n"
           "  --save       αποθήκευση στο ιστορικό του κτιρίου, μόνο όταν γραφτούν όλα τα\n"
           "               αρχεία που ζητήθηκαν\n"
           "  --notices-dir  ένα PDF ειδοποιητήριο ανά Ιδιοκτησία στον φάκελο, με όνομα την\n"
           "               περίοδο, τον αριθμό και το όνομα της Ιδιοκτησίας\n"
           "  --due        η προθεσμία πληρωμής των ειδοποιητηρίων (χωρίς αυτή: το τέλος της\n"
           "               περιόδου και οι ημέρες πληρωμής του κτιρίου, pyrostat building)\n"
           "  --carry      προηγούμενες ενδείξεις από την τελευταία αποθηκευμένη περίοδο: οι\n"
           "               ΕΝΔΕΙΞΕΙΣ έχουν μόνο την τρέχουσα ένδειξη κάθε Ιδιοκτησίας\n"
           "  Κατάσταση εξόδου: 0 ο λογαριασμός έγινε, 1 χρήση ή αρχείο, 2 σφάλμα στους\n"
           "  συντελεστές ή στις ενδείξεις (δεν γράφεται τίποτα)\n";
}

struct Options {
    std::string coefficients, readings, cost, method = "hours", from, to;
    std::string tsv, pdf, xlsx, notices, noticesDir, due, decimal;
    bool estimate = false, save = false, carry = false;
};

bool Parse(const std::vector<std::string>& args, Options& o, std::ostream& err) {
    const CommandOption table[] = {
        {"--cost", &o.cost},
        {"--method", &o.method},
        {"--from", &o.from},
        {"--to", &o.to},
        {"--tsv", &o.tsv},
        {"--pdf", &o.pdf},
        {"--xlsx", &o.xlsx},
        {"--notices", &o.notices},
        {"--notices-dir", &o.noticesDir},
        {"--due", &o.due},
        {"--decimal", &o.decimal},
        {"--estimate", nullptr, &o.estimate},
        {"--save", nullptr, &o.save},
        {"--carry", nullptr, &o.carry},
    };
    const std::optional<std::vector<std::string>> parsed = ParseCommandOptions(args, table, err);
    if (!parsed) {
        return false;
    }
    const std::vector<std::string>& files = *parsed;
    if (files.size() != 2) {
        err << "Δώστε το αρχείο των συντελεστών και το αρχείο των ενδείξεων.\n";
        return false;
    }
    o.coefficients = files[0];
    o.readings = files[1];
    if (o.cost.empty()) {
        err << "Δώστε τη δαπάνη της περιόδου με --cost.\n";
        return false;
    }
    if (o.save && (o.from.empty() || o.to.empty())) {
        err << "Για την αποθήκευση (--save) δώστε τις ημερομηνίες της περιόδου (--from, --to).\n";
        return false;
    }
    if (!o.due.empty() && !ParseBillDate(o.due)) {
        err << "Η προθεσμία «" << o.due << "» δεν είναι έγκυρη ημερομηνία (π.χ. 15/05/2027).\n";
        return false;
    }
    if (!o.decimal.empty() && o.decimal != "," && o.decimal != ".") {
        err << "Το --decimal δέχεται μόνο , (κόμμα) ή . (τελεία).\n";
        return false;
    }
    return true;
}

// The files the bill is to write, each checked before anything is read,
// billed or stored: none may be one of the inputs or another output, and
// each must be writable where it is named.
int CheckOutputs(const Options& o, std::ostream& err) {
    std::vector<const std::string*> outputs;
    for (const std::string* path : {&o.tsv, &o.pdf, &o.xlsx, &o.notices}) {
        if (!path->empty()) {
            outputs.push_back(path);
        }
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        const std::string& path = *outputs[i];
        for (const std::string* input : {&o.coefficients, &o.readings}) {
            if (!(input == &o.readings && *input == "-") && SameFile(path, *input)) {
                err << "Το αρχείο εξόδου " << path << " είναι το αρχείο εισόδου " << *input
                    << ": δεν γράφεται πάνω του. Δώστε άλλο όνομα.\n";
                return kExitUsage;
            }
        }
        for (size_t j = 0; j < i; ++j) {
            if (SameFile(path, *outputs[j])) {
                err << "Δύο αρχεία εξόδου έχουν το ίδιο όνομα: " << path << ".\n";
                return kExitUsage;
            }
        }
        if (const FileProblem problem = WriteProblem(path); problem != FileProblem::None) {
            err << "ΔΕΝ είναι δυνατή η εγγραφή: " << FileProblemMessage(path, problem)
                << " Ο λογαριασμός δεν έγινε και τίποτα δεν αποθηκεύτηκε.\n";
            return kExitFileProblem;
        }
    }
    if (!o.noticesDir.empty()) {
        // The folder of the notices: made when missing, refused when a file
        // stands at its name.
        std::error_code error;
        std::filesystem::create_directories(o.noticesDir, error);
        if (!std::filesystem::is_directory(o.noticesDir, error)) {
            err << "Ο φάκελος των ειδοποιητηρίων " << o.noticesDir
                << " δεν είναι φάκελος ή δεν δημιουργείται. Ο λογαριασμός δεν έγινε.\n";
            return kExitFileProblem;
        }
    }
    return kExitOk;
}

// Whether the history file is there to read: anything standing at its name
// (a link, a loop of links, something the user may not look into) counts,
// so that opening it tells what is wrong with it.
bool HistoryPresent(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    if (error) {
        return error != std::errc::no_such_file_or_directory;
    }
    return status.type() != std::filesystem::file_type::not_found;
}

bool WriteText(const std::string& path, const std::string& text, std::ostream& err) {
    const FileProblem problem = ReplaceFileSafely(path, text);
    if (problem != FileProblem::None) {
        err << "ΔΕΝ γράφτηκε: " << FileProblemMessage(path, problem) << '\n';
        return false;
    }
    return true;
}

} // namespace

bool BillWantsSheets(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        const std::string name = arg.substr(0, arg.find('='));
        if (name == "--pdf" || name == "--xlsx" || name == "--notices" || name == "--notices-dir") {
            return true;
        }
    }
    return false;
}

int RunBillCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, const BillContext& context) {
    SheetWriter* writer = context.writer;
    Options o;
    if (!Parse(args, o, err)) {
        Usage(err);
        return kExitUsage;
    }
    if (const int status = CheckOutputs(o, err); status != kExitOk) {
        return status;
    }
    std::optional<NumberLocale> locale;
    if (!o.decimal.empty()) {
        locale = o.decimal == "," ? NumberLocale::Greek() : NumberLocale::English();
    }
    BillRequest request;
    // Printed as the user's locale writes numbers, or as --decimal says.
    request.locale = locale ? *locale : SystemNumberLocale();
    const std::optional<int64_t> cost =
        locale ? ParseEuroCents(o.cost, *locale) : ParseEuroCents(o.cost);
    if (!cost) {
        err << "Η δαπάνη «" << o.cost
            << "» δεν είναι ποσό σε ευρώ (μη αρνητικό, με έως δύο δεκαδικά).\n";
        return kExitUsage;
    }
    request.costCents = *cost;
    if (o.method == "hours") {
        request.method = MeterMethod::Hours;
    } else if (o.method == "energy") {
        request.method = MeterMethod::Energy;
    } else {
        err << "Το --method δέχεται μόνο hours (ωρομετρητές) ή energy (θερμιδομετρητές).\n";
        return kExitUsage;
    }
    for (auto [text, date] : {std::pair{&o.from, &request.from}, std::pair{&o.to, &request.to}}) {
        if (!text->empty()) {
            *date = ParseBillDate(*text);
            if (!*date) {
                err << "Η ημερομηνία «" << *text
                    << "» δεν είναι έγκυρη (π.χ. 15/10/2026 ή 2026-10-15).\n";
                return kExitUsage;
            }
        }
    }
    request.estimate = o.estimate;
    if ((!o.pdf.empty() || !o.xlsx.empty() || !o.notices.empty() || !o.noticesDir.empty()) &&
        writer == nullptr) {
        err << "Τα φύλλα (--pdf, --xlsx, --notices) δεν γράφονται χωρίς τον σχεδιαστή των "
               "εκτυπώσεων.\n";
        return kExitUsage;
    }

    const BillingCoefficients coefficients = LoadCoefficients(o.coefficients, request.locale);
    std::string readingsBytes;
    if (o.readings == "-") {
        readingsBytes.assign(std::istreambuf_iterator<char>(in), {});
    } else {
        const FileProblem problem = ReadRegularFile(o.readings, readingsBytes);
        if (problem != FileProblem::None) {
            err << "ΔΕΝ είναι δυνατή η ανάγνωση των ενδείξεων: "
                << FileProblemMessage(o.readings, problem) << '\n';
            return kExitFileProblem;
        }
    }
    if (coefficients.unreadable) {
        err << coefficients.faults.front() << '\n';
        return kExitFileProblem;
    }
    ReadingsTable readings = ParseReadings(readingsBytes, true, 1, locale);

    // The stored history of the building, when the bill needs it: to store,
    // to carry the readings forward, to estimate and to compare.
    std::unique_ptr<BillingHistory> history;
    std::vector<StoredPeriod> latest;
    const BuildingKey key = BuildingKeyOf(o.coefficients, coefficients);
    // A server is there to ask; a file only when it was made.
    const bool historyExists = context.history.OnServer() || (!context.history.file.empty() &&
                                                              HistoryPresent(context.history.file));
    if (o.save || o.carry || historyExists) {
        if (!context.history.OnServer() && context.history.file.empty()) {
            err << "Δεν υπάρχει φάκελος του προγράμματος για το ιστορικό.\n";
            return kExitFileProblem;
        }
        try {
            history = OpenHistory(context.history);
            if (const auto building = history->FindBuilding(key)) {
                latest = history->LatestPeriods(*building);
            } else if (const std::string note = OtherGeneralDataNote(*history, key);
                       !note.empty()) {
                err << note << '\n';
            }
        } catch (const std::exception& e) {
            if (o.save || o.carry) {
                err << e.what() << '\n';
                return kExitFileProblem;
            }
            // Only the comparisons needed it: the bill is made without them.
            err << e.what() << "\nΟ λογαριασμός γίνεται χωρίς τις συγκρίσεις του ιστορικού.\n";
            history.reset();
            latest.clear();
        }
    }
    if (o.carry) {
        const std::vector<std::string> faults =
            CarryReadingsForward(readings, coefficients, latest, request.from);
        readings.faults.insert(readings.faults.end(), faults.begin(), faults.end());
    }
    request.billedEstimates = BilledEstimatesBefore(latest, request.from);
    if (o.estimate) {
        std::vector<StoredPeriod> others;
        for (const StoredPeriod& p : latest) {
            if (!(request.from && p.from == *request.from && request.to && p.to == *request.to)) {
                others.push_back(p);
            }
        }
        request.historicalShares = HistoricalShares(others, request.method);
    }
    const PeriodBill bill = MakePeriodBill(coefficients, readings, request);
    if (!bill.Ok()) {
        WriteListedFaults(
            err, bill.faults.size(), [&](size_t i) { return bill.faults[i]; },
            [&](size_t left) {
                return "... και άλλα " + std::to_string(left) + " σφάλματα (" +
                       std::to_string(bill.faults.size()) + " συνολικά).";
            });
        err << "Ο λογαριασμός της περιόδου ΔΕΝ έγινε.\n";
        return kExitRefused;
    }
    if (o.save) {
        // A period that overlaps a stored one is refused before anything is
        // written; the store checks it again under its lock.
        try {
            if (const auto building = history->FindBuilding(key)) {
                const std::string overlap =
                    history->OverlapFault(*building, *request.from, *request.to);
                if (!overlap.empty()) {
                    err << overlap << '\n';
                    return kExitRefused;
                }
            }
        } catch (const std::exception& e) {
            err << e.what() << '\n';
            return kExitFileProblem;
        }
    }
    std::vector<PropertyComparison> comparisons;
    if (history) {
        comparisons = ComparePeriod(bill, latest);
    }
    // To whom the notices go and how they are paid: what the history keeps
    // with the building (a building stored now is added first, for its
    // payment reference).
    NoticeAddress address;
    if (!o.due.empty()) {
        address.due = ParseBillDate(o.due);
    }
    if (history && (!o.notices.empty() || !o.noticesDir.empty())) {
        try {
            std::optional<int64_t> building = history->FindBuilding(key);
            if (!building && o.save) {
                building = history->FindOrAddBuilding(key);
            }
            if (building) {
                address.building = *building;
                address.details = history->Details(*building);
                address.owners =
                    history->OwnersOn(*building, request.to.value_or(BillDate{9999, 12, 31}));
            }
        } catch (const std::exception& e) {
            err << e.what() << '\n';
            return kExitFileProblem;
        }
    }
    const std::vector<PropertyComparison>* compared = history ? &comparisons : nullptr;
    const std::string tsv = BillTsv(bill);
    bool written = true;
    if (o.tsv.empty()) {
        out << tsv;
    } else {
        written = WriteText(o.tsv, tsv, err) && written;
    }
    std::string error;
    if (!o.pdf.empty() || !o.xlsx.empty()) {
        const SheetModel sheet = PeriodSheet(bill, coefficients, compared);
        if (!o.pdf.empty() && !writer->WritePdf(sheet, o.pdf, request.locale, error)) {
            err << "ΔΕΝ γράφτηκε το " << o.pdf << ": " << error << '\n';
            written = false;
        }
        if (!o.xlsx.empty() && !writer->WriteXlsx(sheet, o.xlsx, error)) {
            err << "ΔΕΝ γράφτηκε το " << o.xlsx << ": " << error << '\n';
            written = false;
        }
    }
    if (!o.notices.empty() &&
        !writer->WritePdf(NoticesSheet(bill, coefficients, compared, &address), o.notices,
                          request.locale, error)) {
        err << "ΔΕΝ γράφτηκε το " << o.notices << ": " << error << '\n';
        written = false;
    }
    if (!o.noticesDir.empty()) {
        int files = 0;
        for (size_t i = 0; i < bill.lines.size(); ++i) {
            const std::string file =
                (std::filesystem::path(o.noticesDir) / NoticeFileName(bill, bill.lines[i]))
                    .string();
            if (!writer->WritePdf(NoticesSheet(bill, coefficients, compared, &address, i), file,
                                  request.locale, error)) {
                err << "ΔΕΝ γράφτηκε το " << file << ": " << error << '\n';
                written = false;
                break;
            }
            ++files;
        }
        err << "Γράφτηκαν " << files << " ειδοποιητήρια στον φάκελο " << o.noticesDir << ".\n";
    }
    if (bill.manyEstimates) {
        err << ManyEstimatesWarning(bill) << '\n';
    }
    if (bill.scaled) {
        err << ScaleFactorNote(bill) << '\n';
    }
    for (const std::string& note : bill.notes) {
        err << note << '\n';
    }
    if (!written) {
        if (o.save) {
            err << "Ο λογαριασμός ΔΕΝ αποθηκεύτηκε στο ιστορικό, γιατί δεν γράφτηκαν όλα τα "
                   "αρχεία που ζητήθηκαν.\n";
        }
        return kExitFileProblem;
    }
    // Stored only once everything asked for is written: a run that failed
    // halfway leaves no version behind to be doubled by the next one.
    if (o.save) {
        try {
            const StoredPeriod stored = history->Save(key, bill);
            err << "Αποθηκεύτηκε στο ιστορικό: περίοδος " << FormatBillDate(stored.from) << " – "
                << FormatBillDate(stored.to) << ", έκδοση " << stored.version << ".\n";
        } catch (const std::exception& e) {
            err << e.what() << '\n';
            return kExitFileProblem;
        }
    }
    return kExitOk;
}

} // namespace pyrostat
