#pragma once

#include "billing/BuildingDetails.h"
#include "billing/HistoryDatabase.h"
#include "billing/PeriodBill.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pyrostat {

// The building a bill belongs to: the coefficients' file and its general data.
struct BuildingKey {
    std::string studyPath; // absolute
    std::string title, employer, project, location;
    // Its properties (number, name): with the general data, they find the
    // building again when the study was moved, copied or renamed.
    std::vector<std::pair<int, std::string>> properties;
};

// One property's line of a stored bill.
struct StoredLine {
    int number = 0;
    std::string name;
    double fe = 0, oms = 0, e = 0;
    std::optional<BillNumber> previous, current;
    double omega = 0;
    int omegaDecimals = 0;
    bool closed = false, replaced = false, estimated = false;
    BillNumber oldFinal, newStart;
    double percent = 0;
    int64_t fixedCents = 0, variableCents = 0, amountCents = 0;
};

// A stored bill of a period. A correction is another version of the same
// dates; the earlier versions stay.
struct StoredPeriod {
    int64_t id = 0;
    int version = 1;
    BillDate from, to;
    MeterMethod method = MeterMethod::Hours;
    int64_t costCents = 0;
    double factor = 1;
    std::string storedAt; // "2026-12-07 10:15:00", UTC
    std::vector<StoredLine> lines;

    double SumOmega() const;
    int Estimates() const;
};

// Every bill of every building, in one database: the SQLite file of a desk or
// an office's PostgreSQL server. A schema version with its migrations, each
// bill written in one transaction, and stored bills that cannot be changed or
// deleted, on both.
class BillingHistory {
public:
    static constexpr int kSchemaVersion = 3;

    // Opens the database, creating it (and its folder) when missing, and
    // brings an older schema up to date. Throws HistoryError with a Greek
    // text for a database of a newer program, a damaged file or one that
    // cannot be opened; such a file is left as it is.
    explicit BillingHistory(const std::string& path);

    // A history file read without a change to it (an export to import): its
    // copy in memory, brought up to date there. Throws HistoryError for a
    // file that is no history of this program, as the constructor does.
    struct ReadOnly {};
    BillingHistory(ReadOnly, const std::string& path);

    // The history in a database opened already (a server's): checked and
    // brought up to date as a file is. Throws HistoryError as above.
    explicit BillingHistory(std::unique_ptr<HistoryDatabase> db);

    // Where the history is, for messages: a file's path, or the server.
    const std::string& Where() const { return where_; }
    int SchemaVersion();

    // The building of the study at its path; else the one stored building
    // with the same general data and properties (the study moved or
    // copied). Throws HistoryError when several stored buildings could be
    // meant, naming their studies.
    std::optional<int64_t> FindBuilding(const BuildingKey& key);
    // The studies of the stored buildings the key could mean, when it has
    // none of its own and more than one fits (for the window to ask which);
    // empty otherwise.
    std::vector<std::string> BuildingsThatCouldBeMeant(const BuildingKey& key);
    // The same, adding the building when there is none; a building found
    // after its study moved keeps the study's new place.
    int64_t FindOrAddBuilding(const BuildingKey& key);

    // The stored period (latest version) whose dates overlap these without
    // being the same dates, told in Greek; empty when there is none.
    std::string OverlapFault(int64_t building, const BillDate& from, const BillDate& to);
    std::vector<std::pair<int64_t, BuildingKey>> Buildings();

    // Stores the bill of a period (its dates are needed) as the next version
    // of those dates; returns it as stored.
    StoredPeriod Save(const BuildingKey& building, const PeriodBill& bill);

    // The building's periods, oldest first, every version.
    std::vector<StoredPeriod> Periods(int64_t building, bool withLines = true);
    // One stored period with its lines.
    std::optional<StoredPeriod> Period(int64_t id);
    // The latest version of each period, oldest first.
    std::vector<StoredPeriod> LatestPeriods(int64_t building);

    // One building's whole history to a new database file, and back in: the
    // periods a database holds already (same dates and version) are skipped.
    // Import returns how many periods it added.
    void ExportBuilding(int64_t building, const std::string& path);
    // Every building to a new database file (an office moved to another
    // store); how many buildings.
    int ExportAll(const std::string& path);
    int Import(const std::string& path);

