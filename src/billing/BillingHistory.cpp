#include "billing/BillingHistory.h"

#include "platform/FileAccess.h"
#include "platform/FolderLock.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <set>

namespace pyrostat {

namespace {

// The first version of the schema, as the first program that stored bills
// made it. Later versions are reached by the migrations below, so a new
// database walks the same road as an old one.
constexpr const char* kSchemaV1 = R"sql(
CREATE TABLE building (
    id INTEGER PRIMARY KEY,
    study_path TEXT NOT NULL,
    title TEXT NOT NULL,
    employer TEXT NOT NULL,
    project TEXT NOT NULL,
    location TEXT NOT NULL,
    UNIQUE (study_path, employer, project, location));
CREATE TABLE property (
    id INTEGER PRIMARY KEY,
    building_id INTEGER NOT NULL REFERENCES building(id),
    number INTEGER NOT NULL,
    name TEXT NOT NULL,
    UNIQUE (building_id, number, name));
CREATE TABLE period (
    id INTEGER PRIMARY KEY,
    building_id INTEGER NOT NULL REFERENCES building(id),
    date_from TEXT NOT NULL,
    date_to TEXT NOT NULL,
    version INTEGER NOT NULL,
    method TEXT NOT NULL CHECK (method IN ('hours', 'energy')),
    cost_cents INTEGER NOT NULL,
    scale_factor REAL NOT NULL,
    stored_at TEXT NOT NULL,
    UNIQUE (building_id, date_from, date_to, version));
CREATE TABLE reading (
    period_id INTEGER NOT NULL REFERENCES period(id),
    property_id INTEGER NOT NULL REFERENCES property(id),
    fe REAL NOT NULL, oms REAL NOT NULL, e REAL NOT NULL,
    previous REAL, current REAL,
    omega REAL NOT NULL,
    closed INTEGER NOT NULL, replaced INTEGER NOT NULL,
    old_final REAL, new_start REAL,
    estimated INTEGER NOT NULL,
    percent REAL NOT NULL,
    fixed_cents INTEGER NOT NULL, variable_cents INTEGER NOT NULL, amount_cents INTEGER NOT NULL,
    PRIMARY KEY (period_id, property_id));
CREATE TRIGGER period_kept BEFORE UPDATE ON period
    BEGIN SELECT RAISE(ABORT, 'a stored bill is never changed'); END;
CREATE TRIGGER period_not_deleted BEFORE DELETE ON period
    BEGIN SELECT RAISE(ABORT, 'a stored bill is never deleted'); END;
CREATE TRIGGER reading_kept BEFORE UPDATE ON reading
    BEGIN SELECT RAISE(ABORT, 'a stored bill is never changed'); END;
CREATE TRIGGER reading_not_deleted BEFORE DELETE ON reading
    BEGIN SELECT RAISE(ABORT, 'a stored bill is never deleted'); END;
PRAGMA user_version = 1;
)sql";

// Version 2 keeps the decimals each number was typed with, so that a stored
// bill prints as it was billed, and the count of its lines, so that a bill
// can be told whole.
constexpr const char* kMigrationV2 = R"sql(
ALTER TABLE reading ADD COLUMN omega_decimals INTEGER NOT NULL DEFAULT 2;
ALTER TABLE reading ADD COLUMN previous_decimals INTEGER NOT NULL DEFAULT 0;
ALTER TABLE reading ADD COLUMN current_decimals INTEGER NOT NULL DEFAULT 0;
ALTER TABLE reading ADD COLUMN old_final_decimals INTEGER NOT NULL DEFAULT 0;
ALTER TABLE reading ADD COLUMN new_start_decimals INTEGER NOT NULL DEFAULT 0;
ALTER TABLE period ADD COLUMN line_count INTEGER NOT NULL DEFAULT 0;
CREATE INDEX reading_by_property ON reading(property_id);
CREATE INDEX period_by_building ON period(building_id, date_from);
PRAGMA user_version = 2;
)sql";

// Version 3 keeps with each building what its notices are addressed and paid
// with: the owners of its properties, each from a day on; the manager and
// the account; the readings typed and not yet billed; and the columns of
// the readings' files.
constexpr const char* kMigrationV3 = R"sql(
CREATE TABLE owner (
    building_id INTEGER NOT NULL REFERENCES building(id),
    property_number INTEGER NOT NULL,
    valid_from TEXT NOT NULL,
    name TEXT NOT NULL,
    email TEXT NOT NULL,
    phone TEXT NOT NULL,
    PRIMARY KEY (building_id, property_number, valid_from));
