#include "reports/ReportRoutine.h"

#include "platform/FileAccess.h"
#include "reports/ColumnFit.h"

#include "distribution/MessageByCode.h"

#include "platform/LocalDate.h"
#include "platform/PathRoutines.h"
#include "platform/Utf8.h"
#include "register/EngineerName.h"
#include "register/RegistrationNumbers.h"

namespace pyrostat {

void RunSheetReport(ReportServices& services, const std::string& templateName, int generalDataRow,
                    const ReportJob& job, const std::function<void(SheetModel&)>& fill) {
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

    if (!services.outputs) {
        ShowMessageByCode(services.messages, -4);
        return;
    }
    SheetModel sheet;
    if (!services.outputs->LoadTemplate(templatePath, sheet)) {
        // A template that is there but cannot be read is as good as missing.
        services.messages.Show(kTemplateMissingTitle, kTemplateMissingPrompt,
                               MessageService::Icon::Exclamation);
        return;
    }

    sheet.SetText(1, 1, kEngineerCaption + EngineerWithNumber(folder, state.CurrentEngineer));
    // The date the report was made, under every page.
    const std::string madeOn = services.madeOn.empty() ? TodayText() : services.madeOn;
    PageSetup& setup = sheet.Setup();
    setup.footer += (setup.footer.empty() ? "" : "      ") + std::string(kMadeOnCaption) + madeOn;
    sheet.SetText(generalDataRow, 3, TrimBlanks(state.Employer));
    sheet.SetText(generalDataRow + 1, 3, TrimBlanks(state.Project));
    sheet.SetText(generalDataRow + 2, 3, TrimBlanks(state.Location));

    fill(sheet);
    // No number is printed wider than its column, in the PDF or a
    // spreadsheet program.
    FitColumnsToNumbers(sheet, NumberLocale::Of(state));

    if (job.kind == ReportJob::Kind::Preview) {
        // An error of the preview has been told by the preview itself.
        (void)services.outputs->Preview(sheet);
    } else {
        services.outputs->Print(sheet, job.copies > 0 ? job.copies : 1, job.printer);
    }
}

void RepeatFirstPage(SheetModel& sheet, int firstPageLastRow, int pageRows, size_t extraPages) {
    if (extraPages == 0) {
        return;
    }
    const SheetRowBlock firstPage = sheet.CopyRows(1, firstPageLastRow);
    for (size_t p = 1; p <= extraPages; ++p) {
        const int top = pageRows * static_cast<int>(p) + 1;
        sheet.PasteRows(firstPage, top);
        sheet.AddPageBreak(top);
    }
}

} // namespace pyrostat
