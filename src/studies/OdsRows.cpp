#include "studies/SheetRows.h"
#include "studies/ZipArchive.h"

#include <pugixml.hpp>

#include <cstdlib>
#include <cstring>

namespace pyrostat {

namespace {

pugi::xml_node Find(const pugi::xml_node& node, const char* name) {
    return node.child(name);
}

// The text of a paragraph: its words, <text:s> spaces, tabs and line breaks
// as blanks, and the words of the spans inside it.
void AppendText(const pugi::xml_node& node, std::string& text) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            text += child.value();
        } else if (std::strcmp(child.name(), "text:s") == 0) {
            const int count = std::max(1, child.attribute("text:c").as_int(1));
            text.append(static_cast<size_t>(std::min(count, 1000)), ' ');
        } else if (std::strcmp(child.name(), "text:tab") == 0 ||
                   std::strcmp(child.name(), "text:line-break") == 0) {
            text += ' ';
        } else {
            AppendText(child, text);
        }
    }
}

SheetCell CellOf(const pugi::xml_node& cell) {
    const std::string type = cell.attribute("office:value-type").value();
    if (type == "float" || type == "percentage" || type == "currency") {
        return {SheetNumberText(cell.attribute("office:value").value()), true};
    }
    if (type == "boolean") {
        return {cell.attribute("office:boolean-value").as_bool() ? "TRUE" : "FALSE", false};
    }
    std::string text;
    bool first = true;
    for (pugi::xml_node p : cell.children("text:p")) {
        if (!first) {
            text += ' ';
        }
        first = false;
        AppendText(p, text);
    }
    return {text, false};
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
    const auto content = zip.Read("content.xml");
    pugi::xml_document doc;
    if (!content || !doc.load_buffer(content->data(), content->size())) {
        sheet.damage = "δεν βρέθηκε το περιεχόμενο του βιβλίου εργασίας";
        return sheet;
    }
    const pugi::xml_node table = Find(
        Find(Find(doc.document_element(), "office:body"), "office:spreadsheet"), "table:table");
    if (!table) {
        sheet.damage = "το βιβλίο εργασίας δεν έχει φύλλο";
        return sheet;
    }
    // Rows may stand inside header-row and row-group elements too.
    std::vector<pugi::xml_node> rows;
    const auto collect = [&rows](const pugi::xml_node& parent, const auto& self) -> void {
        for (pugi::xml_node child : parent.children()) {
            if (std::strcmp(child.name(), "table:table-row") == 0) {
                rows.push_back(child);
            } else if (std::strcmp(child.name(), "table:table-header-rows") == 0 ||
                       std::strcmp(child.name(), "table:table-row-group") == 0 ||
                       std::strcmp(child.name(), "table:table-rows") == 0) {
                self(child, self);
            }
        }
    };
    collect(table, collect);
    for (const pugi::xml_node& row : rows) {
        std::vector<SheetCell> cells;
        for (pugi::xml_node cell : row.children()) {
            const bool covered = std::strcmp(cell.name(), "table:covered-table-cell") == 0;
            if (!covered && std::strcmp(cell.name(), "table:table-cell") != 0) {
                continue;
            }
            const long repeat =
                std::max(1L, std::atol(cell.attribute("table:number-columns-repeated").value()));
            const SheetCell value = covered ? SheetCell{} : CellOf(cell);
            // A run of empty cells (to the sheet's edge) adds nothing.
            const long copies = value.text.empty() ? repeat : std::min(repeat, 64L);
            for (long i = 0; i < copies && cells.size() < kMaxImportColumns; ++i) {
                cells.push_back(value);
            }
        }
        while (!cells.empty() && cells.back().text.empty()) {
            cells.pop_back();
        }
        const long repeat =
            std::max(1L, std::atol(row.attribute("table:number-rows-repeated").value()));
        const long copies = cells.empty() ? std::min(repeat, 1L) : repeat;
        for (long i = 0; i < copies && sheet.rows.size() < kMaxImportRows; ++i) {
            sheet.rows.push_back(cells);
        }
        if (sheet.rows.size() >= kMaxImportRows) {
            break;
        }
    }
    while (!sheet.rows.empty() && sheet.rows.back().empty()) {
        sheet.rows.pop_back();
    }
    return sheet;
}

} // namespace pyrostat
