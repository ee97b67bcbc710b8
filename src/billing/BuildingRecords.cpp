// The owners, the payment details, the drafts and the readings' columns the
// history keeps with each building.
#include "billing/BillingHistory.h"

#include <algorithm>
#include <tuple>

namespace pyrostat {

namespace {

// The day an owner holds from when he held from the start.
constexpr const char* kFromTheStart = "";

// A failure of the database told in Greek, naming what was not done.
[[noreturn]] void Refused(const std::string& what, const std::string& path,
                          const DatabaseError& e) {
    throw HistoryError(what + " ΔΕΝ αποθηκεύτηκε στο ιστορικό " + path + ": " + e.Reason() + ".");
}

} // namespace

std::map<int, std::string> BillingHistory::SetOwners(int64_t building,
                                                     const std::map<int, Owner>& owners,
                                                     const std::optional<BillDate>& from,
                                                     const BillDate& today) {
    std::map<int, std::string> heldFrom;
    try {
        HistoryDatabase::Transaction transaction(*db_);
        for (const auto& [number, owner] : owners) {
            std::string day = from ? IsoBillDate(*from) : std::string(kFromTheStart);
            if (!from) {
                Statement any = db_->Prepare(
                    "SELECT count(*) FROM owner WHERE building_id = ? AND property_number = ?");
                any.Bind(1, building).Bind(2, static_cast<int64_t>(number));
                any.Step();
                if (any.Int(0) > 0) {
                    day = IsoBillDate(today);
                }
            }
            Statement put = db_->Prepare(
                "INSERT INTO owner (building_id, property_number, valid_from, name, email, "
                "phone) VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (building_id, property_number, "
                "valid_from) DO UPDATE SET name = excluded.name, email = excluded.email, "
                "phone = excluded.phone");
            put.Bind(1, building)
                .Bind(2, static_cast<int64_t>(number))
                .Bind(3, day)
                .Bind(4, owner.name)
                .Bind(5, owner.email)
                .Bind(6, owner.phone);
            put.Step();
            heldFrom[number] = day;
        }
        transaction.Commit();
    } catch (const DatabaseError& e) {
        Refused("Οι ιδιοκτήτες", where_, e);
    }
    return heldFrom;
}

std::map<int, Owner> BillingHistory::OwnersOn(int64_t building, const BillDate& day) {
    std::map<int, Owner> owners;
    // The entries in order of their days: the last one not after `day` wins.
    Statement s = db_->Prepare(
        "SELECT property_number, name, email, phone FROM owner WHERE building_id = ? AND "
        "valid_from <= ? ORDER BY property_number, valid_from");
    s.Bind(1, building).Bind(2, IsoBillDate(day));
    while (s.Step()) {
        owners[static_cast<int>(s.Int(0))] = Owner{s.Text(1), s.Text(2), s.Text(3)};
    }
    return owners;
}

std::vector<BillingHistory::OwnerEntry> BillingHistory::OwnerHistory(int64_t building) {
    std::vector<OwnerEntry> entries;
    Statement s = db_->Prepare(
        "SELECT property_number, valid_from, name, email, phone FROM owner WHERE building_id = ? "
        "ORDER BY property_number, valid_from");
    s.Bind(1, building);
    while (s.Step()) {
        entries.push_back(
            {static_cast<int>(s.Int(0)), s.Text(1), Owner{s.Text(2), s.Text(3), s.Text(4)}});
    }
    return entries;
}

BillingDetails BillingHistory::Details(int64_t building) {
    BillingDetails details;
    Statement s = db_->Prepare(
        "SELECT manager, phone, iban, days_to_pay FROM billing_details WHERE building_id = ?");
    s.Bind(1, building);
    if (s.Step()) {
        details.manager = s.Text(0);
        details.phone = s.Text(1);
        details.iban = s.Text(2);
        details.daysToPay = static_cast<int>(s.Int(3));
    }
    return details;
}

void BillingHistory::SetDetails(int64_t building, const BillingDetails& details) {
    try {
        Statement s = db_->Prepare(
            "INSERT INTO billing_details (building_id, manager, phone, iban, days_to_pay) "
            "VALUES (?, ?, ?, ?, ?) ON CONFLICT (building_id) DO UPDATE SET manager = "
            "excluded.manager, phone = excluded.phone, iban = excluded.iban, days_to_pay = "
            "excluded.days_to_pay");
        s.Bind(1, building)
            .Bind(2, details.manager)
            .Bind(3, details.phone)
            .Bind(4, details.iban)
            .Bind(5, static_cast<int64_t>(details.daysToPay));
        s.Step();
    } catch (const DatabaseError& e) {
        Refused("Τα στοιχεία πληρωμής", where_, e);
    }
}

void BillingHistory::SaveDraft(int64_t building, const std::string& content) {
    try {
        Statement s = db_->Prepare(
            "INSERT INTO draft (building_id, saved_at, content) VALUES (?, ?, ?) ON CONFLICT "
            "(building_id) DO UPDATE SET saved_at = excluded.saved_at, content = "
            "excluded.content");
        s.Bind(1, building).Bind(2, UtcNowText()).Bind(3, content);
        s.Step();
    } catch (const DatabaseError& e) {
        Refused("Το πρόχειρο της περιόδου", where_, e);
    }
}

std::optional<BillingHistory::Draft> BillingHistory::DraftOf(int64_t building) {
    Statement s = db_->Prepare("SELECT saved_at, content FROM draft WHERE building_id = ?");
    s.Bind(1, building);
    if (!s.Step()) {
        return std::nullopt;
    }
    return Draft{s.Text(0), s.Text(1)};
}

void BillingHistory::DiscardDraft(int64_t building) {
    try {
        Statement s = db_->Prepare("DELETE FROM draft WHERE building_id = ?");
        s.Bind(1, building);
        s.Step();
    } catch (const DatabaseError& e) {
        throw HistoryError("Το πρόχειρο της περιόδου ΔΕΝ διαγράφηκε από το ιστορικό " + where_ +
                           ": " + e.Reason() + ".");
    }
}

std::vector<BillingHistory::BuildingSummary> BillingHistory::BuildingSummaries() {
    std::vector<BuildingSummary> out;
    Statement s = db_->Prepare(R"sql(
        WITH last AS (
            SELECT building_id, id, date_from, date_to, version, cost_cents,
                   row_number() OVER (PARTITION BY building_id
                                      ORDER BY date_to DESC, date_from DESC, version DESC) AS n
            FROM period)
        SELECT b.id, b.study_path, b.title, b.employer, b.project, b.location,
               (SELECT count(DISTINCT date_from || date_to) FROM period p
                 WHERE p.building_id = b.id),
               last.date_from, last.date_to, last.version, last.cost_cents,
               (SELECT count(*) FROM reading r WHERE r.period_id = last.id AND r.estimated != 0),
               CASE WHEN EXISTS (SELECT 1 FROM draft d WHERE d.building_id = b.id)
                    THEN 1 ELSE 0 END
        FROM building b LEFT JOIN last ON last.building_id = b.id AND last.n = 1)sql");
    while (s.Step()) {
        BuildingSummary b;
        b.id = s.Int(0);
        b.key = {s.Text(1), s.Text(2), s.Text(3), s.Text(4), s.Text(5), {}};
        b.periods = static_cast<int>(s.Int(6));
        if (!s.IsNull(7)) {
            b.lastFrom = ParseBillDate(s.Text(7));
            b.lastTo = ParseBillDate(s.Text(8));
            b.lastVersion = static_cast<int>(s.Int(9));
            b.lastCostCents = s.Int(10);
            b.lastEstimates = static_cast<int>(s.Int(11));
        }
        b.draftWaiting = s.Int(12) != 0;
        out.push_back(std::move(b));
    }
    // By title, then study, byte by byte: a server's own collation would
    // order them otherwise than a desk's file.
    std::sort(out.begin(), out.end(), [](const BuildingSummary& a, const BuildingSummary& b) {
        return std::tie(a.key.title, a.key.studyPath, a.id) <
               std::tie(b.key.title, b.key.studyPath, b.id);
    });
    return out;
}

std::string BillingHistory::ImportColumns(int64_t building) {
    Statement s = db_->Prepare("SELECT mapping FROM import_columns WHERE building_id = ?");
    s.Bind(1, building);
    return s.Step() ? s.Text(0) : std::string();
}

void BillingHistory::SetImportColumns(int64_t building, const std::string& mapping) {
    try {
        Statement s = db_->Prepare(
            "INSERT INTO import_columns (building_id, mapping) VALUES (?, ?) ON CONFLICT "
            "(building_id) DO UPDATE SET mapping = excluded.mapping");
        s.Bind(1, building).Bind(2, mapping);
        s.Step();
    } catch (const DatabaseError& e) {
        Refused("Η αντιστοίχιση των στηλών", where_, e);
    }
}

} // namespace pyrostat
