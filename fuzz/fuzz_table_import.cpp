#include "FuzzSupport.h"
#include "studies/TableImport.h"

#include <cstdint>
#include <cstdlib>

// A property table from anywhere: an .xlsx or .ods archive, or a .csv text,
// read through the program's own readers. Reading must tell what it could not
// read and never crash, hang or keep a refused value. The first byte chooses
// the kind of file, the next what stands at its path.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pyrostat;
    if (size == 0) {
        return 0;
    }
    static const char* const names[] = {"t.xlsx", "t.ods", "t.csv"};
    const char* name = names[data[0] % 3];
    ++data;
    --size;
    const std::string path = fuzz::PlaceInput(name, data, size);
    for (const NumberLocale locale : {NumberLocale::Greek(), NumberLocale::English()}) {
        const ImportedTable table = ImportTable(path, locale);
        if (!table.Read() && ImportProblemMessage(path, table).empty()) {
            std::abort(); // a failure must be told
        }
        if (table.parsed.contents.rows.size() > 500) {
            std::abort();
        }
    }
    return 0;
}