CREATE TABLE billing_details (
    building_id INTEGER PRIMARY KEY REFERENCES building(id),
    manager TEXT NOT NULL,
    phone TEXT NOT NULL,
    iban TEXT NOT NULL,
    days_to_pay INTEGER NOT NULL);
CREATE TABLE draft (
    building_id INTEGER PRIMARY KEY REFERENCES building(id),
    saved_at TEXT NOT NULL,
    content TEXT NOT NULL);
CREATE TABLE import_columns (
    building_id INTEGER PRIMARY KEY REFERENCES building(id),
    mapping TEXT NOT NULL);
PRAGMA user_version = 3;
)sql";

std::optional<BillNumber> NumberAt(const SqliteStatement& s, int value, int decimals) {
    if (s.IsNull(value)) {
        return std::nullopt;
    }
    return BillNumber{s.Real(value), static_cast<int>(s.Int(decimals))};
}

void BindNumber(SqliteStatement& s, int index, const std::optional<BillNumber>& n) {
    if (n) {
        s.Bind(index, n->value);
    } else {
        s.BindNull(index);
    }
}

// The bill as it is stored: its lines with the readings they were billed from.
StoredPeriod StoredPeriodOf(const PeriodBill& bill) {
    StoredPeriod p;
    p.from = *bill.request.from;
    p.to = *bill.request.to;
    p.method = bill.request.method;
    p.costCents = bill.request.costCents;
    p.factor = bill.factor;
    for (const BilledLine& line : bill.lines) {
        StoredLine l;
        l.number = line.coefficients.number;
        l.name = line.name;
        l.fe = line.coefficients.fe;
        l.oms = line.coefficients.oms;
        l.e = line.coefficients.e;
        if (line.reading) {
            l.previous = line.reading->previous;
            l.current = line.reading->current;
            l.replaced = line.reading->replaced;
            l.oldFinal = line.reading->oldFinal;
            l.newStart = line.reading->newStart;
        }
        l.omega = line.omega;
        l.omegaDecimals = line.omegaDecimals;
        l.closed = line.closed;
        l.estimated = line.estimated;
        l.percent = line.percent;
        l.fixedCents = line.fixedCents;
        l.variableCents = line.variableCents;
        l.amountCents = line.amountCents;
        p.lines.push_back(std::move(l));
    }
    return p;
}

std::string Described(const std::string& path, const SqliteError& error) {
    if (error.Code() == SQLITE_NOTADB || error.Code() == SQLITE_CORRUPT) {
        return "Η βάση του ιστορικού " + path +
               " είναι κατεστραμμένη ή δεν είναι βάση του προγράμματος: έμεινε όπως είναι.";
    }
    return "Η βάση του ιστορικού " + path + " δεν ανοίγει: " + error.Reason() + ".";
}

constexpr const char* kPeriodColumns =
    "id, version, date_from, date_to, method, cost_cents, scale_factor, stored_at";

StoredPeriod PeriodFrom(const SqliteStatement& s) {
    StoredPeriod p;
    p.id = s.Int(0);
    p.version = static_cast<int>(s.Int(1));
    p.from = ParseBillDate(s.Text(2)).value_or(BillDate{});
    p.to = ParseBillDate(s.Text(3)).value_or(BillDate{});
    p.method = s.Text(4) == "energy" ? MeterMethod::Energy : MeterMethod::Hours;
    p.costCents = s.Int(5);
    p.factor = s.Real(6);
    p.storedAt = s.Text(7);
    return p;
}

void ReadLines(SqliteDatabase& db, StoredPeriod& p) {
    SqliteStatement s = db.Prepare(
        "SELECT property.number, property.name, fe, oms, e, previous, previous_decimals, current, "
        "current_decimals, omega, omega_decimals, closed, replaced, old_final, "
        "old_final_decimals, new_start, new_start_decimals, estimated, percent, fixed_cents, "
        "variable_cents, amount_cents FROM reading JOIN property ON property.id = "
        "reading.property_id WHERE period_id = ? ORDER BY property.number");
    s.Bind(1, p.id);
    while (s.Step()) {
        StoredLine l;
        l.number = static_cast<int>(s.Int(0));
        l.name = s.Text(1);
        l.fe = s.Real(2);
        l.oms = s.Real(3);
        l.e = s.Real(4);
        l.previous = NumberAt(s, 5, 6);
        l.current = NumberAt(s, 7, 8);
        l.omega = s.Real(9);
        l.omegaDecimals = static_cast<int>(s.Int(10));
        l.closed = s.Int(11) != 0;
        l.replaced = s.Int(12) != 0;
        l.oldFinal = NumberAt(s, 13, 14).value_or(BillNumber{});
        l.newStart = NumberAt(s, 15, 16).value_or(BillNumber{});
        l.estimated = s.Int(17) != 0;
        l.percent = s.Real(18);
        l.fixedCents = s.Int(19);
        l.variableCents = s.Int(20);
        l.amountCents = s.Int(21);
        p.lines.push_back(std::move(l));
    }
}

} // namespace

