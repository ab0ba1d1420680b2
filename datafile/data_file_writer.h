#pragma once
// Writing a data file: the blocks in file order, each line ending in CR LF, an empty line
// before the readings, the setups and the notes (each written only when the file has it).

#include <string>

#include "datafile/data_file.h"

namespace korvel {

// Trace values written on one data line.
inline constexpr std::size_t kTraceValuesPerLine = 20;

// "Product:CODE,Version:VERSION,"
std::string productLineText(std::string_view product, std::string_view version);

// The whole file as bytes.
std::string dataFileBytes(const DataFile& file);

// Saves the file safely: a failure leaves an existing file as it was.
bool saveDataFile(const std::string& path, const DataFile& file, std::string* error = nullptr);

}  // namespace korvel
