#include "platform/gui/GreekQtCatalogue.h"

#include <iterator>
#include <string>
#include <unordered_map>

namespace pyrostat {

namespace {

// The texts of Qt's standard dialogs and editors that this program shows:
// message-box buttons, the file dialog, the print and page-set-up dialogs,
// the print preview and the edit menus of text boxes.
constexpr GreekQtEntry kEntries[] = {
    // Standard buttons of message boxes and button boxes.
    {"QPlatformTheme", "OK", "OK"},
    {"QPlatformTheme", "&No", "Ό&χι"},
    {"QPlatformTheme", "&Yes", "&Ναι"},
    {"QPlatformTheme", "Help", "Βοήθεια"},
    {"QPlatformTheme", "Open", "Άνοιγμα"},
    {"QPlatformTheme", "Save", "Αποθήκευση"},
    {"QPlatformTheme", "Abort", "Διακοπή"},
    {"QPlatformTheme", "Apply", "Εφαρμογή"},
    {"QPlatformTheme", "Close", "Κλείσιμο"},
    {"QPlatformTheme", "Reset", "Επαναφορά"},
    {"QPlatformTheme", "Retry", "Επανάληψη"},
    {"QPlatformTheme", "Restore Defaults", "Προεπιλογές"},
    {"QPlatformTheme", "Cancel", "Άκυρο"},
    {"QPlatformTheme", "Ignore", "Παράβλεψη"},
    {"QPlatformTheme", "N&o to All", "Όχι σε ό&λα"},
    {"QPlatformTheme", "Save All", "Αποθήκευση όλων"},
    {"QPlatformTheme", "Discard", "Απόρριψη"},
    {"QPlatformTheme", "Yes to &All", "Ναι σε &όλα"},
    {"QPlatformTheme", "Don't Save", "Χωρίς αποθήκευση"},
    {"QPlatformTheme", "Close without Saving", "Κλείσιμο χωρίς αποθήκευση"},
    {"QDialogButtonBox", "OK", "OK"},
    {"QMessageBox", "Show Details...", "Λεπτομέρειες..."},
    {"QMessageBox", "Hide Details...", "Απόκρυψη λεπτομερειών..."},
    {"QMessageBox", "About Qt", "Σχετικά με το Qt"},

    // The file dialog.
    {"QFileDialog", "Back", "Πίσω"},
    {"QFileDialog", "Open", "Άνοιγμα"},
    {"QFileDialog", "&Open", "Ά&νοιγμα"},
    {"QFileDialog", "&Save", "&Αποθήκευση"},
    {"QFileDialog", "Files", "Αρχεία"},
    {"QFileDialog", "Show ", "Εμφάνιση "},
    {"QFileDialog", "'%1' is write protected.\nDo you want to delete it anyway?",
     "Το '%1' προστατεύεται από εγγραφή.\nΝα διαγραφεί παρ' όλα αυτά;"},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "Να διαγραφεί το '%1';"},
    {"QFileDialog", "List of places and bookmarks", "Θέσεις και σελιδοδείκτες"},
    {"QFileDialog", "File &name:", "Όνο&μα αρχείου:"},
    {"QFileDialog", "Delete", "Διαγραφή"},
    {"QFileDialog", "New Folder", "Νέος φάκελος"},
    {"QFileDialog", "Parent Directory", "Γονικός φάκελος"},
    {"QFileDialog", "&New Folder", "&Νέος φάκελος"},
    {"QFileDialog", "Remove", "Αφαίρεση"},
    {"QFileDialog", "Look in:", "Αναζήτηση σε:"},
    {"QFileDialog", "Create a New Folder", "Δημιουργία νέου φακέλου"},
    {"QFileDialog", "Files of type:", "Αρχεία τύπου:"},
    {"QFileDialog", "Find Directory", "Εύρεση φακέλου"},
    {"QFileDialog", "Show &hidden files", "Εμφάνιση κρυ&φών αρχείων"},
    {"QFileDialog", "Save As", "Αποθήκευση ως"},
    {"QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.",
     "%1\nΟ φάκελος δεν βρέθηκε.\nΕλέγξτε ότι δόθηκε το σωστό όνομα φακέλου."},
    {"QFileDialog", "Sidebar", "Πλευρική στήλη"},
    {"QFileDialog", "List View", "Προβολή λίστας"},
    {"QFileDialog", "&Choose", "Επι&λογή"},
    {"QFileDialog", "&Delete", "&Διαγραφή"},
    {"QFileDialog", "All files (*)", "Όλα τα αρχεία (*)"},
    {"QFileDialog", "All Files (*)", "Όλα τα αρχεία (*)"},
    {"QFileDialog", "Directories", "Φάκελοι"},
    {"QFileDialog", "&Rename", "&Μετονομασία"},
    {"QFileDialog", "Could not delete directory.", "Ο φάκελος δεν ήταν δυνατό να διαγραφεί."},
    {"QFileDialog", "Directory:", "Φάκελος:"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?",
     "Το %1 υπάρχει ήδη.\nΝα αντικατασταθεί;"},
    {"QFileDialog", "Forward", "Εμπρός"},
    {"QFileDialog", "Go forward", "Μετάβαση εμπρός"},
    {"QFileDialog", "Go to the parent directory", "Μετάβαση στον γονικό φάκελο"},
    {"QFileDialog", "Recent Places", "Πρόσφατες θέσεις"},
    {"QFileDialog", "Go back", "Μετάβαση πίσω"},
    {"QFileDialog", "Change to detail view mode", "Προβολή λεπτομερειών"},
    {"QFileDialog", "Create New Folder", "Δημιουργία νέου φακέλου"},
    {"QFileDialog", "Detail View", "Λεπτομέρειες"},
    {"QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.",
     "%1\nΤο αρχείο δεν βρέθηκε.\nΕλέγξτε ότι δόθηκε το σωστό όνομα αρχείου."},
    {"QFileDialog", "Change to list view mode", "Προβολή λίστας"},
    {"QFileSystemModel", "Kind", "Είδος"},
    {"QFileSystemModel", "Name", "Όνομα"},
    {"QFileSystemModel", "Size", "Μέγεθος"},
    {"QFileSystemModel", "Type", "Τύπος"},
    {"QFileSystemModel", "My Computer", "Ο υπολογιστής μου"},
    {"QFileSystemModel", "Computer", "Υπολογιστής"},
    {"QFileSystemModel", "Date Modified", "Ημερομηνία τροποποίησης"},
    {"QAbstractFileIconProvider", "Folder", "Φάκελος"},
    {"QAbstractFileIconProvider", "File Folder", "Φάκελος αρχείων"},
    {"QAbstractFileIconProvider", "Drive", "Μονάδα δίσκου"},
    {"QAbstractFileIconProvider", "File", "Αρχείο"},
    {"QAbstractFileIconProvider", "%1 File", "Αρχείο %1"},

