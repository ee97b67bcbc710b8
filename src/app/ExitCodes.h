#pragma once

namespace pyrostat {

// The exit status of every command of the command line, the same for all.
inline constexpr int kExitOk = 0;          // done, on the whole study as stored
inline constexpr int kExitUsage = 1;       // a wrong word or option: nothing done
inline constexpr int kExitFileProblem = 1; // a file could not be read or written
inline constexpr int kExitRefused = 2;     // the data were refused (a damaged study, a
                                           // refused value, a check that stopped)

// The lines of the usage text that say so.
inline constexpr const char* kExitStatusText =
    "Κατάσταση εξόδου: 0 ολοκληρώθηκε με όλη τη μελέτη όπως είναι αποθηκευμένη,\n"
    "  1 λάθος χρήση ή αρχείο που δεν διαβάζεται ή δεν γράφεται,\n"
    "  2 τα δεδομένα δεν έγιναν δεκτά (κατεστραμμένη μελέτη, τιμή που απορρίφθηκε,\n"
    "    έλεγχος που σταμάτησε τον υπολογισμό, ελλιπή γενικά στοιχεία).\n";

} // namespace pyrostat
