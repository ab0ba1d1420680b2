// Any bytes read as a data file, with both line limits: no crash, no overrun, no table beyond
// its capacity, and what the writer writes reads back as the same file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "datafile/data_file_json.h"
#include "datafile/data_file_reader.h"
#include "datafile/data_file_writer.h"

using namespace korvel;

namespace {

void checkCapacities(const DataFile& file) {
    if (file.readings.size() > kMaxReadings || file.setups.size() > kMaxSetups ||
        file.notes.size() > kMaxNotes) {
        std::abort();
    }
    for (const auto& reading : file.readings) {
        if (reading.ascan && (reading.ascan->max.values.size() > kMaxTraceValues ||
                              reading.ascan->min.values.size() > kMaxTraceValues)) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkCapacities(parseDataFile(bytes));
    checkCapacities(parseDataFile(bytes, reportReadOptions()));

    ReadOptions unlimited;
    unlimited.lineLimit = bytes.size() + 2;
    const DataFile file = parseDataFile(bytes, unlimited);
    dataFileJson(file);
    const std::string written = dataFileBytes(file);
    unlimited.lineLimit = written.size() + 2;
    if (dataFileBytes(parseDataFile(written, unlimited)) != written) {
        std::abort();
    }
    return 0;
}
