#include "reports/gui/SheetTemplateLoader.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

TEST(SheetTemplateLoaderTest, ReadsPageCellsStylesAndMerges) {
    const QByteArray json = R"({
      "page": {"paper": "A4", "orientation": "landscape", "margins_mm": [8, 10, 8, 12],
               "footer": "Σελίδα &P από &N", "print_columns": 3},
      "font": {"font": "DejaVu Sans", "size": 8},
      "default_row_height": 12.5,
      "columns": [4, 20, 10],
      "row_heights": {"2": 20},
      "styles": {"head": {"bold": true, "fill": "#DCE6F1", "align": "center", "border": "thin"},
                 "num": {"number_format": "#,##0.00"}},
      "formats": [{"at": "C3:C5", "style": "num"}, {"at": "A3:C5", "outline": "medium"}],
      "cells": [{"at": "A2:C2", "value": "ΤΙΤΛΟΣ", "style": "head", "merge": true},
                {"at": "B3", "value": 12.5}]
    })";
    SheetTemplateLoader loader;
    SheetModel m;
    ASSERT_TRUE(loader.Load(json, m)) << loader.ErrorString().toStdString();
    EXPECT_TRUE(m.Setup().landscape);
    EXPECT_EQ(m.Setup().marginBottomMm, 12);
    EXPECT_EQ(m.Setup().printColumns, 3);
    EXPECT_EQ(m.ColumnWidth(2), 20);
    EXPECT_EQ(m.RowHeight(2), 20);
    EXPECT_EQ(m.RowHeight(3), 12.5);
    EXPECT_EQ(m.Value(2, 1).text, "ΤΙΤΛΟΣ");
    EXPECT_TRUE(m.Format(2, 3).bold);
    EXPECT_EQ(EffectiveFill(m.Format(2, 2)), 0xDCE6F1);
    ASSERT_NE(m.MergeStartingAt(2, 1), nullptr);
    EXPECT_EQ(m.Value(3, 2).number, 12.5);
    EXPECT_EQ(m.Format(4, 3).numberFormat, "#,##0.00");
    EXPECT_EQ(m.Format(4, 3).right, BorderLine::Medium);
    EXPECT_EQ(m.Format(4, 2).right, BorderLine::None);
    EXPECT_EQ(m.Format(3, 1).top, BorderLine::Medium);
    EXPECT_EQ(m.Format(4, 1).fontSize, 8);
}

TEST(SheetTemplateLoaderTest, RefusesWhatDoesNotFit) {
    const char* bad[] = {
        "",
        "[1, 2]",
        "{\"page\": {\"paper\": \"Letter\"}}",
        "{\"page\": {\"orientation\": \"sideways\"}}",
        "{\"page\": {\"margins_mm\": [1, 2, 3]}}",
        "{\"columns\": [10, -1]}",
        "{\"columns\": [\"wide\"]}",
        "{\"row_heights\": {\"x\": 10}}",
        "{\"row_heights\": {\"3\": 0}}",
        "{\"default_row_height\": 1000}",
        "{\"styles\": {\"s\": {\"size\": 200}}}",
        "{\"styles\": {\"s\": {\"fill\": \"yellow\"}}}",
        "{\"styles\": {\"s\": {\"blink\": true}}}",
        "{\"cells\": [{\"at\": \"A0\", \"value\": \"x\"}]}",
        "{\"cells\": [{\"at\": \"A1\", \"style\": \"missing\"}]}",
        "{\"cells\": [{\"at\": \"A1\", \"value\": [1]}]}",
        "{\"cells\": [{\"at\": \"A99999\", \"value\": \"x\"}]}",
        "{\"formats\": [{\"at\": \"A1:B2\", \"outline\": \"wavy\"}]}",
    };
    for (const char* json : bad) {
        SheetTemplateLoader loader;
        SheetModel m;
        m.SetText(1, 1, "kept");
        EXPECT_FALSE(loader.Load(QByteArray(json), m)) << json;
        EXPECT_FALSE(loader.ErrorString().isEmpty()) << json;
        EXPECT_EQ(m.Value(1, 1).text, "kept") << json;
    }
    SheetTemplateLoader loader;
    SheetModel m;
    EXPECT_FALSE(loader.LoadFile("/no/such/template.json", m));
}

// A template read ahead is the one the report gets, and a changed file is read
// again, never answered from what was made of it before; a file spoilt since
// is refused, not answered from memory.
TEST(SheetTemplateLoaderTest, AFileReadAheadIsReadAgainWhenItChanges) {
    test::TestFolder folder;
    const std::string path = folder.File("LDKOIN_02i.json");
    test::WriteAll(path, R"({"cells": [{"at": "A1", "value": "πρώτο"}]})");
    PreloadSheetTemplate(path);
    SheetTemplateLoader loader;
    SheetModel m;
    ASSERT_TRUE(loader.LoadFile(QString::fromStdString(path), m));
    EXPECT_EQ(m.Value(1, 1).text, "πρώτο");
    test::WriteAll(path, R"({"cells": [{"at": "A1", "value": "δεύτερο"}]})");
    ASSERT_TRUE(loader.LoadFile(QString::fromStdString(path), m));
    EXPECT_EQ(m.Value(1, 1).text, "δεύτερο");
    test::WriteAll(path, "{");
    EXPECT_FALSE(loader.LoadFile(QString::fromStdString(path), m));
}

} // namespace
} // namespace pyrostat
