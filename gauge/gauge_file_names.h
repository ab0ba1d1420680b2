#pragma once
// How file names and file contents are carried between the PC and the gauge's data log.

#include <string>
#include <string_view>

namespace korvel {

// The name a read command carries: the text before ".CSV", else before ".BIN", else before
// ".BMP" (each only when found after the first character); empty when none is found.
std::string readBaseName(std::string_view listedName);
// The name a write command carries: the text before ".CSV"; empty when there is none.
std::string writeBaseName(std::string_view pcName);
// A data file: ".CSV" occurs after its first character, and it goes as text.
bool isDataFileName(std::string_view name);
// A file goes byte for byte when ".BIN" or ".BMP" occurs after its first character.
bool isBinaryTransfer(std::string_view name);
// A name from the gauge may name a file in the PC data folder only when it is a plain file
// name: not empty, not "." or "..", without separators, a drive or a control character
// (below 0x20, DEL).
bool isPlainFileName(std::string_view name);
// A text reads as a data file's text when it begins with a data file's header line (after the
// product line, if any) and holds no control character but TAB, CR and LF (a data file is
// single-byte text; noise from the gauge never is).
bool readsAsDataFile(std::string_view text);

// A text file as the gauge sends it, as it is stored on the PC: without the reply's last two
// characters, every line feed ending its line as CR LF (a CR LF already there stays as it is).
std::string pcTextFromGaugeReply(std::string_view reply);

}  // namespace korvel
