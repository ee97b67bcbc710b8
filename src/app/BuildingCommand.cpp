#include "app/BuildingCommand.h"

#include "app/CommandOptions.h"
#include "app/ExitCodes.h"
#include "app/ListedFaults.h"
#include "app/SystemLocale.h"
#include "billing/HistoryStore.h"
#include "billing/Iban.h"
#include "platform/FileAccess.h"
#include "platform/LocalDate.h"

#include <charconv>
#include <ostream>

namespace pyrostat {

namespace {

void Usage(std::ostream& err) {
    err << "Χρήση: pyrostat building ΣΥΝΤΕΛΕΣΤΕΣ [--owners ΑΡΧΕΙΟ [--from ΗΜΕΡΟΜΗΝΙΑ]]\n"
           "         [--iban IBAN] [--manager ΟΝΟΜΑ] [--phone ΤΗΛΕΦΩΝΟ] [--days ΗΜΕΡΕΣ]\n"
           "  χωρίς επιλογές δείχνει τα στοιχεία πληρωμής και τους ιδιοκτήτες του κτιρίου\n"
           "  --owners  πίνακας με tab «Ιδιοκτησία (όνομα ή αριθμός), ιδιοκτήτης[, e-mail\n"
           "            [, τηλέφωνο]]»· ένας νέος ιδιοκτήτης ισχύει από την ημερομηνία του\n"
           "            --from (χωρίς αυτή: ο πρώτος από την αρχή, κάθε επόμενος από σήμερα)\n"
           "  --days    ημέρες για την πληρωμή μετά το τέλος της περιόδου (1 έως 365)\n"
           "  Κατάσταση εξόδου: 0 εμφανίστηκαν ή αποθηκεύτηκαν, 1 χρήση ή αρχείο,\n"
           "  2 τιμή που απορρίφθηκε (δεν αποθηκεύεται τίποτα)\n";
}

std::string HeldFrom(const std::string& iso) {
    if (iso.empty()) {
        return "από την αρχή";
    }
    const std::optional<BillDate> day = ParseBillDate(iso);
    return "από " + (day ? FormatBillDate(*day) : iso);
}

void Show(BillingHistory& history, int64_t building, const BillingCoefficients& coefficients,
          std::ostream& out) {
    const BillingDetails d = history.Details(building);
    auto orDash = [](const std::string& text) { return text.empty() ? std::string("—") : text; };
    out << "Κτίριο: " << orDash(coefficients.title) << '\n';
    out << "Διαχειριστής: " << orDash(d.manager) << "\tΤηλέφωνο: " << orDash(d.phone) << '\n';
    out << "IBAN: " << (d.iban.empty() ? std::string("—") : GroupedIban(d.iban)) << '\n';
    out << "Προθεσμία πληρωμής: "
        << (d.daysToPay > 0 ? std::to_string(d.daysToPay) + " ημέρες μετά το τέλος της περιόδου"
                            : std::string("—"))
        << '\n';
    const std::vector<BillingHistory::OwnerEntry> owners = history.OwnerHistory(building);
    out << "Ιδιοκτήτες:" << (owners.empty() ? " —" : "") << '\n';
    for (const CoefficientLine& line : coefficients.lines) {
        for (const BillingHistory::OwnerEntry& e : owners) {
            if (e.number != line.number) {
                continue;
            }
            out << line.number << '\t' << coefficients.DisplayName(line) << '\t' << e.owner.name
                << '\t' << e.owner.email << '\t' << e.owner.phone << '\t' << HeldFrom(e.validFrom)
                << '\n';
        }
    }
}

BillDate Today() {
    return ParseBillDate(TodayText()).value_or(BillDate{1970, 1, 1});
}

} // namespace

int RunBuildingCommand(const std::vector<std::string>& args, const HistoryStore& store,
                       std::ostream& out, std::ostream& err) {
    std::string ownersPath, from, iban, manager, phone, days;
    bool ibanGiven = false, managerGiven = false, phoneGiven = false, daysGiven = false;
    const CommandOption table[] = {
        {"--owners", &ownersPath}, {"--from", &from},   {"--iban", &iban},
        {"--manager", &manager},   {"--phone", &phone}, {"--days", &days},
    };
    const std::optional<std::vector<std::string>> files = ParseCommandOptions(args, table, err);
    if (!files || files->size() != 1 || (!from.empty() && ownersPath.empty())) {
        Usage(err);
        return kExitUsage;
    }
    for (const std::string& arg : args) {
        const std::string name = arg.substr(0, arg.find('='));
        ibanGiven = ibanGiven || name == "--iban";
        managerGiven = managerGiven || name == "--manager";
        phoneGiven = phoneGiven || name == "--phone";
        daysGiven = daysGiven || name == "--days";
    }
    const std::string& coefficientsPath = files->front();

    // Every value is read before anything is stored.
    std::vector<std::string> faults;
    IbanRead readIban;
    if (ibanGiven && !iban.empty()) {
        readIban = ReadIban(iban);
        if (!readIban.Ok()) {
            faults.push_back(readIban.fault);
        }
    }
    int daysToPay = 0;
    if (daysGiven && !days.empty()) {
        const auto [end, ec] = std::from_chars(days.data(), days.data() + days.size(), daysToPay);
        if (ec != std::errc() || end != days.data() + days.size() || daysToPay < 1 ||
            daysToPay > kMostDaysToPay) {
            faults.push_back("Οι ημέρες πληρωμής «" + days + "» δεν είναι αριθμός από 1 έως " +
                             std::to_string(kMostDaysToPay) + ".");
        }
    }
    std::optional<BillDate> fromDay;
    if (!from.empty()) {
        fromDay = ParseBillDate(from);
        if (!fromDay) {
            faults.push_back("Η ημερομηνία «" + from +
                             "» δεν είναι έγκυρη (π.χ. 15/10/2026 ή 2026-10-15).");
        }
    }
    const BillingCoefficients coefficients =
        LoadCoefficients(coefficientsPath, SystemNumberLocale());
    if (coefficients.unreadable) {
        err << coefficients.faults.front() << '\n';
        return kExitFileProblem;
    }
    if (!coefficients.Ok()) {
        WriteListedFaults(
            err, coefficients.faults.size(), [&](size_t i) { return coefficients.faults[i]; },
            [&](size_t left) { return "... και άλλα " + std::to_string(left) + " σφάλματα."; });
        return kExitRefused;
    }
    OwnersRead owners;
    if (!ownersPath.empty()) {
        std::string bytes;
        if (const FileProblem problem = ReadRegularFile(ownersPath, bytes);
            problem != FileProblem::None) {
            err << "ΔΕΝ είναι δυνατή η ανάγνωση των ιδιοκτητών: "
                << FileProblemMessage(ownersPath, problem) << '\n';
            return kExitFileProblem;
        }
        owners = ReadOwnersTable(bytes, coefficients);
        faults.insert(faults.end(), owners.faults.begin(), owners.faults.end());
        if (owners.faults.empty() && owners.owners.empty()) {
            faults.push_back("Ο πίνακας " + ownersPath + " δεν έχει κανέναν ιδιοκτήτη.");
        }
    }
    if (!faults.empty()) {
        WriteListedFaults(
            err, faults.size(), [&](size_t i) { return faults[i]; },
            [&](size_t left) { return "... και άλλα " + std::to_string(left) + " σφάλματα."; });
        err << "Δεν αποθηκεύτηκε τίποτα.\n";
        return kExitRefused;
    }

    try {
        const std::unique_ptr<BillingHistory> opened = OpenHistory(store);
        BillingHistory& history = *opened;
        const BuildingKey key = BuildingKeyOf(coefficientsPath, coefficients);
        const bool changes = ibanGiven || managerGiven || phoneGiven || daysGiven;
        if (!changes && owners.owners.empty()) {
            // Looked at, not added: a building with nothing stored shows empty.
            const std::optional<int64_t> found = history.FindBuilding(key);
            Show(history, found.value_or(-1), coefficients, out);
            return kExitOk;
        }
        const int64_t building = history.FindOrAddBuilding(key);
        if (changes) {
            BillingDetails details = history.Details(building);
            if (ibanGiven) {
                details.iban = readIban.iban;
            }
            if (managerGiven) {
                details.manager = manager;
            }
            if (phoneGiven) {
                details.phone = phone;
            }
            if (daysGiven) {
                details.daysToPay = daysToPay;
            }
            history.SetDetails(building, details);
            out << "Αποθηκεύτηκαν τα στοιχεία πληρωμής του κτιρίου.\n";
        }
        if (!owners.owners.empty()) {
            const std::map<int, std::string> held =
                history.SetOwners(building, owners.owners, fromDay, Today());
            out << "Αποθηκεύτηκαν " << held.size() << " ιδιοκτήτες.\n";
        }
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return kExitFileProblem;
    }
    return kExitOk;
}

} // namespace pyrostat