    // The edit menus of text boxes.
    {"QLineEdit", "Cu&t", "Απο&κοπή"},
    {"QLineEdit", "&Copy", "Αντι&γραφή"},
    {"QLineEdit", "&Redo", "Ακύρωση α&ναίρεσης"},
    {"QLineEdit", "&Undo", "&Αναίρεση"},
    {"QLineEdit", "&Paste", "Επι&κόλληση"},
    {"QLineEdit", "Delete", "Διαγραφή"},
    {"QLineEdit", "Select All", "Επιλογή όλων"},
    {"QWidgetTextControl", "Cu&t", "Απο&κοπή"},
    {"QWidgetTextControl", "&Copy", "Αντι&γραφή"},
    {"QWidgetTextControl", "&Redo", "Ακύρωση α&ναίρεσης"},
    {"QWidgetTextControl", "&Undo", "&Αναίρεση"},
    {"QWidgetTextControl", "&Paste", "Επι&κόλληση"},
    {"QWidgetTextControl", "Delete", "Διαγραφή"},
    {"QWidgetTextControl", "Select All", "Επιλογή όλων"},
    {"QWidgetTextControl", "Copy &Link Location", "Αντιγραφή διεύθυνσης &συνδέσμου"},
    {"QAbstractSpinBox", "Step &down", "&Μείωση"},
    {"QAbstractSpinBox", "&Step up", "Α&ύξηση"},
    {"QAbstractSpinBox", "&Select All", "&Επιλογή όλων"},

