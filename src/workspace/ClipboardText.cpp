#include "workspace/ClipboardText.h"

#include <algorithm>

namespace pyrostat {

std::vector<std::vector<std::string>> SplitClipboardText(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        std::vector<std::string> cells;
        size_t cellStart = 0;
        while (true) {
            const size_t tab = line.find('\t', cellStart);
            if (tab == std::string_view::npos) {
                cells.emplace_back(line.substr(cellStart));
                break;
            }
            cells.emplace_back(line.substr(cellStart, tab - cellStart));
            cellStart = tab + 1;
        }
        rows.push_back(std::move(cells));
        start = end + 1;
    }
    return rows;
}

size_t ClipboardTextWidth(const std::vector<std::vector<std::string>>& rows) {
    size_t width = 0;
    for (const auto& row : rows) {
        width = std::max(width, row.size());
    }
    return width;
}

} // namespace pyrostat
