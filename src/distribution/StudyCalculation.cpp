#include "distribution/StudyCalculation.h"

#include "distribution/FactorTables.h"
#include "distribution/MessageByCode.h"
#include "distribution/PreRunCheck.h"
#include "platform/Utf8.h"
#include "workspace/GridLayout.h"
#include "workspace/NumberText.h"

#include <algorithm>

namespace pyrostat {

namespace {

constexpr size_t kTotalLosses = 1, kArea = 4, kHeight = 5, kFirstLength = 6, kLastLength = 8;
constexpr size_t kKind = kKindColumn - 1, kPipe = kPipeColumn - 1;

bool AllEmpty(const StudyRow& row) {
    return std::all_of(row.begin(), row.end(), [](const std::string& t) { return t.empty(); });
}

bool InList(const std::string& text, int col) {
    const std::vector<std::string>& list = ListTexts(col);
    return std::find(list.begin(), list.end(), text) != list.end();
}

} // namespace

StudyNumbers ReadStudyNumbers(const StudyRow& row, NumberLocale locale) {
    StudyNumbers numbers{};
    for (size_t c = 0; c < row.size(); ++c) {
        if (IsNumberColumn(static_cast<int>(c + 1))) {
            numbers[c] = CellValue(row[c], locale);
        }
    }
    return numbers;
}

StudyCheckResult CheckStudyRows(std::vector<StudyRow> rows, NumberLocale locale) {
    StudyCheckResult out;
    while (!rows.empty() && AllEmpty(rows.back())) {
        rows.pop_back();
    }
    if (rows.empty()) {
        out.check = StudyCheck::NoProperties;
        return out;
    }
    int code = 0;
    // With the pipe column empty in every row nothing is taken out: the rows
    // are incomplete as they stand.
    const bool anyPipe =
        std::any_of(rows.begin(), rows.end(), [](const StudyRow& r) { return !r[kPipe].empty(); });
    if (anyPipe) {
        rows.erase(std::remove_if(rows.begin(), rows.end(), AllEmpty), rows.end());
    } else {
        code = kCheckIncomplete;
    }
    std::vector<StudyNumbers> numbers;
    numbers.reserve(rows.size());
    for (const StudyRow& r : rows) {
        numbers.push_back(ReadStudyNumbers(r, locale));
    }
    for (const StudyNumbers& n : numbers) {
        if (n[kArea] == 0.0 || n[kHeight] == 0.0) {
            code = kCheckZeroAreaOrHeight;
            break;
        }
    }
    for (const StudyRow& r : rows) {
        if (!InList(r[kKind], kKindColumn) || !InList(r[kPipe], kPipeColumn)) {
            code = kCheckIncomplete;
            break;
        }
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        bool allZero = true;
        for (size_t c = kFirstLength; c <= kLastLength; ++c) {
            allZero = allZero && numbers[i][c] == 0.0;
        }
        if (allZero) {
            code = kCheckNoLateralLength;
            out.row = static_cast<int>(i + 1);
            break;
        }
    }
    if (code == 0) {
        // Every share is a part of the building's losses: with none there is
        // nothing to share out (and the demand would be divided by zero).
        float total = 0.0f;
        for (const StudyNumbers& n : numbers) {
            total = static_cast<float>(static_cast<double>(total) +
                                       static_cast<float>(n[kTotalLosses]));
        }
        if (total == 0.0f) {
            out.check = StudyCheck::ZeroTotalLosses;
        }
    } else {
        out.check = static_cast<StudyCheck>(code);
    }
    out.rows = std::move(rows);
    out.numbers = std::move(numbers);
    return out;
}

std::vector<ResultRecord> ResultRecordsOf(const std::vector<StudyRow>& rows, NumberLocale locale,
                                          bool insulated) {
    std::vector<StudyNumbers> numbers;
    numbers.reserve(rows.size());
    for (const StudyRow& row : rows) {
        numbers.push_back(ReadStudyNumbers(row, locale));
    }
    return ResultRecordsOf(rows, numbers, insulated);
}

std::vector<ResultRecord> ResultRecordsOf(const std::vector<StudyRow>& rows,
                                          const std::vector<StudyNumbers>& numbers,
                                          bool insulated) {
    std::vector<ResultRecord> records;
    records.reserve(rows.size());
    for (size_t k = 0; k < rows.size(); ++k) {
        const StudyRow& row = rows[k];
        ResultRecord r;
        r.RowNo = static_cast<int16_t>(k + 1);
        auto number = [&](int col) {
            return static_cast<float>(numbers[k][static_cast<size_t>(col - 1)]);
        };
        r.PropertyName = Utf8Left(TrimBlanks(row[0]), ResultRecord::kNameWidth);
        r.TotalLosses = number(2);
        r.OpeningLosses = number(3);
        r.VentilationLosses = number(4);
        r.Area = number(5);
        r.AreaFactor = AreaFactorFor(r.Area);
        r.MeanHeight = number(6);
        r.Volume = static_cast<float>(static_cast<double>(r.Area) * r.MeanHeight);
        r.LengthToExterior = number(7);
        r.LengthToUnheated = number(8);
        r.LengthToHeated = number(9);
        const Exposure exposure =
            ExposureOf(r.LengthToExterior, r.LengthToUnheated, r.LengthToHeated, r.MeanHeight);
        r.ExposedWallArea = exposure.exposedWallArea;
        r.LateralWallArea = exposure.lateralWallArea;
        r.ExposureRatio = exposure.ratio;
        r.ExposureFactor = ExposureFactorFor(exposure.ratio);
        KindFactorFor(row[kKind], insulated, r.KindFactor);
        PipeFactorFor(row[kPipe], r.PipeFactor);
        records.push_back(r);
    }
    return records;
}

StudyCalculation CalculateStudy(const std::vector<StudyRow>& rows, bool insulated,
                                NumberLocale locale) {
    StudyCalculation out;
    out.checked = CheckStudyRows(rows, locale);
    if (out.checked.check != StudyCheck::Passed) {
        return out;
    }
    out.result = CalculateDistribution(
        ResultRecordsOf(out.checked.rows, out.checked.numbers, insulated), locale);
    return out;
}

void StudyCheckMessage(const StudyCheckResult& checked, std::string& title, std::string& prompt) {
    title.clear();
    prompt.clear();
    switch (checked.check) {
    case StudyCheck::Passed:
    case StudyCheck::NoProperties:
        return;
    case StudyCheck::ZeroTotalLosses:
        title = kAttentionTitle;
        prompt = ZeroTotalLossesPrompt();
        return;
    case StudyCheck::Incomplete:
    case StudyCheck::ZeroAreaOrHeight:
    case StudyCheck::NoLateralLength:
        MessageTextByCode(static_cast<int>(checked.check), checked.row, title, prompt);
        return;
    }
}

} // namespace pyrostat
