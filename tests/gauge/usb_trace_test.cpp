// The USB trace of a read from the simulated gauge: one line per call, in the order the calls
// reached the bus, with endpoint, length, result, time and the packet's first bytes.

#include "gauge/usb_trace.h"

#include <gtest/gtest.h>

#include "gauge/read_from_gauge.h"
#include "sim/virtual_bus.h"
#include "tests/gauge/simulated_gauge_fixture.h"

namespace korvel::test {
namespace {

class UsbTrace : public SimulatedGaugeTest {};

TEST_F(UsbTrace, AReadFromTheGaugeCallByCall) {
    dataLog.put("A1.CSV", "Filename");
    std::vector<std::string> lines;
    UsbPort traced{tracedUsbApi(sim::simulatedUsbApi(), clock,
                                [&](const std::string& line) { lines.push_back(line); }),
                   clock};
    GaugeLink tracedLink{voice, texts, traced};
    ASSERT_EQ(readFilesFromGauge(tracedLink, {"A1.CSV"}, pcFolder.path(), {}), 1);
    // The library's own number for a time-out (libusb-win32 has another than libusb-compat).
    const std::string silence =
        "usb_bulk_read ep=0x82 len=64 -> " + std::to_string(kTimedOutResult) + " (1000 ms)";
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "usb_set_debug -> done (0 ms)",
                  "usb_init -> done (0 ms)",
                  "usb_find_busses -> 1 (0 ms)",
                  "usb_find_devices -> 1 (0 ms)",
                  "usb_get_busses -> ok (0 ms)",
                  "usb_open -> ok (0 ms)",
                  "usb_set_configuration -> 0 (0 ms)",
                  "usb_claim_interface -> 0 (0 ms)",
                  silence,  // stale packets drained
                  "usb_bulk_write ep=0x02 len=20 -> 20 (0 ms): 72 65 61 64 20 2f 64 65 76 2f 64 "
                  "61 74 61 6c 6f",
                  "usb_bulk_read ep=0x82 len=64 -> 8 (0 ms): 46 69 6c 65 6e 61 6d 65",
                  "usb_bulk_read ep=0x82 len=64 -> 2 (0 ms): ff ff",
                  silence,
                  "usb_reset -> 0 (0 ms)",
                  "usb_reset -> 0 (0 ms)",
                  "usb_release_interface -> 0 (0 ms)",
                  "usb_close -> 0 (0 ms)",
              }));
    EXPECT_EQ(pcFolder.read("A1.CSV"), "Filename");
}

TEST_F(UsbTrace, TheDebugLogGetsTheLinesAppended) {
    pcFolder.put("KorvelDebug.txt", "earlier\n");
    const UsbTraceSink sink = appendingTraceSink(pcFolder.file("KorvelDebug.txt"));
    sink("usb_init -> done (0 ms)");
    EXPECT_EQ(pcFolder.read("KorvelDebug.txt"), "earlier\nusb_init -> done (0 ms)\n");
}

}  // namespace
}  // namespace korvel::test
