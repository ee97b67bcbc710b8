#include "studies/SheetRows.h"
#include "studies/ZipArchive.h"
#include "workspace/NumberText.h"

#include <pugixml.hpp>

#include <cstring>
#include <optional>
#include <vector>

namespace pyrostat {

namespace {

pugi::xml_node Find(const pugi::xml_node& node, const char* name) {
    return node.child(name);
}

// The text of a paragraph: its words, <text:s> spaces, tabs and line breaks
// as blanks, and the words of the spans inside it, walked without recursion
// so that a crafted file cannot exhaust the stack. False when the spans nest
// deeper than any program writes them.
bool AppendText(const pugi::xml_node& paragraph, std::string& text) {
    std::vector<pugi::xml_node> path; // the spans entered, innermost last
    pugi::xml_node child = paragraph.first_child();
    while (true) {
        if (!child) {
            if (path.empty()) {
                return true;
            }
            child = path.back().next_sibling();
            path.pop_back();
            continue;
        }
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            AppendCellText(text, child.value());
        } else if (std::strcmp(child.name(), "text:s") == 0) {
            const int count = std::max(1, child.attribute("text:c").as_int(1));
            AppendCellText(text, std::string(static_cast<size_t>(std::min(count, 1000)), ' '));
        } else if (std::strcmp(child.name(), "text:tab") == 0 ||
                   std::strcmp(child.name(), "text:line-break") == 0) {
            AppendCellText(text, " ");
        } else if (child.type() == pugi::node_element && child.first_child()) {
            if (path.size() >= kMaxTextDepth) {
                return false;
            }
            path.push_back(child);
            child = child.first_child();
            continue;
        }
        child = child.next_sibling();
    }
}

// Why a cell is refused rather than read as empty or shortened.
constexpr const char* kFormulaWithoutValue =
    " έχει τύπο χωρίς αποθηκευμένη τιμή (ανοίξτε το αρχείο σε πρόγραμμα λογιστικών φύλλων και "
    "αποθηκεύστε το ξανά)";
constexpr const char* kNestedTooDeep = " έχει κείμενο φωλιασμένο σε πάρα πολλά επίπεδα";

struct CellRead {
    SheetCell cell;
    const char* refusal = nullptr;
};

// A cell's value; refused when its text nests too deep, or when it holds a
// formula whose value the file did not store (a script's file, never opened
// in a spreadsheet program).
CellRead CellOf(const pugi::xml_node& cell) {
    const std::string type = cell.attribute("office:value-type").value();
    if (type == "float" || type == "percentage" || type == "currency") {
        return {SheetCell{ShortestNumberText(cell.attribute("office:value").value()), true}};
    }
    if (type == "boolean") {
        return {
            SheetCell{cell.attribute("office:boolean-value").as_bool() ? "TRUE" : "FALSE", false}};
    }
    if (type.empty() && cell.attribute("table:formula")) {
        return {{}, kFormulaWithoutValue};
    }
    std::string text;
    bool first = true;
    for (pugi::xml_node p : cell.children("text:p")) {
        if (!first) {
            AppendCellText(text, " ");
        }
        first = false;
        if (!AppendText(p, text)) {
            return {{}, kNestedTooDeep};
        }
    }
    return {SheetCell{text, false}};
}

// A repeat count: 1 when it is missing or not a positive number.
size_t Repeat(const pugi::xml_node& node, const char* attribute) {
    const long long count = node.attribute(attribute).as_llong(1);
    return count < 1 ? 1 : static_cast<size_t>(std::min<long long>(count, 1LL << 30));
}

} // namespace

