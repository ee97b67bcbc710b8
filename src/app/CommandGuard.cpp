#include "app/CommandGuard.h"

#include "app/ExitCodes.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace pyrostat {

namespace {

// The system's reason in Greek, for the errors a path meets most often.
std::string ReasonOf(const std::error_code& code) {
    if (code == std::errc::permission_denied || code == std::errc::operation_not_permitted) {
        return "δεν επιτρέπεται η πρόσβαση";
    }
    if (code == std::errc::too_many_symbolic_link_levels) {
        return "σύνδεσμοι που δείχνουν ο ένας στον άλλον σε κύκλο";
    }
    if (code == std::errc::no_such_file_or_directory) {
        return "δεν υπάρχει";
    }
    if (code == std::errc::no_space_on_device) {
        return "ο δίσκος είναι γεμάτος";
    }
    if (code == std::errc::filename_too_long) {
        return "το όνομα είναι πολύ μεγάλο";
    }
    if (code == std::errc::not_a_directory) {
        return "ένα μέρος της διαδρομής δεν είναι φάκελος";
    }
    return "σφάλμα του συστήματος αρχείων (κωδικός " + std::to_string(code.value()) + ")";
}

} // namespace

int GuardedCommand(const std::function<int()>& command, std::ostream& err) {
    try {
        return command();
    } catch (const std::filesystem::filesystem_error& e) {
        err << "Η εντολή σταμάτησε: «" << e.path1().string() << "»: " << ReasonOf(e.code())
            << ". Τίποτα άλλο δεν έγινε.\n";
    } catch (const std::bad_alloc&) {
        err << "Η εντολή σταμάτησε: δεν υπάρχει αρκετή μνήμη.\n";
    } catch (const std::system_error& e) {
        err << "Η εντολή σταμάτησε: " << ReasonOf(e.code()) << ".\n";
    } catch (...) {
        err << "Η εντολή σταμάτησε από απρόβλεπτο σφάλμα του προγράμματος. Τίποτα άλλο δεν "
               "έγινε.\n";
    }
    return kExitFileProblem;
}

} // namespace pyrostat
