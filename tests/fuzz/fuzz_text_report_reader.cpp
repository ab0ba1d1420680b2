// Any bytes read as a text report and imported; the data file read back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "datafile/data_file_reader.h"
#include "datafile/data_file_writer.h"
#include "datafile/text_report_reader.h"

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TextReport report = parseTextReport(bytes);
    if (report.locations.size() > kMaxReadings) {
        std::abort();
    }
    std::size_t gridValues = 0;
    for (const auto& line : report.gridLines) {
        gridValues += line.size();
    }
    if (gridValues > kMaxReadings) {
        std::abort();
    }
    if (report.hasReadings) {
        const DataFile file = importedDataFile(report, "FUZZ.CSV");
        if (file.readings.size() > kMaxReadings) {
            std::abort();
        }
        parseDataFile(dataFileBytes(file), reportReadOptions());
    }
    return 0;
}