SheetRows ReadOdsRows(const std::string& path) {
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
    std::optional<std::string> content = zip.Read("content.xml");
    pugi::xml_document doc;
    if (!content || !doc.load_buffer_inplace(content->data(), content->size())) {
        sheet.damage = content ? "το περιεχόμενο του βιβλίου εργασίας δεν είναι "
                                 "έγκυρο XML"
                       : zip.Has("content.xml") ? kMemberTooLarge
                                                : "δεν βρέθηκε το περιεχόμενο του βιβλίου εργασίας";
        return sheet;
    }
    const pugi::xml_node table = Find(
        Find(Find(doc.document_element(), "office:body"), "office:spreadsheet"), "table:table");
    if (!table) {
        sheet.damage = "το βιβλίο εργασίας δεν έχει φύλλο";
        return sheet;
    }
    // Rows may stand inside header-row and row-group elements too, nested to
    // any depth: walked with a stack of their own.
    std::vector<pugi::xml_node> rows;
    std::vector<pugi::xml_node> groups{table};
    while (!groups.empty()) {
        const pugi::xml_node parent = groups.back();
        groups.pop_back();
        if (std::strcmp(parent.name(), "table:table-row") == 0) {
            rows.push_back(parent);
            continue;
        }
        // Children pushed in reverse, so that rows keep the sheet's order.
        std::vector<pugi::xml_node> inner;
        for (pugi::xml_node child : parent.children()) {
            inner.push_back(child);
        }
        for (auto it = inner.rbegin(); it != inner.rend(); ++it) {
            if (std::strcmp(it->name(), "table:table-row") == 0 ||
                std::strcmp(it->name(), "table:table-header-rows") == 0 ||
                std::strcmp(it->name(), "table:table-row-group") == 0 ||
                std::strcmp(it->name(), "table:table-rows") == 0) {
                groups.push_back(*it);
            }
        }
    }
    // Empty rows are counted, not kept, until a row with values follows
    // them: a sheet padded to its last row costs nothing.
    size_t rowIndex = 0;
    size_t textBytes = 0;
    for (const pugi::xml_node& row : rows) {
        std::vector<SheetCell> cells;
        size_t colIndex = 0;
        for (pugi::xml_node cell : row.children()) {
            const bool covered = std::strcmp(cell.name(), "table:covered-table-cell") == 0;
            if (!covered && std::strcmp(cell.name(), "table:table-cell") != 0) {
                continue;
            }
            const size_t repeat = Repeat(cell, "table:number-columns-repeated");
            const CellRead read = covered ? CellRead{} : CellOf(cell);
            if (read.refusal != nullptr) {
                sheet.damage = "το κελί στη " + SheetCellName(rowIndex, colIndex) + read.refusal;
                return sheet;
            }
            if (CellTooLong(read.cell.text)) {
                sheet.damage = CellTooLongDamage(rowIndex, colIndex);
                return sheet;
            }
            const SheetCell* value = &read.cell;
            if (!value->text.empty()) {
                if (colIndex + std::min<size_t>(repeat, kMaxTableColumns) > kMaxTableColumns) {
                    sheet.damage = BeyondTheTable(rowIndex, std::max(colIndex, kMaxTableColumns));
                    return sheet;
                }
                cells.resize(colIndex);
                for (size_t i = 0; i < repeat; ++i) {
                    cells.push_back(*value);
                }
            }
            colIndex += std::min(repeat, kMaxTableColumns + 1);
        }
        const size_t repeat = Repeat(row, "table:number-rows-repeated");
        if (cells.empty()) {
            rowIndex += std::min(repeat, kMaxTableRows + 1);
            continue;
        }
        if (rowIndex + repeat > kMaxTableRows) {
            sheet.damage = BeyondTheTable(std::max(rowIndex, kMaxTableRows), 0);
            return sheet;
        }
        size_t bytes = 0;
        for (const SheetCell& cell : cells) {
            bytes += cell.text.size();
        }
        textBytes += bytes * repeat;
        if (textBytes > kMaxSheetText) {
            sheet.damage = kSheetTooLarge;
            return sheet;
        }
        sheet.rows.resize(rowIndex);
        for (size_t i = 0; i < repeat; ++i) {
            sheet.rows.push_back(cells);
        }
        rowIndex += repeat;
    }
    while (!sheet.rows.empty() && sheet.rows.back().empty()) {
        sheet.rows.pop_back();
    }
    return sheet;
}

} // namespace pyrostat
