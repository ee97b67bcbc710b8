#include "FuzzSupport.h"
#include "billing/BillingHistory.h"
#include "billing/SqliteDatabase.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

// The history database from anywhere: a file at the program's place of the
// history, an export given to the import, or a sound history whose schema
// version says anything. Opening, listing and importing must refuse what
// they cannot trust with a message, never crash, and an import that is
// refused must leave the history it was going into as it was. The first
// byte chooses the road.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pyrostat;
    if (size == 0) {
        return 0;
    }
    const int road = data[0] % 3;
    ++data;
    --size;
    const std::string folder = fuzz::Folder();
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        std::remove((folder + "h.sqlite" + suffix).c_str());
        std::remove((folder + "target.sqlite" + suffix).c_str());
    }
    const std::string path = fuzz::PlaceInput("h.sqlite", data, size);
    try {
        if (road == 2) {
            // A sound history with the version the bytes give.
            int32_t version = 0;
            std::memcpy(&version, data, std::min(size, sizeof version));
            for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
                std::remove((path + suffix).c_str());
            }
            {
                SqliteDatabase db(path, true);
                db.Exec(HistorySchemaSteps(HistoryDialect::Sqlite)[0]);
                db.Exec("PRAGMA user_version = " + std::to_string(version));
            }
        }
        if (road == 1) {
            BillingHistory target(folder + "target.sqlite");
            const size_t before = target.Buildings().size();
            try {
                target.Import(path);
            } catch (const HistoryError&) {
                if (target.Buildings().size() != before) {
                    std::abort(); // a refused import added something
                }
            }
            return 0;
        }
        BillingHistory history(path);
        for (const auto& [id, key] : history.Buildings()) {
            for (const StoredPeriod& p : history.LatestPeriods(id)) {
                (void)BillOfStored(p);
            }
        }
    } catch (const HistoryError& e) {
        if (std::strlen(e.what()) == 0) {
            std::abort(); // a refusal must say why
        }
    } catch (const DatabaseError&) {
        // A damage found past the header: told by the callers' messages.
    }
    return 0;
}
