#pragma once
// INI files read and written by the Windows profile-file rules:
// - section and key names match without regard to ASCII case, under every locale (surrounding
//   blanks ignored);
// - a value is the text after the first "=", with surrounding blanks removed, and one pair
//   of matching quotes (double or single) around it removed;
// - the first section of a name and the first key of a name in it count; later ones are
//   ignored;
// - lines beginning with ";" are comments; a line of a section without "=" is its text as a key
//   without a value: it reads as the default, hides later keys of that name, and a write puts
//   the value on that line;
// - a missing file, section or key gives the default; a text is cut to its limit;
// - an integer is read from the value's leading decimal digits after an optional sign ("+1"
//   reads 1, "-1" reads -1); an empty value reads as the default, any other value without a
//   leading number as 0.
// Files with CR LF and LF line ends are read alike, a UTF-8 byte order mark at the start is
// skipped. Writing keeps every other line and writes CR LF line ends.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

class ProfileFile {
  public:
    // An empty profile when the file cannot be read.
    static ProfileFile load(const std::string& path);
    static ProfileFile parse(std::string_view text);

    bool hasKey(std::string_view section, std::string_view key) const;
    // The key names of the section, in file order.
    std::vector<std::string> keys(std::string_view section) const;
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t limit) const;
    int getInt(std::string_view section, std::string_view key, int defaultValue) const;

    // Replaces the key's line in place, or adds it at the end of its section, or adds the
    // section at the end of the file.
    void setString(std::string_view section, std::string_view key, std::string_view value);
    std::string text() const;  // CR LF line ends

  private:
    // The line of the key's first occurrence, and its value without quotes (nothing when the
    // key is missing or has no "=").
    const std::string* findLine(std::string_view section, std::string_view key) const;
    std::optional<std::string_view> findValue(std::string_view section, std::string_view key) const;
    std::vector<std::string> lines_;
};

std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t limit);
int readProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int defaultValue);
// Creates the file and the section when missing; saves safely. False when it cannot be saved,
// and when a file is there that cannot be read (it is left as it is).
bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace korvel
