#pragma once

#include "reports/ModelSheetApplication.h"
#include "reports/ReportServices.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pyrostat::test {

// The sheet engine for the report tests: every call lands in the sheet model
// and is written to a log in call order. A template is an empty sheet unless
// `makeTemplate` fills it.
class RecordingSheet : public ModelSheetApplication {
public:
    std::vector<std::string> log;
    std::function<void(SheetModel&)> makeTemplate;
    bool failOpen = false;
    bool failPreview = false;
    bool quitFails = false;
    std::string openedPath;
    std::string password;
    int printedCopies = -1;
    std::string printedOn;
    bool printedCollated = false;

    void SetVisible(bool visible) override {
        log.push_back(visible ? "Visible" : "Invisible");
        ModelSheetApplication::SetVisible(visible);
    }
    bool OpenTemplate(const std::string& path, const std::string& pw) override {
        log.push_back("Open");
        openedPath = path;
        password = pw;
        return ModelSheetApplication::OpenTemplate(path, pw);
    }
    void SetRangeValue(const std::string& cell, const std::string& text) override {
        log.push_back("Range " + cell);
        ModelSheetApplication::SetRangeValue(cell, text);
    }
    void SelectRows(const std::string& rows) override {
        log.push_back("Rows " + rows);
        ModelSheetApplication::SelectRows(rows);
    }
    void SelectCell(int row, int col) override {
        log.push_back("Cell " + std::to_string(row) + "," + std::to_string(col));
        ModelSheetApplication::SelectCell(row, col);
    }
    void SelectRange(int r1, int c1, int r2, int c2) override {
        log.push_back("Range " + std::to_string(r1) + "," + std::to_string(c1) + ":" +
                      std::to_string(r2) + "," + std::to_string(c2));
        ModelSheetApplication::SelectRange(r1, c1, r2, c2);
    }
    void CopySelection() override {
        log.push_back("Copy");
        ModelSheetApplication::CopySelection();
    }
    void Paste() override {
        log.push_back("Paste");
        ModelSheetApplication::Paste();
    }
    void ClearContents() override {
        log.push_back("ClearContents");
        ModelSheetApplication::ClearContents();
    }
    void ClearBordersAndFill() override {
        log.push_back("ClearBordersAndFill");
        ModelSheetApplication::ClearBordersAndFill();
    }
    void AddPageBreakAboveActiveCell() override {
        log.push_back("PageBreak");
        ModelSheetApplication::AddPageBreakAboveActiveCell();
    }
    void SetSelectionBold(bool bold) override {
        log.push_back("Bold");
        ModelSheetApplication::SetSelectionBold(bold);
    }
    void SetSelectionInteriorColorIndex(int index) override {
        log.push_back("ColorIndex " + std::to_string(index));
        ModelSheetApplication::SetSelectionInteriorColorIndex(index);
    }
    void SetSelectionInteriorPattern(int pattern) override {
        log.push_back("Pattern " + std::to_string(pattern));
        ModelSheetApplication::SetSelectionInteriorPattern(pattern);
    }
    bool PrintPreview() override {
        log.push_back("Preview");
        return !failPreview;
    }
    void PrintOut(int copies, const std::string& printer, bool collate) override {
        log.push_back("PrintOut");
        printedCopies = copies;
        printedOn = printer;
        printedCollated = collate;
    }
    void CloseWithoutSaving(const std::string& name) override {
        log.push_back("Close " + name);
        ModelSheetApplication::CloseWithoutSaving(name);
    }
    bool Quit() override {
        log.push_back("Quit");
        return !quitFails;
    }

    // The position of the first log entry equal to `entry`, or -1.
    int IndexOf(const std::string& entry) const {
        for (size_t i = 0; i < log.size(); ++i) {
            if (log[i] == entry) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    int Count(const std::string& entry) const {
        int n = 0;
        for (const std::string& e : log) {
            n += e == entry ? 1 : 0;
        }
        return n;
    }

protected:
    bool LoadTemplate(const std::string&, SheetModel& model) override {
        if (failOpen) {
            return false;
        }
        model = SheetModel{};
        if (makeTemplate) {
            makeTemplate(model);
        }
        return true;
    }
};

// A factory that hands out one RecordingSheet per report and keeps them all.
struct RecordingSheetFactory {
    std::vector<std::shared_ptr<RecordingSheet>> made;
    std::function<void(RecordingSheet&)> prepare;
    bool unavailable = false;

    SheetApplicationFactory Factory() {
        return [this]() -> std::shared_ptr<SheetApplication> {
            if (unavailable) {
                return nullptr;
            }
            auto sheet = std::make_shared<RecordingSheet>();
            if (prepare) {
                prepare(*sheet);
            }
            made.push_back(sheet);
            return sheet;
        };
    }
    RecordingSheet& Last() { return *made.back(); }
};

} // namespace pyrostat::test