PeriodBill BillOfStored(const StoredPeriod& p) {
    PeriodBill bill;
    bill.request.method = p.method;
    bill.request.costCents = p.costCents;
    bill.request.from = p.from;
    bill.request.to = p.to;
    bill.periodHours = DaysCounted(p.from, p.to) * kHoursPerDay;
    bill.factor = p.factor;
    bill.scaled = p.factor != 1.0;
    for (const StoredLine& l : p.lines) {
        BilledLine line;
        line.coefficients = {l.number, l.name, l.fe, l.oms, l.e};
        line.name = l.name;
        ReadingLine reading;
        reading.property = std::to_string(l.number);
        reading.previous = l.previous;
        reading.current = l.current;
        if (!l.current && !l.estimated && !l.closed) {
            reading.measure = BillNumber{l.omega, l.omegaDecimals};
        }
        reading.closed = l.closed;
        reading.replaced = l.replaced;
        reading.oldFinal = l.oldFinal;
        reading.newStart = l.newStart;
        line.reading = reading;
        line.omega = l.omega;
        line.omegaDecimals = l.omegaDecimals;
        line.closed = l.closed;
        line.estimated = l.estimated;
        line.percent = l.percent;
        line.fixedCents = l.fixedCents;
        line.variableCents = l.variableCents;
        line.amountCents = l.amountCents;
        bill.sumOmega += l.omega;
        bill.omegaDecimals = std::max(bill.omegaDecimals, l.omegaDecimals);
        bill.sumFe += l.fe;
        bill.oms = l.oms;
        bill.estimatedCount += l.estimated ? 1 : 0;
        bill.fixedTotal += l.fixedCents;
        bill.variableTotal += l.variableCents;
        bill.lines.push_back(std::move(line));
    }
    const double scale = std::pow(10.0, bill.omegaDecimals);
    bill.sumOmega = std::round(bill.sumOmega * scale) / scale;
    bill.manyEstimates = bill.estimatedCount * 4 > static_cast<int>(bill.lines.size());
    return bill;
}

BillingCoefficients CoefficientsOfStored(const StoredPeriod& p) {
    BillingCoefficients c;
    for (const StoredLine& l : p.lines) {
        c.lines.push_back({l.number, l.name, l.fe, l.oms, l.e});
    }
    return c;
}

const std::vector<const char*>& HistorySchemaSteps() {
    static const std::vector<const char*> steps = {kSchemaV1, kMigrationV2, kMigrationV3};
    return steps;
}

BuildingKey BuildingKeyOf(const std::string& path, const BillingCoefficients& c) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::weakly_canonical(path, error);
    if (error) {
        absolute = std::filesystem::absolute(path, error);
    }
    BuildingKey key{absolute.string(), c.title, c.employer, c.project, c.location, {}};
    for (const CoefficientLine& line : c.lines) {
        key.properties.push_back({line.number, line.name});
    }
    return key;
}

double StoredPeriod::SumOmega() const {
    double sum = 0;
    for (const StoredLine& l : lines) {
        sum += l.omega;
    }
    return sum;
}

int StoredPeriod::Estimates() const {
    int count = 0;
    for (const StoredLine& l : lines) {
        count += l.estimated ? 1 : 0;
    }
    return count;
}

