#include "studies/SheetRows.h"
#include "studies/ZipArchive.h"
#include "workspace/NumberText.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace pyrostat {

namespace {

// The name of a node without its namespace prefix ("x:row" is "row").
const char* LocalName(const pugi::xml_node& node) {
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return colon == nullptr ? name : colon + 1;
}

bool Is(const pugi::xml_node& node, const char* local) {
    return std::strcmp(LocalName(node), local) == 0;
}

pugi::xml_node Child(const pugi::xml_node& node, const char* local) {
    for (pugi::xml_node child : node.children()) {
        if (Is(child, local)) {
            return child;
        }
    }
    return {};
}

// The text of a shared or inline string: its <t>, or the <t> of each run
// (phonetic runs left out).
std::string StringItem(const pugi::xml_node& item) {
    std::string text;
    for (pugi::xml_node child : item.children()) {
        if (Is(child, "t")) {
            AppendCellText(text, child.text().get());
        } else if (Is(child, "r")) {
            AppendCellText(text, Child(child, "t").text().get());
        }
    }
    return text;
}

// "BC12" gives column 54 (from 0); -1 for a reference without letters.
long ColumnOf(const char* reference) {
    long col = 0;
    bool any = false;
    for (const char* p = reference; *p >= 'A' && *p <= 'Z'; ++p) {
        col = col * 26 + (*p - 'A' + 1);
        any = true;
        if (col > 100000) {
            return -1;
        }
    }
    return any ? col - 1 : -1;
}

long RowOf(const char* reference) {
    const char* p = reference;
    while (*p >= 'A' && *p <= 'Z') {
        ++p;
    }
    long row = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        row = row * 10 + (*p - '0');
        if (row > 10000000) {
            return -1;
        }
    }
    return row - 1;
}

// The path inside the archive of the first sheet, from the workbook and its
// relationships.
std::string FirstSheetPath(const ZipArchive& zip) {
    const auto workbook = zip.Read("xl/workbook.xml");
    const auto rels = zip.Read("xl/_rels/workbook.xml.rels");
    if (!workbook || !rels) {
        return {};
    }
    pugi::xml_document book;
    pugi::xml_document links;
    if (!book.load_buffer(workbook->data(), workbook->size()) ||
        !links.load_buffer(rels->data(), rels->size())) {
        return {};
    }
    const pugi::xml_node sheet = Child(Child(book.document_element(), "sheets"), "sheet");
    std::string id;
    for (pugi::xml_attribute attribute : sheet.attributes()) {
        const char* name = attribute.name();
        const char* colon = std::strrchr(name, ':');
        if (colon != nullptr && std::strcmp(colon + 1, "id") == 0) {
            id = attribute.value();
        }
    }
    for (pugi::xml_node link : links.document_element().children()) {
        if (Is(link, "Relationship") && id == link.attribute("Id").value()) {
            std::string target = link.attribute("Target").value();
            if (!target.empty() && target[0] == '/') {
                return target.substr(1);
            }
            return "xl/" + target;
        }
    }
    return {};
}

} // namespace

