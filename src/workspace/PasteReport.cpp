#include "workspace/PasteReport.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"
#include "workspace/CellRules.h"
#include "workspace/GridLayout.h"

namespace pyrostat {

namespace {

// Cells listed by name in the message; the rest are counted.
constexpr size_t kListedCells = 5;

} // namespace

std::string StorableName(const std::string& text) {
    std::string kept;
    size_t pos = 0;
    size_t count = 0;
    while (pos < text.size() && count < kMaxNameLength) {
        const size_t start = pos;
        char32_t codePoint = 0;
        if (!DecodeUtf8(text, pos, codePoint) || Cp1253ByteOf(codePoint) < 0) {
            continue;
        }
        kept.append(text, start, pos - start);
        ++count;
    }
    return kept;
}

std::string PasteReportMessage(const PasteReport& report, NumberLocale locale) {
    if (report.Clean()) {
        return {};
    }
    std::string text;
    if (!report.refused.empty()) {
        const size_t n = report.refused.size();
        text += n == 1 ? std::string("Από την επικόλληση 1 τιμή δεν έγινε δεκτή")
                       : "Από την επικόλληση " + std::to_string(n) + " τιμές δεν έγιναν δεκτές";
        text += " και τα κελιά τους κράτησαν την προηγούμενη τιμή :\n";
        for (size_t i = 0; i < n && i < kListedCells; ++i) {
            const PasteReport::Refusal& r = report.refused[i];
            text += "  σειρά " + std::to_string(r.row) + ", στήλη " + std::to_string(r.col) +
                    ": «" + ShortenForMessage(r.text, 30) + "» " +
                    CellRefusalReason(r.col, r.text, locale) + "\n";
        }
        if (n > kListedCells) {
            text += "  ... και " + std::to_string(n - kListedCells) + " ακόμη.\n";
        }
    }
    if (!report.trimmed.empty()) {
        if (!text.empty()) {
            text += "\n";
        }
        const size_t n = report.trimmed.size();
        text += (n == 1 ? std::string("Σε 1 ονομασία") : "Σε " + std::to_string(n) + " ονομασίες") +
                " αφαιρέθηκαν χαρακτήρες που δεν αποθηκεύονται (ή πέρα από τους 35) :\n";
        for (size_t i = 0; i < n && i < kListedCells; ++i) {
            const PasteReport::Refusal& r = report.trimmed[i];
            text +=
                "  σειρά " + std::to_string(r.row) + ": «" + ShortenForMessage(r.text, 40) + "»\n";
        }
        if (n > kListedCells) {
            text += "  ... και " + std::to_string(n - kListedCells) + " ακόμη.\n";
        }
    }
    return text;
}

} // namespace pyrostat