BillingHistory::BillingHistory(const std::string& path) : path_(path) {
    std::error_code error;
    const std::filesystem::path file(path);
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), error);
    }
    if (std::filesystem::is_directory(file, error)) {
        throw HistoryError("Η βάση του ιστορικού " + path + " είναι φάκελος, όχι αρχείο.");
    }
    // A FIFO would hold SQLite's first read for ever; a loop of links or a
    // file out of reach is told by what it is.
    if (const FileProblem problem = ExamineFile(path);
        problem != FileProblem::None && problem != FileProblem::Missing) {
        throw HistoryError("Η βάση του ιστορικού δεν ανοίγει: " +
                           FileProblemMessage(path, problem));
    }
    // Opened, checked and brought up to date one program at a time: several
    // that make a new history at once each find it whole, or not yet begun.
    const FolderLock turn(file.has_parent_path() ? file.parent_path().string() : std::string(),
                          10000);
    try {
        db_ = std::make_unique<SqliteDatabase>(path, true);
        // Reading the version reads the file's header: a damaged file or one
        // of another kind fails here, before anything is written to it.
        CheckVersion();
        db_->Exec("PRAGMA foreign_keys = ON");
        db_->Exec("PRAGMA journal_mode = WAL");
        db_->Exec("PRAGMA synchronous = FULL");
        Migrate();
    } catch (const SqliteError& e) {
        throw HistoryError(Described(path, e));
    }
}

BillingHistory::BillingHistory(ReadOnly, const std::string& path) : path_(path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw HistoryError("Το αρχείο ιστορικού " + path + " δεν υπάρχει ή δεν είναι αρχείο.");
    }
    try {
        db_ = std::make_unique<SqliteDatabase>(SqliteDatabase::InMemoryCopy{}, path);
        CheckVersion();
        if (SchemaVersion() == 0) {
            // An empty file, or an empty database: nothing of a history.
            throw HistoryError("Το αρχείο " + path +
                               " δεν είναι εξαγωγή ιστορικού του προγράμματος.");
        }
        db_->Exec("PRAGMA foreign_keys = ON");
        Migrate();
    } catch (const SqliteError& e) {
        throw HistoryError(Described(path, e));
    }
}

void BillingHistory::CheckVersion() {
    const int version = SchemaVersion();
    if (version > kSchemaVersion || version < 0) {
        throw HistoryError(
            "Η βάση του ιστορικού " + path_ + " είναι από νεότερη έκδοση του προγράμματος (σχήμα " +
            std::to_string(version) + ", αυτή η έκδοση γνωρίζει έως το " +
            std::to_string(kSchemaVersion) + "): δεν αλλάζει. Χρησιμοποιήστε τη νεότερη έκδοση.");
    }
    if (version == 0 && db_->IntOf("SELECT count(*) FROM sqlite_master").value_or(0) != 0) {
        throw HistoryError("Το αρχείο " + path_ +
                           " είναι βάση δεδομένων άλλου προγράμματος: έμεινε όπως είναι.");
    }
}

int BillingHistory::SchemaVersion() {
    return static_cast<int>(db_->IntOf("PRAGMA user_version").value_or(0));
}

void BillingHistory::Migrate() {
    const std::vector<const char*>& steps = HistorySchemaSteps();
    if (SchemaVersion() == kSchemaVersion) {
        return;
    }
    // Each step under the write lock, with the version read again there:
    // several programs that open a new history at once take the steps one
    // after the other, and each finds what the one before it made.
    for (;;) {
        SqliteDatabase::Transaction transaction(*db_);
        CheckVersion();
        const int version = SchemaVersion();
        if (version == kSchemaVersion) {
            transaction.Commit();
            return;
        }
        db_->Exec(steps[static_cast<size_t>(version)]);
        transaction.Commit();
    }
}

std::optional<int64_t> BillingHistory::BuildingAt(const BuildingKey& key) {
    SqliteStatement s = db_->Prepare("SELECT id FROM building WHERE study_path = ? AND employer = "
                                     "? AND project = ? AND location = ?");
    s.Bind(1, key.studyPath).Bind(2, key.employer).Bind(3, key.project).Bind(4, key.location);
    if (s.Step()) {
        return s.Int(0);
    }
    return std::nullopt;
}

