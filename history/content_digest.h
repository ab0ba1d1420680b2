#pragma once
// The SHA-256 digest of a survey file's contents, in lower-case hex: the history stores one
// survey once, whatever its name, and compares digests rather than whole files.

#include <string>
#include <string_view>

namespace korvel::history {

std::string contentDigest(std::string_view bytes);

}  // namespace korvel::history