SheetRows ReadXlsxRows(const std::string& path) {
    SheetRows sheet;
    const ZipArchive zip(path);
    sheet.problem = zip.Problem();
    if (sheet.problem != FileProblem::None) {
        return sheet;
    }
    if (!zip.Opened()) {
        sheet.damage = kNotAWorkbook;
        return sheet;
    }
    const std::string sheetPath = FirstSheetPath(zip);
    auto sheetXml = sheetPath.empty() ? std::nullopt : zip.Read(sheetPath);
    if (!sheetXml) {
        sheet.damage = !sheetPath.empty() && zip.Has(sheetPath)
                           ? kMemberTooLarge
                           : "δεν βρέθηκε το πρώτο φύλλο του βιβλίου εργασίας";
        return sheet;
    }
    // The texts the cells refer to: when the workbook has them, they are
    // read whole or the file is refused, never left out.
    std::vector<std::string> shared;
    if (zip.Has("xl/sharedStrings.xml")) {
        auto strings = zip.Read("xl/sharedStrings.xml");
        pugi::xml_document doc;
        if (!strings || !doc.load_buffer_inplace(strings->data(), strings->size())) {
            sheet.damage = strings ? "ο πίνακας κειμένων του βιβλίου εργασίας δεν είναι έγκυρο XML"
                                   : kMemberTooLarge;
            return sheet;
        }
        for (pugi::xml_node item : doc.document_element().children()) {
            if (Is(item, "si")) {
                shared.push_back(StringItem(item));
            }
        }
    }
    pugi::xml_document doc;
    if (!doc.load_buffer_inplace(sheetXml->data(), sheetXml->size())) {
        sheet.damage = "το φύλλο δεν είναι έγκυρο XML";
        return sheet;
    }
    const pugi::xml_node data = Child(doc.document_element(), "sheetData");
    long nextRow = 0;
    size_t textBytes = 0;
    for (pugi::xml_node row : data.children()) {
        if (!Is(row, "row")) {
            continue;
        }
        const char* rowAttribute = row.attribute("r").value();
        const long rowIndex =
            *rowAttribute != '\0'
                ? std::clamp(std::strtol(rowAttribute, nullptr, 10), 0L, 1000000000L) - 1
                : std::min(nextRow, 1000000000L);
        nextRow = rowIndex + 1;
        std::vector<SheetCell> cells;
        long nextCol = 0;
        for (pugi::xml_node cell : row.children()) {
            if (!Is(cell, "c")) {
                continue;
            }
            const char* reference = cell.attribute("r").value();
            long col = *reference != '\0' ? ColumnOf(reference) : nextCol;
            if (*reference != '\0' && RowOf(reference) != rowIndex) {
                col = -1;
            }
            nextCol = col + 1;
            const std::string type = cell.attribute("t").value();
            const pugi::xml_node v = Child(cell, "v");
            const std::string value = v.text().get();
            std::string text;
            bool number = false;
            if (type == "s" && !value.empty()) {
                const unsigned long index = std::strtoul(value.c_str(), nullptr, 10);
                if (index >= shared.size()) {
                    sheet.damage = "το κελί «" + std::string(reference) +
                                   "» δείχνει σε κείμενο που το βιβλίο εργασίας δεν έχει";
                    return sheet;
                }
                text = shared[index];
            } else if (type == "inlineStr") {
                text = StringItem(Child(cell, "is"));
            } else if (type == "str" || type == "e") {
                AppendCellText(text, value);
            } else if (type == "b") {
                text = value == "1" ? "TRUE" : "FALSE";
            } else if (!value.empty()) {
                text = ShortestNumberText(value);
                number = true;
            }
            const bool formulaWithoutValue = Child(cell, "f") && !v;
            if (text.empty() && !formulaWithoutValue) {
                continue; // an empty or only formatted cell
            }
            if (rowIndex < 0 || col < 0) {
                sheet.damage =
                    "το φύλλο έχει κελί χωρίς έγκυρη θέση («" + std::string(reference) + "»)";
                return sheet;
            }
            const auto r = static_cast<size_t>(rowIndex);
            const auto k = static_cast<size_t>(col);
            if (formulaWithoutValue) {
                // Written by a script and never opened in a spreadsheet
                // program: the value is not in the file, and is not guessed.
                sheet.damage = "το κελί στη " + SheetCellName(r, k) +
                               " έχει τύπο χωρίς αποθηκευμένη τιμή (ανοίξτε το αρχείο σε "
                               "πρόγραμμα λογιστικών φύλλων και αποθηκεύστε το ξανά)";
                return sheet;
            }
            if (CellTooLong(text)) {
                sheet.damage = CellTooLongDamage(r, k);
                return sheet;
            }
            if (r >= kMaxTableRows || k >= kMaxTableColumns) {
                sheet.damage = BeyondTheTable(r, k);
                return sheet;
            }
            textBytes += text.size();
            if (textBytes > kMaxSheetText) {
                sheet.damage = kSheetTooLarge;
                return sheet;
            }
            if (cells.size() <= k) {
                cells.resize(k + 1);
            }
            cells[k] = {std::move(text), number};
        }
        if (cells.empty()) {
            continue;
        }
        const auto r = static_cast<size_t>(rowIndex);
        if (sheet.rows.size() <= r) {
            sheet.rows.resize(r + 1);
        }
        sheet.rows[r] = std::move(cells);
    }
    return sheet;
}

} // namespace pyrostat