std::vector<std::pair<int64_t, std::string>> BillingHistory::SameBuildings(const BuildingKey& key) {
    std::vector<std::pair<int64_t, std::string>> found;
    if (key.properties.empty()) {
        return found;
    }
    // The buildings of the same title and general data whose latest bill
    // has the same properties.
    SqliteStatement same = db_->Prepare(
        "SELECT id, study_path FROM building WHERE title = ? AND employer = ? AND project = ? "
        "AND location = ? ORDER BY id");
    same.Bind(1, key.title).Bind(2, key.employer).Bind(3, key.project).Bind(4, key.location);
    std::vector<std::pair<int64_t, std::string>> candidates;
    while (same.Step()) {
        candidates.push_back({same.Int(0), same.Text(1)});
    }
    std::vector<std::pair<int, std::string>> wanted = key.properties;
    std::sort(wanted.begin(), wanted.end());
    for (const auto& [id, study] : candidates) {
        SqliteStatement lines = db_->Prepare(
            "SELECT property.number, property.name FROM reading JOIN property ON property.id = "
            "reading.property_id WHERE period_id = (SELECT id FROM period WHERE building_id = ? "
            "ORDER BY date_to DESC, version DESC LIMIT 1) ORDER BY property.number, property.name");
        lines.Bind(1, id);
        std::vector<std::pair<int, std::string>> stored;
        while (lines.Step()) {
            stored.push_back({static_cast<int>(lines.Int(0)), lines.Text(1)});
        }
        if (stored == wanted) {
            found.push_back({id, study});
        }
    }
    return found;
}

std::vector<std::string> BillingHistory::BuildingsThatCouldBeMeant(const BuildingKey& key) {
    std::vector<std::string> studies;
    if (!BuildingAt(key)) {
        const auto same = SameBuildings(key);
        if (same.size() > 1) {
            for (const auto& [id, study] : same) {
                studies.push_back(study);
            }
        }
    }
    return studies;
}

std::optional<int64_t> BillingHistory::FindBuilding(const BuildingKey& key) {
    if (const auto id = BuildingAt(key)) {
        return id;
    }
    const auto found = SameBuildings(key);
    if (found.size() > 1) {
        std::string studies;
        for (const auto& [id, study] : found) {
            studies += "\n  " + study;
        }
        throw HistoryError("Η μελέτη " + key.studyPath +
                           " δεν έχει δικό της ιστορικό, και το ιστορικό έχει περισσότερα από ένα "
                           "κτίρια με τα ίδια γενικά στοιχεία και τις ίδιες Ιδιοκτησίες:" +
                           studies + "\nΑνοίξτε τη μελέτη από τη θέση του κτιρίου που εννοείτε.");
    }
    if (found.empty()) {
        return std::nullopt;
    }
    return found.front().first;
}

int64_t BillingHistory::FindOrAddBuilding(const BuildingKey& key) {
    if (const auto id = FindBuilding(key)) {
        // A study moved or renamed: the building follows it. A copy beside
        // a study still in its place leaves the building where it was.
        SqliteStatement s = db_->Prepare("SELECT study_path FROM building WHERE id = ?");
        s.Bind(1, *id);
        if (s.Step() && s.Text(0) != key.studyPath) {
            std::error_code error;
            const auto status = std::filesystem::symlink_status(s.Text(0), error);
            if (error == std::errc::no_such_file_or_directory ||
                (!error && status.type() == std::filesystem::file_type::not_found)) {
                SqliteStatement move =
                    db_->Prepare("UPDATE OR IGNORE building SET study_path = ? WHERE id = ?");
                move.Bind(1, key.studyPath).Bind(2, *id).Step();
            }
        }
        return *id;
    }
    SqliteStatement s = db_->Prepare("INSERT INTO building (study_path, title, employer, "
                                     "project, location) VALUES (?, ?, ?, ?, ?)");
    s.Bind(1, key.studyPath).Bind(2, key.title).Bind(3, key.employer).Bind(4, key.project);
    s.Bind(5, key.location).Step();
    return db_->LastInsertId();
}

std::string BillingHistory::OverlapFault(int64_t building, const BillDate& from,
                                         const BillDate& to) {
    SqliteStatement s = db_->Prepare(
        "SELECT date_from, date_to FROM period WHERE building_id = ? AND date_from <= ? AND "
        "date_to >= ? AND NOT (date_from = ? AND date_to = ?) ORDER BY date_from LIMIT 1");
    s.Bind(1, building).Bind(2, IsoBillDate(to)).Bind(3, IsoBillDate(from));
    s.Bind(4, IsoBillDate(from)).Bind(5, IsoBillDate(to));
    if (!s.Step()) {
        return {};
    }
    const BillDate otherFrom = ParseBillDate(s.Text(0)).value_or(BillDate{});
    const BillDate otherTo = ParseBillDate(s.Text(1)).value_or(BillDate{});
    return "Η περίοδος " + FormatBillDate(from) + " – " + FormatBillDate(to) +
           " επικαλύπτεται με την αποθηκευμένη περίοδο " + FormatBillDate(otherFrom) + " – " +
           FormatBillDate(otherTo) +
           " του κτιρίου: δεν αποθηκεύεται. Μια διόρθωση δίνει τις ίδιες ημερομηνίες με την "
           "περίοδο που διορθώνει.";
}

