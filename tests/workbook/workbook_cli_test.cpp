// korvel-cli workbook, run as the program itself: the default name, --out and --earlier, the
// messages and exit statuses; the workbook read back with openpyxl.

#include <gtest/gtest.h>

#include <fstream>

#include "app/platform.h"
#include "tests/support/temp_folder.h"
#include "tests/survey/survey_fixtures.h"
#include "tests/workbook/workbook_reader.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

struct CliCase {
    const char* name;
    std::vector<std::string> args;  // after --folder DIR
    int status;
    std::string err;       // "DIR" stands for the folder
    std::string workbook;  // the file written, empty for none
    std::string key;       // a cell of it, and what it reads
    std::string value;
};

TEST(WorkbookCli, WritesTheSurveyWorkbook) {
    const CliCase cases[] = {
        {"default name", {"workbook", "G-NOW.CSV"}, 0, "", "G-NOW.xlsx", "Readings!B2", "n:0.25"},
        {"out and earlier",
         {"workbook", "G-NOW.CSV", "--earlier", "G-THEN.CSV", "--out", "both.xlsx"},
         0,
         "",
         "both.xlsx",
         "Comparison!B6",
         "n:0.02"},
        {"missing file",
         {"workbook", "NONE.CSV"},
         1,
         "error: Error opening file - DIR/NONE.CSV\n",
         "",
         "",
         ""},
        {"no file", {"workbook", "--out", "x.xlsx"}, 2, "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path root = test::uniqueTempFolder("korvel-workbook-cli");
        ASSERT_FALSE(root.empty());
        std::ofstream(root / "G-NOW.CSV", std::ios::binary) << test::currentGrid();
        std::ofstream(root / "G-THEN.CSV", std::ios::binary) << test::earlierGrid();
        std::vector<std::string> args = {"--folder", root.string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const test::ProgramSetup setup{
            root.string(),
            {{"HOME", root.string()}, {"XDG_CONFIG_HOME", (root / "config").string()}},
            (root / "out.txt").string(),
            (root / "err.txt").string()};
        const auto run = test::runProgram(KORVEL_CLI_PATH, args, setup);
        EXPECT_EQ(run.status, c.status);
        if (c.status != 2) {
            std::string err = c.err;
            if (const auto at = err.find("DIR"); at != std::string::npos) {
                err.replace(at, 3, root.string());
            }
            EXPECT_EQ(run.err, err);
        }
        if (!c.workbook.empty()) {
            const auto back = test::readWorkbook(root / c.workbook);
            EXPECT_EQ(back.status, 0) << back.errors;
            EXPECT_TRUE(test::sameValue(back.at(c.key), c.value)) << back.at(c.key);
        }
        fs::remove_all(root);
    }
}

}  // namespace
}  // namespace korvel
