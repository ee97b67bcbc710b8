#pragma once

#include "reports/ReportOutputs.h"

#include <functional>
#include <string>
#include <vector>

namespace pyrostat::test {

// The report outputs for the report tests: a template is an empty sheet
// unless `makeTemplate` fills it; every sheet previewed or printed is kept
// with its printer and copies.
class RecordingOutputs : public ReportOutputs {
public:
    std::function<void(SheetModel&)> makeTemplate;
    bool failLoad = false;
    bool failPreview = false;

    std::vector<std::string> loaded; // the template paths read, in order
    struct Output {
        SheetModel sheet;
        bool printed = false;
        int copies = 0;
        std::string printer;
    };
    std::vector<Output> made;

    bool LoadTemplate(const std::string& path, SheetModel& sheet) override {
        loaded.push_back(path);
        if (failLoad) {
            return false;
        }
        sheet = SheetModel{};
        if (makeTemplate) {
            makeTemplate(sheet);
        }
        return true;
    }
    bool Preview(const SheetModel& sheet) override {
        made.push_back({sheet, false, 0, ""});
        return !failPreview;
    }
    void Print(const SheetModel& sheet, int copies, const std::string& printer) override {
        made.push_back({sheet, true, copies, printer});
    }

    const Output& Last() const { return made.back(); }
};

} // namespace pyrostat::test
