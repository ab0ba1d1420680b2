// The simulated gauge judges names and chunks with its own code; these tables hold it to the
// device's rules and to agreement with the program's side, so neither can drift alone.

#include <gtest/gtest.h>

#include <string>

#include "gauge/gauge_file_names.h"
#include "gauge/upgrade_wire.h"
#include "sim/boot_chunk.h"
#include "sim/data_log_names.h"

namespace korvel::test {
namespace {

TEST(GaugeRules, DataLogNamesAgreeWithTheProgram) {
    struct Case {
        const char* name;
        bool accepted;
        bool bytes;
    };
    const Case cases[] = {
        {"A", true, false},        {"PIPE01", true, false}, {"IMG.BMP", true, true},
        {"FW.BIN", true, true},    {".BIN", true, false},   {"X.BINARY", true, true},
        {"A.CSV", true, false},    {"", false, false},      {".", false, false},
        {"..", false, false},      {"a/b", false, false},   {"a\\b", false, false},
        {"C:X", false, false},     {"B.bin", true, false},  {".BIN.BIN", true, false},
        {"A.BMP.CSV", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sim::isDataLogName(c.name), c.accepted);
        EXPECT_EQ(sim::sentAsBytes(c.name), c.bytes);
        EXPECT_EQ(sim::isDataLogName(c.name), isPlainFileName(c.name));
        EXPECT_EQ(sim::sentAsBytes(c.name), isBinaryTransfer(c.name));
    }
}

TEST(GaugeRules, BootChunkSumIsCheckedHighByteFirst) {
    const std::string data300(300, '\xFF');  // 300 * 255 = 76500, kept to 0x2AD4
    struct Case {
        std::string chunk;
        bool good;
    };
    const Case cases[] = {
        {std::string("\x00\x00", 2), true},
        {std::string("AB\x00\x83", 4), true},
        {std::string("AB\x83\x00", 4), false},
        {std::string("AB\x00\x84", 4), false},
        {data300 + "\x2A\xD4", true},
        {data300 + "\x00\x00", false},
        {"", false},
        {"A", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chunk.size());
        EXPECT_EQ(sim::checksumMatches(c.chunk), c.good);
        if (c.chunk.size() >= 2) {
            const std::string data = c.chunk.substr(0, c.chunk.size() - 2);
            EXPECT_EQ(sim::checksumMatches(c.chunk), withChecksum(data) == c.chunk);
        }
    }
}

}  // namespace
}  // namespace korvel::test