std::vector<std::pair<int64_t, BuildingKey>> BillingHistory::Buildings() {
    std::vector<std::pair<int64_t, BuildingKey>> out;
    SqliteStatement s = db_->Prepare(
        "SELECT id, study_path, title, employer, project, location FROM building ORDER BY id");
    while (s.Step()) {
        out.push_back({s.Int(0), {s.Text(1), s.Text(2), s.Text(3), s.Text(4), s.Text(5), {}}});
    }
    return out;
}

int64_t BillingHistory::InsertPeriod(int64_t building, const StoredPeriod& p) {
    SqliteStatement period = db_->Prepare(
        "INSERT INTO period (building_id, date_from, date_to, version, method, cost_cents, "
        "scale_factor, stored_at, line_count) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    period.Bind(1, building)
        .Bind(2, IsoBillDate(p.from))
        .Bind(3, IsoBillDate(p.to))
        .Bind(4, static_cast<int64_t>(p.version))
        .Bind(5, p.method == MeterMethod::Energy ? "energy" : "hours")
        .Bind(6, p.costCents)
        .Bind(7, p.factor)
        .Bind(8, p.storedAt)
        .Bind(9, static_cast<int64_t>(p.lines.size()));
    period.Step();
    const int64_t periodId = db_->LastInsertId();

    SqliteStatement findProperty =
        db_->Prepare("SELECT id FROM property WHERE building_id = ? AND number = ? AND name = ?");
    SqliteStatement addProperty =
        db_->Prepare("INSERT INTO property (building_id, number, name) VALUES (?, ?, ?)");
    SqliteStatement reading = db_->Prepare(
        "INSERT INTO reading (period_id, property_id, fe, oms, e, previous, previous_decimals, "
        "current, current_decimals, omega, omega_decimals, closed, replaced, old_final, "
        "old_final_decimals, new_start, new_start_decimals, estimated, percent, fixed_cents, "
        "variable_cents, amount_cents) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?)");
    for (const StoredLine& l : p.lines) {
        findProperty.Reset();
        findProperty.Bind(1, building).Bind(2, static_cast<int64_t>(l.number)).Bind(3, l.name);
        int64_t property = 0;
        if (findProperty.Step()) {
            property = findProperty.Int(0);
        } else {
            addProperty.Reset();
            addProperty.Bind(1, building).Bind(2, static_cast<int64_t>(l.number)).Bind(3, l.name);
            addProperty.Step();
            property = db_->LastInsertId();
        }
        const auto replaced = [&l](const BillNumber& n) {
            return l.replaced ? std::optional<BillNumber>(n) : std::nullopt;
        };
        reading.Reset();
        reading.Bind(1, periodId).Bind(2, property).Bind(3, l.fe).Bind(4, l.oms).Bind(5, l.e);
        BindNumber(reading, 6, l.previous);
        reading.Bind(7, static_cast<int64_t>(l.previous ? l.previous->decimals : 0));
        BindNumber(reading, 8, l.current);
        reading.Bind(9, static_cast<int64_t>(l.current ? l.current->decimals : 0));
        reading.Bind(10, l.omega).Bind(11, static_cast<int64_t>(l.omegaDecimals));
        reading.Bind(12, static_cast<int64_t>(l.closed));
        reading.Bind(13, static_cast<int64_t>(l.replaced));
        BindNumber(reading, 14, replaced(l.oldFinal));
        reading.Bind(15, static_cast<int64_t>(l.oldFinal.decimals));
        BindNumber(reading, 16, replaced(l.newStart));
        reading.Bind(17, static_cast<int64_t>(l.newStart.decimals));
        reading.Bind(18, static_cast<int64_t>(l.estimated)).Bind(19, l.percent);
        reading.Bind(20, l.fixedCents).Bind(21, l.variableCents).Bind(22, l.amountCents);
        reading.Step();
    }
    return periodId;
}

StoredPeriod BillingHistory::Save(const BuildingKey& key, const PeriodBill& bill) {
    if (!bill.Ok() || !bill.request.from || !bill.request.to) {
        throw HistoryError("Μόνο λογαριασμός που έγινε, με τις ημερομηνίες της περιόδου, "
                           "αποθηκεύεται στο ιστορικό.");
    }
    StoredPeriod period = StoredPeriodOf(bill);
    period.storedAt = UtcNowText();
    try {
        SqliteDatabase::Transaction transaction(*db_);
        const int64_t building = FindOrAddBuilding(key);
        if (const std::string overlap = OverlapFault(building, period.from, period.to);
            !overlap.empty()) {
            throw HistoryError(overlap);
        }
        SqliteStatement version = db_->Prepare(
            "SELECT coalesce(max(version), 0) + 1 FROM period WHERE building_id = ? AND "
            "date_from = ? AND date_to = ?");
        version.Bind(1, building).Bind(2, IsoBillDate(period.from)).Bind(3, IsoBillDate(period.to));
        version.Step();
        period.version = static_cast<int>(version.Int(0));
        period.id = InsertPeriod(building, period);
        // The period is billed: what was typed for it is no draft any more.
        SqliteStatement draft = db_->Prepare("DELETE FROM draft WHERE building_id = ?");
        draft.Bind(1, building);
        draft.Step();
        transaction.Commit();
        return period;
    } catch (const SqliteError& e) {
        throw HistoryError("Ο λογαριασμός ΔΕΝ αποθηκεύτηκε στο ιστορικό " + path_ + ": " +
                           e.Reason() + ".");
    }
}

std::vector<StoredPeriod> BillingHistory::Periods(int64_t building, bool withLines) {
    std::vector<StoredPeriod> out;
    SqliteStatement s = db_->Prepare(std::string("SELECT ") + kPeriodColumns +
                                     " FROM period WHERE building_id = ? ORDER BY date_from, "
                                     "date_to, version");
    s.Bind(1, building);
    while (s.Step()) {
        out.push_back(PeriodFrom(s));
    }
    if (withLines) {
        for (StoredPeriod& p : out) {
            ReadLines(*db_, p);
        }
    }
    return out;
}

std::optional<StoredPeriod> BillingHistory::Period(int64_t id) {
    SqliteStatement s =
        db_->Prepare(std::string("SELECT ") + kPeriodColumns + " FROM period WHERE id = ?");
    s.Bind(1, id);
    if (!s.Step()) {
        return std::nullopt;
    }
    StoredPeriod p = PeriodFrom(s);
    ReadLines(*db_, p);
    return p;
}

std::vector<StoredPeriod> BillingHistory::LatestPeriods(int64_t building) {
    std::vector<StoredPeriod> all = Periods(building, false);
    std::vector<StoredPeriod> latest;
    for (size_t i = 0; i < all.size(); ++i) {
        const bool corrected =
            i + 1 < all.size() && all[i + 1].from == all[i].from && all[i + 1].to == all[i].to;
        if (!corrected) {
            latest.push_back(all[i]);
        }
    }
    for (StoredPeriod& p : latest) {
        ReadLines(*db_, p);
    }
    return latest;
}

void BillingHistory::ExportBuilding(int64_t building, const std::string& path) {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        throw HistoryError("Το αρχείο " + path + " υπάρχει ήδη: η εξαγωγή δεν το αντικαθιστά.");
    }
    // The file is made where it is named, in a folder that is there: a
    // mistyped folder is told, not made.
    if (const FileProblem problem = WriteProblem(path); problem != FileProblem::None) {
        throw HistoryError("Η εξαγωγή του ιστορικού ΔΕΝ έγινε: " +
                           FileProblemMessage(path, problem));
    }
    // A failure halfway leaves no half-made database behind: the file was
    // not there before.
    const auto removeMade = [&path] {
        std::error_code ignored;
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
            std::filesystem::remove(path + suffix, ignored);
        }
    };
    try {
        {
            // A database of its own, made by the same schema road.
            BillingHistory out(path);
        }
        SqliteStatement attach = db_->Prepare("ATTACH DATABASE ? AS target");
        attach.Bind(1, path).Step();
        try {
            SqliteDatabase::Transaction transaction(*db_);
            const std::string id = std::to_string(building);
            db_->Exec("INSERT INTO target.building SELECT * FROM main.building WHERE id = " + id);
            db_->Exec("INSERT INTO target.property SELECT * FROM main.property WHERE "
                      "building_id = " +
                      id);
            db_->Exec("INSERT INTO target.period SELECT * FROM main.period WHERE building_id = " +
                      id);
            db_->Exec("INSERT INTO target.reading SELECT reading.* FROM main.reading JOIN "
                      "main.period ON period.id = reading.period_id WHERE period.building_id = " +
                      id);
            // What the building's notices are addressed and paid with, and
            // what was typed and not yet billed, go with it.
            for (const char* table : {"owner", "billing_details", "draft", "import_columns"}) {
                db_->Exec(std::string("INSERT INTO target.") + table + " SELECT * FROM main." +
                          table + " WHERE building_id = " + id);
            }
            transaction.Commit();
        } catch (...) {
            db_->Exec("DETACH DATABASE target");
            throw;
        }
        db_->Exec("DETACH DATABASE target");
        // One file to carry: the journal goes into it.
        SqliteDatabase carried(path, false);
        carried.Exec("PRAGMA journal_mode = DELETE");
    } catch (const SqliteError& e) {
        removeMade();
        throw HistoryError("Η εξαγωγή του ιστορικού στο " + path + " ΔΕΝ έγινε: " + e.Reason() +
                           ".");
    } catch (...) {
        removeMade();
        throw;
    }
}

