// Names and contents as they pass between the PC and the gauge.

#include <gtest/gtest.h>

#include "gauge/file_pieces.h"
#include "gauge/gauge_file_names.h"

namespace korvel {
namespace {

struct NameCase {
    const char* name;
    const char* readBase;
    bool binary;
    const char* writeBase;
};

TEST(GaugeFileNames, BaseNamesAndModes) {
    const std::vector<NameCase> cases = {
        {"A1.CSV", "A1", false, "A1"},     {"FW.BIN", "FW", true, ""},
        {"LOGO.BMP", "LOGO", true, ""},    {"X.BIN.CSV", "X.BIN", true, "X.BIN"},
        {".CSV", "", false, ""},           {".BIN", "", false, ""},
        {"a.csv", "", false, ""},          {"NOTES.TXT", "", false, ""},
        {"AB.CSV.BAK", "AB", false, "AB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readBaseName(c.name), c.readBase);
        EXPECT_EQ(isBinaryTransfer(c.name), c.binary);
        EXPECT_EQ(writeBaseName(c.name), c.writeBase);
    }
}

TEST(GaugeFileNames, OnlyPlainNamesNameAFile) {
    for (const char* name : {"A.CSV", "a b.BIN", "..A.CSV", "A..CSV"}) {
        EXPECT_TRUE(isPlainFileName(name)) << name;
    }
    for (const char* name : {"", ".", "..", "../A.CSV", "/etc/passwd", "a/b", "a\\b", "C:A.CSV"}) {
        EXPECT_FALSE(isPlainFileName(name)) << name;
    }
}

TEST(FilePieces, CutAfterLineFeedsAt63BytesAndAtTheEnd) {
    FilePieces pieces(std::string(70, 'a') + "\nbc\n" + "de");
    EXPECT_EQ(pieces.next(), std::string(63, 'a'));
    EXPECT_FALSE(pieces.atEnd());
    EXPECT_EQ(pieces.next(), "aaaaaaa\n");
    EXPECT_EQ(pieces.next(), "bc\n");
    EXPECT_FALSE(pieces.atEnd());
    EXPECT_EQ(pieces.next(), "de");
    EXPECT_TRUE(pieces.atEnd());
    EXPECT_EQ(pieces.next(), "");
}

}  // namespace
}  // namespace korvel
