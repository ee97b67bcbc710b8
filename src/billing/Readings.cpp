#include "billing/Readings.h"

#include "billing/TextFields.h"
#include "platform/Codepage1253.h"
#include "platform/TextFold.h"
#include "platform/Utf8.h"

namespace pyrostat {

namespace {

bool IsMark(const std::string& folded) {
    return folded == FoldTitle(kClosedMark) || folded == FoldTitle(kReplacedMark);
}

// The fields of a line: tab-separated, each trimmed; the words of a mark may
// also stand in one field, separated by blanks ("αντικατάσταση 1520 0").
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    bool firstField = true;
    for (const std::string& raw : SplitOn(line, '\t')) {
        const std::string field = TrimBlanks(raw);
        if (firstField) {
            fields.push_back(field);
            firstField = false;
            continue;
        }
        if (field.empty()) {
            continue;
        }
        const size_t blank = field.find(' ');
        if (blank != std::string::npos && IsMark(FoldTitle(field.substr(0, blank)))) {
            for (const std::string& word : SplitOn(field, ' ')) {
                if (!word.empty()) {
                    fields.push_back(word);
                }
            }
        } else {
            fields.push_back(field);
        }
    }
    return fields;
}

} // namespace

ReadingsTable ParseReadings(std::string_view text, bool headings, int firstLine,
                            std::optional<NumberLocale> locale) {
    ReadingsTable table;
    const auto number = [&locale](std::string_view field) {
        return locale ? ParseBillNumber(field, *locale) : ParseBillNumber(field);
    };
    const std::vector<std::string> lines = SplitLines(TextFileToUtf8(text));
    bool first = true;
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string trimmed = TrimBlanks(lines[n]);
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        const std::vector<std::string> fields = Fields(lines[n]);
        const int lineNo = firstLine + static_cast<int>(n);
        const std::string where = "Γραμμή " + std::to_string(lineNo) + " των ενδείξεων";
        // Headings: a first line whose second field is neither a number nor
        // a mark ("Ιδιοκτησία  Προηγούμενη  Τρέχουσα").
        if (headings && first && fields.size() > 1 && !number(fields[1]) && fields[1] != "-" &&
            !IsMark(FoldTitle(fields[1]))) {
            first = false;
            continue;
        }
        first = false;
        ReadingLine line;
        line.lineNo = lineNo;
        line.property = fields[0];
        if (line.property.empty()) {
            table.faults.push_back(where + ": λείπει η Ιδιοκτησία.");
            continue;
        }
        std::vector<BillNumber> numbers;
        size_t k = 1;
        bool bad = false;
        // A number that reads two ways is not guessed.
        const auto twoWays = [&](const std::string& field) {
            if (locale || !ReadsTwoWays(field)) {
                return false;
            }
            table.faults.push_back(where + " («" + line.property + "»): η τιμή «" + field +
                                   "» διαβάζεται και ως δεκαδικός και ως χιλιάδες· δώστε την "
                                   "υποδιαστολή με --decimal , ή --decimal .");
            bad = true;
            return true;
        };
        for (; k < fields.size(); ++k) {
            if (fields[k] == "-") {
                continue; // a reading left out on purpose
            }
            const std::optional<BillNumber> value = number(fields[k]);
            if (!value) {
                break;
            }
            twoWays(fields[k]);
            if (value->value < 0) {
                table.faults.push_back(where + " («" + line.property + "»): αρνητική ένδειξη «" +
                                       fields[k] + "».");
                bad = true;
            }
            numbers.push_back(*value);
        }
        for (; k < fields.size(); ++k) {
            const std::string mark = FoldTitle(fields[k]);
            if (mark == FoldTitle(kClosedMark)) {
                line.closed = true;
            } else if (mark == FoldTitle(kReplacedMark)) {
                const auto oldFinal = k + 1 < fields.size() ? number(fields[k + 1]) : std::nullopt;
                const auto newStart = k + 2 < fields.size() ? number(fields[k + 2]) : std::nullopt;
                if ((oldFinal && twoWays(fields[k + 1])) | (newStart && twoWays(fields[k + 2]))) {
                    break;
                }
                if (!oldFinal || !newStart || oldFinal->value < 0 || newStart->value < 0) {
                    table.faults.push_back(where + " («" + line.property +
                                           "»): η αντικατάσταση μετρητή θέλει την τελική ένδειξη "
                                           "του παλιού και την αρχική του νέου.");
                    bad = true;
                    break;
                }
                line.replaced = true;
                line.oldFinal = *oldFinal;
                line.newStart = *newStart;
                k += 2;
            } else {
                table.faults.push_back(where + " («" + line.property + "»): «" + fields[k] +
                                       "» δεν είναι ούτε αριθμός ούτε σημείωση (" + kClosedMark +
                                       ", " + kReplacedMark + ").");
                bad = true;
                break;
            }
        }
        if (numbers.size() > 2) {
            table.faults.push_back(where + " («" + line.property +
                                   "»): περισσότεροι από δύο αριθμοί (ώρες, ή προηγούμενη και "
                                   "τρέχουσα ένδειξη).");
            bad = true;
        }
        if (line.replaced && numbers.size() != 2) {
            table.faults.push_back(where + " («" + line.property +
                                   "»): η αντικατάσταση μετρητή θέλει την προηγούμενη και την "
                                   "τρέχουσα ένδειξη.");
            bad = true;
        }
        if (bad) {
            continue;
        }
        if (numbers.size() == 1) {
            line.measure = numbers[0];
        } else if (numbers.size() == 2) {
            line.previous = numbers[0];
            line.current = numbers[1];
        }
        table.lines.push_back(line);
    }
    return table;
}

} // namespace pyrostat
