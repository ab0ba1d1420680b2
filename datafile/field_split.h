#pragma once
// The field rule every reader of data files uses: each comma ends a field, the text after the
// last comma of a line is never a field, and fields are neither quoted nor escaped.

#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// The fields of a line given without its line end.
std::vector<std::string> splitFields(std::string_view line);

// A reading row: as splitFields, with an empty field or a single blank read as "-".
std::vector<std::string> splitReadingFields(std::string_view line);

// A trace data line: the first character dropped, the rest split, empty fields left out.
std::vector<std::string> splitTraceFields(std::string_view line);

// Each field followed by a comma: the way every writer writes a line (without its line end).
std::string joinFields(const std::vector<std::string>& fields);

}  // namespace korvel
