#pragma once

#include <string>

namespace korvel {

// Creates every missing folder of the path, from the first component after the root on.
// Returns 1 when the path is an existing folder afterwards, else 0 (0 for an empty path).
int makeFolderChain(const std::string& path);

}  // namespace korvel