int BillingHistory::Import(const std::string& path) {
    // Read from a copy: the file itself is never changed, not even brought
    // up to date, and may be read-only.
    BillingHistory source(ReadOnly{}, path);
    int added = 0;
    try {
        SqliteDatabase::Transaction transaction(*db_);
        for (const auto& [sourceId, key] : source.Buildings()) {
            const int64_t building = FindOrAddBuilding(key);
            std::set<std::tuple<std::string, std::string, int>> have;
            for (const StoredPeriod& p : Periods(building, false)) {
                have.insert({IsoBillDate(p.from), IsoBillDate(p.to), p.version});
            }
            for (const StoredPeriod& p : source.Periods(sourceId, true)) {
                if (have.count({IsoBillDate(p.from), IsoBillDate(p.to), p.version}) != 0) {
                    continue;
                }
                InsertPeriod(building, p);
                ++added;
            }
            // Its owners from the days they hold from; its details, draft and
            // columns where the building has none of its own here.
            for (const OwnerEntry& e : source.OwnerHistory(sourceId)) {
                SqliteStatement put = db_->Prepare(
                    "INSERT OR IGNORE INTO owner (building_id, property_number, valid_from, name, "
                    "email, phone) VALUES (?, ?, ?, ?, ?, ?)");
                put.Bind(1, building)
                    .Bind(2, static_cast<int64_t>(e.number))
                    .Bind(3, e.validFrom)
                    .Bind(4, e.owner.name)
                    .Bind(5, e.owner.email)
                    .Bind(6, e.owner.phone);
                put.Step();
            }
            if (Details(building) == BillingDetails{} &&
                source.Details(sourceId) != BillingDetails{}) {
                SetDetails(building, source.Details(sourceId));
            }
            if (const auto draft = source.DraftOf(sourceId); draft && !DraftOf(building)) {
                SqliteStatement put = db_->Prepare(
                    "INSERT INTO draft (building_id, saved_at, content) VALUES (?, ?, ?)");
                put.Bind(1, building).Bind(2, draft->savedAt).Bind(3, draft->content);
                put.Step();
            }
            if (const std::string columns = source.ImportColumns(sourceId);
                !columns.empty() && ImportColumns(building).empty()) {
                SetImportColumns(building, columns);
            }
        }
        transaction.Commit();
    } catch (const SqliteError& e) {
        throw HistoryError("Η εισαγωγή του ιστορικού από το " + path + " ΔΕΝ έγινε: " + e.Reason() +
                           ".");
    }
    return added;
}

std::string OtherGeneralDataNote(BillingHistory& history, const BuildingKey& key) {
    for (const auto& [id, other] : history.Buildings()) {
        if (other.studyPath == key.studyPath) {
            return "Το ιστορικό έχει περιόδους της ίδιας μελέτης με άλλα γενικά στοιχεία («" +
                   other.employer + "», «" + other.project + "», «" + other.location +
                   "»): ένα κτίριο του ιστορικού είναι η μελέτη μαζί με τα γενικά της στοιχεία. "
                   "Με τα τωρινά ξεκινά νέο ιστορικό· για να συνεχιστεί το παλιό, δώστε ξανά τα "
                   "γενικά στοιχεία όπως ήταν.";
        }
    }
    return {};
}

} // namespace pyrostat
