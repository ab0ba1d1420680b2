// Any bytes read as a data file and exported; the report read back by the import.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "datafile/data_file_reader.h"
#include "datafile/data_file_writer.h"
#include "datafile/text_report_reader.h"
#include "datafile/text_report_writer.h"

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const DataFile file = parseDataFile(bytes, reportReadOptions());
    textReportType(file);
    if (const auto report = textReportBytes(file)) {
        dataFileBytes(importedDataFile(parseTextReport(*report), "FUZZ.CSV"));
    }
    return 0;
}
