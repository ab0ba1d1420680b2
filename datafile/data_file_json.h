#pragma once
// A data file as JSON, the way korvel-cli's "show" prints it: every byte of the file's single-
// byte text becomes the Unicode character of the same value.

#include <string>
#include <string_view>

#include "datafile/data_file.h"

namespace korvel {

// A JSON string literal of single-byte text.
std::string jsonString(std::string_view bytes);

// {"product", "header" ([name, value] pairs), "columns", "readings", "ascans" (by reading
// index: "max", "min", "settings"), "setupColumns", "setups", "noteColumns", "notes"}
std::string dataFileJson(const DataFile& file);

}  // namespace korvel