    // The owners of a building's properties, each from a day on: a new
    // owner from `from` leaves the periods before it with the one before.
    // Without a day, an owner is the property's first from the start, and a
    // later one holds from `today`. One transaction; returns, by property,
    // the day each owner holds from (empty: from the start).
    std::map<int, std::string> SetOwners(int64_t building, const std::map<int, Owner>& owners,
                                         const std::optional<BillDate>& from,
                                         const BillDate& today);
    // Who owns each property on `day` (a property with no owner yet: none).
    std::map<int, Owner> OwnersOn(int64_t building, const BillDate& day);
    struct OwnerEntry {
        int number = 0;
        std::string validFrom; // "2027-01-01", empty: from the start
        Owner owner;
    };
    // Every owner of the building, by property and day.
    std::vector<OwnerEntry> OwnerHistory(int64_t building);

    // The manager, the account and the days to pay of the building (all
    // empty when never set).
    BillingDetails Details(int64_t building);
    void SetDetails(int64_t building, const BillingDetails& details);

    // Every building with what the buildings window lists of it: its last
    // period (latest version), how many periods, the estimates of the last
    // one, and whether a draft waits. By title, then study. One query.
    struct BuildingSummary {
        int64_t id = 0;
        BuildingKey key;
        int periods = 0; // stored periods, each once whatever its versions
        std::optional<BillDate> lastFrom, lastTo;
        int lastVersion = 0;
        int64_t lastCostCents = 0;
        int lastEstimates = 0;
        bool draftWaiting = false;
    };
    std::vector<BuildingSummary> BuildingSummaries();

    // What was typed in the period window and not yet billed, as the window
    // writes it; one draft a building, dropped when a period is stored.
    struct Draft {
        std::string savedAt; // "2026-12-07 10:15:00", UTC
        std::string content;
    };
    void SaveDraft(int64_t building, const std::string& content);
    std::optional<Draft> DraftOf(int64_t building);
    void DiscardDraft(int64_t building);

    // The columns the building's readings files were last read with.
    std::string ImportColumns(int64_t building);
    void SetImportColumns(int64_t building, const std::string& mapping);

    HistoryDatabase& Database() { return *db_; }

private:
    void Migrate();
    std::optional<int64_t> BuildingAt(const BuildingKey& key);
    std::vector<std::pair<int64_t, std::string>> SameBuildings(const BuildingKey& key);
    // Refuses a schema version this program does not know, and a database
    // that holds tables but no version (another program's).
    void CheckVersion();
    // The period and its lines (the properties added when new); its id.
    int64_t InsertPeriod(int64_t building, const StoredPeriod& period);
    void Export(const std::vector<std::pair<int64_t, BuildingKey>>& buildings,
                const std::string& path);
    // One building of another history (its id and key there) into this
    // one, inside a transaction of this one: matched to one here when it is
    // there; the periods it has not, its owners, and what it keeps of its
    // own. How many periods.
    int CopyBuilding(BillingHistory& source, int64_t sourceId, BuildingKey key);
    std::string where_;
    std::unique_ptr<HistoryDatabase> db_;
};

class HistoryError : public std::exception {
public:
    explicit HistoryError(std::string text) : text_(std::move(text)) {}
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

// A stored bill as the bill it was, for the window and the sheets: the same
// lines, amounts and totals, read back rather than billed again.
PeriodBill BillOfStored(const StoredPeriod& period);
// The coefficients a stored bill was made with.
BillingCoefficients CoefficientsOfStored(const StoredPeriod& period);

// The schema's steps: the first version, then each migration; step k brings
// a database of version k to version k + 1.
const std::vector<const char*>& HistorySchemaSteps(HistoryDialect dialect);

// The building of a coefficients file: its absolute path, and the title and
// general data the coefficients carry.
BuildingKey BuildingKeyOf(const std::string& path, const BillingCoefficients& coefficients);

// "PYXFiles/Billing.sqlite" in the program folder.
inline constexpr const char* kHistoryFileName = "PYXFiles/Billing.sqlite";

// For a `key` the history has no building of (FindBuilding found none): when
// it has the same study with other general data, a Greek note that says so
// and how to go on; empty otherwise.
// A building of the history is its study and its general data together, so a
// change of the general data starts a new history.
std::string OtherGeneralDataNote(BillingHistory& history, const BuildingKey& key);

} // namespace pyrostat
