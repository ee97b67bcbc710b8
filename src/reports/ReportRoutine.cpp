#include "reports/ReportRoutine.h"

#include "platform/FileAccess.h"

#include "distribution/MessageByCode.h"

#include "platform/PathRoutines.h"
#include "platform/Utf8.h"
#include "register/EngineerName.h"

namespace pyrostat {

void RunSheetReport(ReportServices& services, const std::string& templateName, int generalDataRow,
                    const ReportJob& job, const std::function<void(SheetApplication&)>& fill) {
    // The engineer whose name the report carries is settled before anything
    // of the report is done.
    ResolveCurrentEngineer(services.state, services.state.ProgramFolder);
    const ProgramState& state = services.state;
    const std::string folder = AddBackslash(state.ProgramFolder);
    const std::string templatePath = folder + templateName;
    const FileProblem problem = ExamineFile(templatePath);
    if (problem != FileProblem::None) {
        // A folder, a FIFO or an unreadable file is named with its problem.
        std::string prompt = kTemplateMissingPrompt;
        if (problem != FileProblem::Missing) {
            prompt += "\n\n" + FileProblemMessage(templatePath, problem);
        }
        services.messages.Show(kTemplateMissingTitle, prompt, MessageService::Icon::Exclamation);
        return;
    }

    std::shared_ptr<SheetApplication> sheet =
        services.createSheet ? services.createSheet() : nullptr;
    if (!sheet) {
        ShowMessageByCode(services.messages, -4);
        return;
    }

    sheet->SetVisible(false);
    if (!sheet->OpenTemplate(templatePath, kTemplatePassword)) {
        // A template that is there but cannot be read is as good as missing.
        sheet->Quit();
        services.messages.Show(kTemplateMissingTitle, kTemplateMissingPrompt,
                               MessageService::Icon::Exclamation);
        return;
    }

    sheet->SetRangeValue("A1", kEngineerCaption + TrimBlanks(state.CurrentEngineer));
    sheet->SetCellText(generalDataRow, 3, TrimBlanks(state.Employer));
    sheet->SetCellText(generalDataRow + 1, 3, TrimBlanks(state.Project));
    sheet->SetCellText(generalDataRow + 2, 3, TrimBlanks(state.Location));

    fill(*sheet);

    if (job.kind == ReportJob::Kind::Preview) {
        sheet->SetVisible(true);
        // An error of the preview does not stop the close and the quit.
        (void)sheet->PrintPreview();
        sheet->SetVisible(false);
    } else {
        sheet->PrintOut(job.copies > 0 ? job.copies : 1, job.printer, true);
    }

    sheet->CloseWithoutSaving(templateName);
    const bool quitOk = sheet->Quit();
    (void)quitOk; // a failed quit is ignored: the engine is released below either way
}

void RepeatFirstPage(SheetApplication& sheet, const std::string& firstPageRows, int pageRows,
                     size_t extraPages) {
    if (extraPages == 0) {
        return;
    }
    sheet.SelectRows(firstPageRows);
    sheet.CopySelection();
    for (size_t p = 1; p <= extraPages; ++p) {
        const int top = pageRows * static_cast<int>(p) + 1;
        sheet.SelectCell(top, 1);
        sheet.Paste();
        sheet.SelectCell(top, 1);
        sheet.AddPageBreakAboveActiveCell();
    }
}

} // namespace pyrostat