    // The print dialog.
    {"QPrintDialog", "Even Pages", "Ζυγές σελίδες"},
    {"QPrintDialog", "Print", "Εκτύπωση"},
    {"QPrintDialog", "&Options <<", "&Επιλογές <<"},
    {"QPrintDialog", "&Options >>", "&Επιλογές >>"},
    {"QPrintDialog", "Left to Right, Top to Bottom", "Αριστερά προς δεξιά, πάνω προς κάτω"},
    {"QPrintDialog", "Right to Left, Bottom to Top", "Δεξιά προς αριστερά, κάτω προς πάνω"},
    {"QPrintDialog", "Write PDF file", "Εγγραφή αρχείου PDF"},
    {"QPrintDialog", "&Print", "Ε&κτύπωση"},
    {"QPrintDialog",
     "Options 'Pages Per Sheet' and 'Page Set' cannot be used together.\nPlease turn one of "
     "those options off.",
     "Οι επιλογές 'Σελίδες ανά φύλλο' και 'Σύνολο σελίδων' δεν συνδυάζονται.\nΑπενεργοποιήστε "
     "τη μία από τις δύο."},
    {"QPrintDialog", "%1 already exists.\nDo you want to overwrite it?",
     "Το %1 υπάρχει ήδη.\nΝα αντικατασταθεί;"},
    {"QPrintDialog", "Left to Right, Bottom to Top", "Αριστερά προς δεξιά, κάτω προς πάνω"},
    {"QPrintDialog", "Odd Pages", "Μονές σελίδες"},
    {"QPrintDialog", "Local file", "Τοπικό αρχείο"},
    {"QPrintDialog", "There are conflicts in duplex settings. Do you want to fix them?",
     "Οι ρυθμίσεις εκτύπωσης διπλής όψης συγκρούονται. Να διορθωθούν;"},
    {"QPrintDialog", "Print to File (PDF)", "Εκτύπωση σε αρχείο (PDF)"},
    {"QPrintDialog", "Print To File ...", "Εκτύπωση σε αρχείο ..."},
    {"QPrintDialog", "Invalid Pages Definition", "Μη έγκυρος ορισμός σελίδων"},
    {"QPrintDialog",
     "%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to "
     "define ranges and make sure ranges do not intersect with each other.",
     "Το %1 δεν είναι γραμμένο σωστά. Χωρίστε σελίδες και περιοχές με ',', ορίστε περιοχές με "
     "'-' και φροντίστε να μην επικαλύπτονται οι περιοχές."},
    {"QPrintDialog", "Right to Left, Top to Bottom", "Δεξιά προς αριστερά, πάνω προς κάτω"},
    {"QPrintDialog", "Bottom to Top, Left to Right", "Κάτω προς πάνω, αριστερά προς δεξιά"},
    {"QPrintDialog", "The 'From' value cannot be greater than the 'To' value.",
     "Η τιμή 'Από' δεν μπορεί να είναι μεγαλύτερη από την τιμή 'Έως'."},
    {"QPrintDialog", "All Pages", "Όλες οι σελίδες"},
    {"QPrintDialog", "Duplex Settings Conflicts", "Σύγκρουση ρυθμίσεων διπλής όψης"},
    {"QPrintDialog", "%1 is a directory.\nPlease choose a different file name.",
     "Το %1 είναι φάκελος.\nΕπιλέξτε άλλο όνομα αρχείου."},
    {"QPrintDialog", "File %1 is not writable.\nPlease choose a different file name.",
     "Στο αρχείο %1 δεν επιτρέπεται η εγγραφή.\nΕπιλέξτε άλλο όνομα αρχείου."},
    {"QPrintDialog", "Bottom to Top, Right to Left", "Κάτω προς πάνω, δεξιά προς αριστερά"},
    {"QPrintDialog", "Top to Bottom, Left to Right", "Πάνω προς κάτω, αριστερά προς δεξιά"},
    {"QPrintDialog", "Top to Bottom, Right to Left", "Πάνω προς κάτω, δεξιά προς αριστερά"},
    {"QPrintWidget", "Form", "Φόρμα"},
    {"QPrintWidget", "Type:", "Τύπος:"},
    {"QPrintWidget", "&Name:", "Ό&νομα:"},
    {"QPrintWidget", "Output &file:", "Αρχείο ε&ξόδου:"},
    {"QPrintWidget", "P&roperties", "Ι&διότητες"},
    {"QPrintWidget", "Preview", "Προεπισκόπηση"},
    {"QPrintWidget", "Printer", "Εκτυπωτής"},
    {"QPrintWidget", "Location:", "Θέση:"},
    {"QPrintSettingsOutput", "to", "έως"},
    {"QPrintSettingsOutput", "Off", "Όχι"},
    {"QPrintSettingsOutput", "Form", "Φόρμα"},
    {"QPrintSettingsOutput", "Color", "Έγχρωμη"},
    {"QPrintSettingsOutput", "Print all", "Όλες"},
    {"QPrintSettingsOutput", "Pages", "Σελίδες"},
    {"QPrintSettingsOutput", "Current Page", "Τρέχουσα σελίδα"},
    {"QPrintSettingsOutput", "Selection", "Επιλογή"},
    {"QPrintSettingsOutput", "Copies", "Αντίτυπα"},
    {"QPrintSettingsOutput", "Print range", "Περιοχή εκτύπωσης"},
    {"QPrintSettingsOutput", "Color Mode", "Χρώμα"},
    {"QPrintSettingsOutput", "Options", "Επιλογές"},
    {"QPrintSettingsOutput", "Output Settings", "Ρυθμίσεις εξόδου"},
    {"QPrintSettingsOutput", "Reverse", "Αντίστροφη σειρά"},
    {"QPrintSettingsOutput", "Grayscale", "Αποχρώσεις του γκρι"},
    {"QPrintSettingsOutput", "Collate", "Συρραφή"},
    {"QPrintSettingsOutput", "Copies:", "Αντίτυπα:"},
    {"QPrintSettingsOutput", "Short side binding", "Βιβλιοδεσία στη στενή πλευρά"},
    {"QPrintSettingsOutput",
     "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated "
     "by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Δώστε σελίδες ή περιοχές χωρισμένες με κόμμα. Μια περιοχή είναι δύο αριθμοί με παύλα "
     "ανάμεσα. Π.χ. 3,5-7,9 τυπώνει τις σελίδες 3, 5, 6, 7 και 9."},
    {"QPrintSettingsOutput", "Pages from", "Σελίδες από"},
    {"QPrintSettingsOutput", "Double Sided Printing", "Εκτύπωση διπλής όψης"},
    {"QPrintSettingsOutput", "Page Set:", "Σύνολο σελίδων:"},
    {"QPrintSettingsOutput", "Long side binding", "Βιβλιοδεσία στη μακριά πλευρά"},
    {"QPrintPropertiesWidget", "Form", "Φόρμα"},
    {"QPrintPropertiesWidget", "Page", "Σελίδα"},
    {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
     "Κάποιες επιλογές συγκρούονται. Διορθώστε τις."},
    {"QPrintPropertiesWidget", "Advanced", "Για προχωρημένους"},
    {"QPrintPropertiesDialog", "Advanced Option Conflicts", "Σύγκρουση επιλογών για προχωρημένους"},
    {"QPrintPropertiesDialog", "Job Options", "Επιλογές εργασίας"},
    {"QPrintPropertiesDialog", "Page Setup Conflicts", "Σύγκρουση ρυθμίσεων σελίδας"},
    {"QPrintPropertiesDialog",
     "There are conflicts in some advanced options. Do you want to fix them?",
     "Κάποιες επιλογές για προχωρημένους συγκρούονται. Να διορθωθούν;"},
    {"QPrintPropertiesDialog",
     "There are conflicts in page setup options. Do you want to fix them?",
     "Κάποιες ρυθμίσεις σελίδας συγκρούονται. Να διορθωθούν;"},
    {"QPrintPropertiesDialog", "Printer Properties", "Ιδιότητες εκτυπωτή"},
    {"QPageSetupWidget", "in", "ίντσες"},
    {"QPageSetupWidget", "Form", "Φόρμα"},
    {"QPageSetupWidget", "bottom margin", "κάτω περιθώριο"},
    {"QPageSetupWidget", "Paper", "Χαρτί"},
    {"QPageSetupWidget", "Paper source:", "Πηγή χαρτιού:"},
    {"QPageSetupWidget", "right margin", "δεξί περιθώριο"},
    {"QPageSetupWidget", "Margins", "Περιθώρια"},
    {"QPageSetupWidget", "Custom", "Προσαρμοσμένο"},
    {"QPageSetupWidget", "Landscape", "Οριζόντιος"},
    {"QPageSetupWidget", "Page Layout", "Διάταξη σελίδας"},
    {"QPageSetupWidget", "Width:", "Πλάτος:"},
    {"QPageSetupWidget", "Orientation", "Προσανατολισμός"},
    {"QPageSetupWidget", "Portrait", "Κατακόρυφος"},
    {"QPageSetupWidget", "Page order:", "Σειρά σελίδων:"},
    {"QPageSetupWidget", "top margin", "πάνω περιθώριο"},
    {"QPageSetupWidget", "left margin", "αριστερό περιθώριο"},
    {"QPageSetupWidget", "Page size:", "Μέγεθος σελίδας:"},
    {"QPageSetupWidget", "Reverse portrait", "Ανεστραμμένος κατακόρυφος"},
    {"QPageSetupWidget", "Millimeters (mm)", "Χιλιοστά (mm)"},
    {"QPageSetupWidget", "Points (pt)", "Στιγμές (pt)"},
    {"QPageSetupWidget", "Pages per sheet:", "Σελίδες ανά φύλλο:"},
    {"QPageSetupWidget", "Inches (in)", "Ίντσες (in)"},
    {"QPageSetupWidget", "Reverse landscape", "Ανεστραμμένος οριζόντιος"},
    {"QPageSetupWidget", "Height:", "Ύψος:"},
    {"QCupsJobWidget", "Job", "Εργασία"},
    {"QCupsJobWidget", "End:", "Τέλος:"},
    {"QCupsJobWidget", "None", "Κανένα"},
    {"QCupsJobWidget", "Banner Pages", "Σελίδες διαχωρισμού"},
    {"QCupsJobWidget", "Night (18:00 to 05:59)", "Νύχτα (18:00 έως 05:59)"},
    {"QCupsJobWidget", "Specific Time", "Συγκεκριμένη ώρα"},
    {"QCupsJobWidget", "Billing information:", "Στοιχεία χρέωσης:"},
    {"QCupsJobWidget", "Scheduled printing:", "Προγραμματισμένη εκτύπωση:"},
    {"QCupsJobWidget", "Secret", "Απόρρητο"},
    {"QCupsJobWidget", "Top Secret", "Άκρως απόρρητο"},
    {"QCupsJobWidget", "Start:", "Αρχή:"},
    {"QCupsJobWidget", "Day (06:00 to 17:59)", "Ημέρα (06:00 έως 17:59)"},
    {"QCupsJobWidget", "Second Shift (16:00 to 23:59)", "Δεύτερη βάρδια (16:00 έως 23:59)"},
    {"QCupsJobWidget", "Job Control", "Έλεγχος εργασίας"},
    {"QCupsJobWidget", "Weekend (Saturday to Sunday)", "Σαββατοκύριακο (Σάββατο έως Κυριακή)"},
    {"QCupsJobWidget", "Standard", "Κανονικό"},
    {"QCupsJobWidget", "Classified", "Διαβαθμισμένο"},
    {"QCupsJobWidget", "Third Shift (00:00 to 07:59)", "Τρίτη βάρδια (00:00 έως 07:59)"},
    {"QCupsJobWidget", "Hold Indefinitely", "Αναμονή επ' αόριστον"},
    {"QCupsJobWidget", "Print Immediately", "Άμεση εκτύπωση"},
    {"QCupsJobWidget", "Confidential", "Εμπιστευτικό"},
    {"QCupsJobWidget", "Job priority:", "Προτεραιότητα εργασίας:"},
    {"QCupsJobWidget", "Unclassified", "Αδιαβάθμητο"},
    {"QCupsPrinterSupport", "Authentication needed to use %1 on %2.",
     "Απαιτείται ταυτοποίηση για τη χρήση του %1 στο %2."},
    {"QCupsPrinterSupport", "Authentication needed to use %1.",
     "Απαιτείται ταυτοποίηση για τη χρήση του %1."},
    {"QCupsPrinterSupport", "Authentication Needed", "Απαιτείται ταυτοποίηση"},
    {"QCupsPrinterSupport", "Password:", "Κωδικός:"},
    {"QCupsPrinterSupport", "Username:", "Όνομα χρήστη:"},

