#include "printing/gui/CupsPrinterPlatform.h"

#ifdef PYROSTAT_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace pyrostat {

#ifdef PYROSTAT_HAVE_CUPS
namespace {

// The destination list of CUPS, freed when it goes out of scope.
class DestinationList {
public:
    DestinationList() { count_ = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_); }
    ~DestinationList() { cupsFreeDests(count_, dests_); }
    DestinationList(const DestinationList&) = delete;
    DestinationList& operator=(const DestinationList&) = delete;

    int Count() const { return count_; }
    cups_dest_t* Data() { return dests_; }
    const cups_dest_t& At(int i) const { return dests_[i]; }

private:
    int count_ = 0;
    cups_dest_t* dests_ = nullptr;
};

std::string Option(const cups_dest_t& dest, const char* name) {
    const char* value = cupsGetOption(name, dest.num_options, dest.options);
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

bool CupsPrinterPlatform::SetUserDefault(const std::string& name) {
    DestinationList list;
    cups_dest_t* wanted = cupsGetDest(name.c_str(), nullptr, list.Count(), list.Data());
    if (wanted == nullptr) {
        return false;
    }
    if (wanted->is_default) {
        return true; // the user's option file is left untouched
    }
    for (int i = 0; i < list.Count(); ++i) {
        list.Data()[i].is_default = 0;
    }
    wanted->is_default = 1;
    return cupsSetDests2(CUPS_HTTP_DEFAULT, list.Count(), list.Data()) == 0;
}

#else

std::vector<PrinterDestination> CupsPrinterPlatform::Destinations() const {
    return {};
}
std::string CupsPrinterPlatform::UserDefault() const {
    return {};
}
bool CupsPrinterPlatform::SetUserDefault(const std::string&) {
    return false;
}

#endif

} // namespace pyrostat
