#include "billing/Iban.h"

#include <array>
#include <utility>

namespace pyrostat {

namespace {

// The length of the IBAN of the countries a Greek building's managers bank
// with; another country is held to the general bounds.
constexpr std::array<std::pair<std::string_view, size_t>, 32> kLengths{{
    {"GR", 27}, {"CY", 28}, {"DE", 22}, {"FR", 27}, {"IT", 27}, {"ES", 24}, {"NL", 18}, {"BE", 16},
    {"AT", 20}, {"BG", 22}, {"RO", 24}, {"PT", 25}, {"IE", 22}, {"LU", 20}, {"MT", 31}, {"SI", 19},
    {"SK", 24}, {"CZ", 24}, {"PL", 28}, {"HU", 28}, {"HR", 21}, {"DK", 18}, {"SE", 24}, {"FI", 18},
    {"EE", 20}, {"LV", 21}, {"LT", 20}, {"GB", 22}, {"CH", 21}, {"NO", 15}, {"AL", 28}, {"MK", 19},
}};

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

int Mod97(std::string_view text) {
    int rest = 0;
    for (const char c : text) {
        if (IsDigit(c)) {
            rest = (rest * 10 + (c - '0')) % 97;
        } else if (IsUpper(c)) {
            rest = (rest * 100 + (c - 'A' + 10)) % 97;
        } else {
            return -1;
        }
    }
    return rest;
}

IbanRead ReadIban(std::string_view typed) {
    std::string iban;
    for (const char c : typed) {
        if (c == ' ' || c == '\t' || c == '-') {
            continue;
        }
        iban += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    const std::string quoted = "«" + std::string(typed) + "»";
    if (iban.empty()) {
        return {{}, "Δεν δόθηκε IBAN."};
    }
    for (const char c : iban) {
        if (!IsUpper(c) && !IsDigit(c)) {
            return {{},
                    "Το IBAN " + quoted + " έχει σύμβολα εκτός από λατινικά γράμματα και ψηφία."};
        }
    }
    if (iban.size() < 4 || !IsUpper(iban[0]) || !IsUpper(iban[1]) || !IsDigit(iban[2]) ||
        !IsDigit(iban[3])) {
        return {{},
                "Το IBAN " + quoted +
                    " δεν αρχίζει με τα δύο γράμματα της χώρας και δύο ψηφία ελέγχου "
                    "(π.χ. GR16...)."};
    }
    size_t wanted = 0;
    for (const auto& [country, length] : kLengths) {
        if (iban.compare(0, 2, country) == 0) {
            wanted = length;
        }
    }
    if (wanted != 0 && iban.size() != wanted) {
        return {{},
                "Το IBAN " + quoted + " έχει " + std::to_string(iban.size()) +
                    " χαρακτήρες· της χώρας " + iban.substr(0, 2) + " έχει " +
                    std::to_string(wanted) + "."};
    }
    if (wanted == 0 && (iban.size() < 15 || iban.size() > 34)) {
        return {{},
                "Το IBAN " + quoted + " έχει " + std::to_string(iban.size()) +
                    " χαρακτήρες· ένα IBAN έχει από 15 έως 34."};
    }
    if (Mod97(iban.substr(4) + iban.substr(0, 4)) != 1) {
        return {{},
                "Το IBAN " + quoted +
                    " δεν είναι σωστό: τα ψηφία ελέγχου του δεν συμφωνούν (κάποιο ψηφίο "
                    "γράφτηκε λάθος)."};
    }
    return {iban, {}};
}

std::string GroupedIban(std::string_view iban) {
    std::string grouped;
    for (size_t i = 0; i < iban.size(); ++i) {
        if (i > 0 && i % 4 == 0) {
            grouped += ' ';
        }
        grouped += iban[i];
    }
    return grouped;
}

} // namespace pyrostat
