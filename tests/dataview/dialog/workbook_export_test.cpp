// Export to Workbook... of the data view: the survey as the view shows it, with the earlier
// survey it is compared with, read back with openpyxl.

#include <gtest/gtest.h>

#include "dataview/survey/survey_panel.h"
#include "tests/dataview/view_file_builder.h"
#include "tests/report/pdf_text.h"
#include "tests/workbook/workbook_reader.h"

namespace korvel::test {
namespace {

TEST(DataViewWorkbook, ExportToWorkbookHoldsTheViewsComparison) {
    ViewFixture fixture;
    fixture.write("TANK-N-24.CSV", sample("TANK-N-24.CSV"));
    auto& view = fixture.open(fixture.write("TANK-N.CSV", sample("TANK-N.CSV")));
    ASSERT_TRUE(view.surveyPanel()->compareWith("TANK-N-24.CSV", 0.2));
    const std::string path = fixture.folder() + "/tank.xlsx";
    view.setSavePathSource(
        [&](const QString&, const QString&, const QString&) { return qPath(path); });
    view.saveWorkbook();
    EXPECT_TRUE(fixture.voice.said.empty());
    const auto back = readWorkbook(path);
    ASSERT_EQ(back.status, 0) << back.errors;
    EXPECT_EQ(back.at("sheets"), "Readings,Map,Statistics,Comparison,Setups,Notes");
    EXPECT_EQ(back.at("title"), "TANK-N.CSV");
    EXPECT_EQ(back.at("Comparison!B1"), "s:TANK-N-24.CSV");
    EXPECT_TRUE(sameValue(back.at("Comparison!B5"), "n:0.2")) << back.at("Comparison!B5");
}

}  // namespace
}  // namespace korvel::test