    // The print preview.
    {"QPrintPreviewDialog", "Print Preview", "Προεπισκόπηση εκτύπωσης"},
    {"QPrintPreviewDialog", "Print", "Εκτύπωση"},
    {"QPrintPreviewDialog", "Fit page", "Προσαρμογή στη σελίδα"},
    {"QPrintPreviewDialog", "Zoom in", "Μεγέθυνση"},
    {"QPrintPreviewDialog", "Landscape", "Οριζόντιος"},
    {"QPrintPreviewDialog", "Zoom out", "Σμίκρυνση"},
    {"QPrintPreviewDialog", "Fit width", "Προσαρμογή στο πλάτος"},
    {"QPrintPreviewDialog", "Portrait", "Κατακόρυφος"},
    {"QPrintPreviewDialog", "Page Setup", "Διαμόρφωση σελίδας"},
    {"QPrintPreviewDialog", "Page setup", "Διαμόρφωση σελίδας"},
    {"QPrintPreviewDialog", "Show overview of all pages", "Όλες οι σελίδες"},
    {"QPrintPreviewDialog", "First page", "Πρώτη σελίδα"},
    {"QPrintPreviewDialog", "Last page", "Τελευταία σελίδα"},
    {"QPrintPreviewDialog", "Show single page", "Μία σελίδα"},
    {"QPrintPreviewDialog", "Export to PDF", "Εξαγωγή σε PDF"},
    {"QPrintPreviewDialog", "Previous page", "Προηγούμενη σελίδα"},
    {"QPrintPreviewDialog", "Next page", "Επόμενη σελίδα"},
    {"QPrintPreviewDialog", "Show facing pages", "Αντικριστές σελίδες"},
};

using Catalogue = std::unordered_map<std::string, const char*>;

std::string Key(const char* context, const char* source) {
    std::string key(context);
    key += '\x04';
    key += source;
    return key;
}

const Catalogue& TheCatalogue() {
    static const Catalogue catalogue = [] {
        Catalogue c;
        c.reserve(std::size(kEntries));
        for (const GreekQtEntry& e : kEntries) {
            c.emplace(Key(e.context, e.source), e.greek);
        }
        return c;
    }();
    return catalogue;
}

} // namespace

const char* GreekQtText(const char* context, const char* source) {
    if (context == nullptr || source == nullptr) {
        return nullptr;
    }
    const Catalogue& c = TheCatalogue();
    const auto it = c.find(Key(context, source));
    return it == c.end() ? nullptr : it->second;
}

std::span<const GreekQtEntry> GreekQtEntries() {
    return kEntries;
}

GreekQtCatalogue::GreekQtCatalogue(QObject* parent) : QTranslator(parent) {}

QString GreekQtCatalogue::translate(const char* context, const char* sourceText,
                                    const char* disambiguation, int n) const {
    Q_UNUSED(disambiguation);
    Q_UNUSED(n);
    const char* greek = GreekQtText(context, sourceText);
    return greek == nullptr ? QString() : QString::fromUtf8(greek);
}

bool GreekQtCatalogue::isEmpty() const {
    return false;
}

} // namespace pyrostat
