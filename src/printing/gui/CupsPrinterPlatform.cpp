#include "printing/gui/CupsPrinterPlatform.h"

#ifdef PYROSTAT_HAVE_CUPS
#include <cups/cups.h>
#include <dlfcn.h>

#include <type_traits>
#endif

namespace pyrostat {

#ifdef PYROSTAT_HAVE_CUPS
namespace {

// The CUPS library, loaded the first time the program asks about printers:
// most runs never print, and CUPS with what it needs takes longer to load
// than a whole report takes to draw. Without it there is no printer.
struct CupsLibrary {
    decltype(&cupsGetDests2) getDests = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
    decltype(&cupsGetOption) getOption = nullptr;

    bool Loaded() const { return getDests && freeDests && getOption; }

    static const CupsLibrary& Get() {
        static const CupsLibrary library = [] {
            CupsLibrary l;
            void* handle = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
            if (handle == nullptr) {
                return l;
            }
            auto load = [handle](auto& function, const char* name) {
                function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                    dlsym(handle, name));
            };
            load(l.getDests, "cupsGetDests2");
            load(l.freeDests, "cupsFreeDests");
            load(l.getOption, "cupsGetOption");
            return l;
        }();
        return library;
    }
};

// The destination list of CUPS, freed when it goes out of scope.
class DestinationList {
public:
    DestinationList() {
        if (Cups().Loaded()) {
            count_ = Cups().getDests(CUPS_HTTP_DEFAULT, &dests_);
        }
    }
    ~DestinationList() {
        if (dests_ != nullptr) {
            Cups().freeDests(count_, dests_);
        }
    }
    static const CupsLibrary& Cups() { return CupsLibrary::Get(); }
    DestinationList(const DestinationList&) = delete;
    DestinationList& operator=(const DestinationList&) = delete;

    int Count() const { return count_; }
    const cups_dest_t& At(int i) const { return dests_[i]; }

private:
    int count_ = 0;
    cups_dest_t* dests_ = nullptr;
};

std::string Option(const cups_dest_t& dest, const char* name) {
    const char* value = CupsLibrary::Get().getOption(name, dest.num_options, dest.options);
    return value != nullptr ? value : "";
}

} // namespace

std::vector<PrinterDestination> CupsPrinterPlatform::Destinations() const {
    DestinationList list;
    std::vector<PrinterDestination> printers;
    for (int i = 0; i < list.Count(); ++i) {
        const cups_dest_t& dest = list.At(i);
        // Instances ("printer/instance") share their printer's queue.
        if (dest.instance != nullptr || dest.name == nullptr) {
            continue;
        }
        printers.push_back(
            {dest.name, Option(dest, "printer-make-and-model"), Option(dest, "device-uri")});
    }
    return printers;
}

std::string CupsPrinterPlatform::UserDefault() const {
    DestinationList list;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.At(i).is_default && list.At(i).name != nullptr) {
            return list.At(i).name;
        }
    }
    return {};
}

#else

std::vector<PrinterDestination> CupsPrinterPlatform::Destinations() const {
    return {};
}
std::string CupsPrinterPlatform::UserDefault() const {
    return {};
}

#endif

} // namespace pyrostat
