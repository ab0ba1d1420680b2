// The profile module against Windows' own profile functions (under Wine on the build machine):
// a table of INI files and a few thousand files from a seeded generator are read through
// GetPrivateProfileStringA / GetPrivateProfileIntA and through our reader, and keys are written
// through WritePrivateProfileStringA and through our writer. Every value must agree, and a file
// written by either must read back the same through Windows' reader.

#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "app/profile_file.h"
#include "app/safe_file.h"
#include "temp_home.h"

namespace korvel {
namespace {

const char* const kSections[] = {"Config", "CONFIG", "language", "A", "Sec 1", "Empty"};
const char* const kKeys[] = {"Key", "KEY", "GageName", "Debug", "Num", "long", "Sec 1", "x"};
const char* const kValues[] = {"12",
                               "+12",
                               "-5",
                               " 42 ",
                               "7abc",
                               "abc",
                               "\"quoted value\"",
                               "'single'",
                               "\"x",
                               "\"  \"",
                               "",
                               "0",
                               "-0",
                               "+",
                               "2147483647",
                               "2147483648",
                               "-2147483649",
                               "99999999999999",
                               "1 2",
                               "=",
                               "a=b",
                               "\"a\" b",
                               "; not a comment",
                               "\t tab \t"};

// Shorter buffers than the 511 characters every value is read with first.
constexpr std::size_t kShortLimits[] = {4, 1};

std::string windowsString(const std::string& path, const char* section, const char* key,
                          std::size_t limit) {
    std::string buffer(limit + 1, '\0');
    const DWORD length = GetPrivateProfileStringA(section, key, "default", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.c_str());
    return buffer.substr(0, length);
}

// A number whose digits go past what an int holds: a documented mend, where Windows wraps.
bool beyondIntRange(const std::string& value) {
    std::size_t start = value.find_first_not_of(" \t");
    if (start != std::string::npos && (value[start] == '+' || value[start] == '-')) {
        ++start;
    }
    std::size_t digits = 0;
    while (start + digits < value.size() && value[start + digits] >= '0' &&
           value[start + digits] <= '9') {
        ++digits;
    }
    return digits >= 10 && std::stoll(value.substr(start, digits)) > 2147483647LL;
}

// Every value of every name in the pools, as Windows reads the file and as we do. A name both
// read as missing needs no more calls (each one is slow under Wine): both then give the default
// for every limit and as an integer.
void expectSameValues(const std::string& path, const std::string& context) {
    const ProfileFile ours = ProfileFile::load(path);
    for (const char* section : kSections) {
        for (const char* key : kKeys) {
            const std::string text = windowsString(path, section, key, 511);
            ASSERT_EQ(ours.getString(section, key, "default", 511), text)
                << context << "\n[" << section << "] " << key;
            if (text == "default") {
                continue;
            }
            for (const std::size_t limit : kShortLimits) {
                ASSERT_EQ(ours.getString(section, key, "default", limit),
                          windowsString(path, section, key, limit))
                    << context << "\n[" << section << "] " << key << " limit " << limit;
            }
            if (beyondIntRange(text)) {
                continue;  // a mend: Windows wraps such numbers around
            }
            ASSERT_EQ(ours.getInt(section, key, -7),
                      static_cast<int>(GetPrivateProfileIntA(section, key, -7, path.c_str())))
                << context << "\n[" << section << "] " << key << " as integer";
        }
    }
}

// Writes the key through both, then reads both files back through Windows' reader.
void expectSameWrite(const test::TempHome& home, int n, const std::string& text,
                     const char* section, const char* key, const char* value) {
    const std::string windowsName = "windows" + std::to_string(n) + ".ini";
    const std::string ourName = "ours" + std::to_string(n) + ".ini";
    const std::string windowsPath = home.path(windowsName);
    const std::string ourPath = home.path(ourName);
    home.write(windowsName, text);
    home.write(ourName, text);
    ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, windowsPath.c_str()));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, windowsPath.c_str());  // flush
    ASSERT_TRUE(writeProfileString(ourPath, section, key, value));
    for (const char* readSection : kSections) {
        for (const char* readKey : kKeys) {
            ASSERT_EQ(windowsString(ourPath, readSection, readKey, 511),
                      windowsString(windowsPath, readSection, readKey, 511))
                << text << "\nafter [" << section << "] " << key << "=" << value << "\nread ["
                << readSection << "] " << readKey;
        }
    }
}

// A random INI text: sections, keys with odd spacing, quotes, signs, long values, duplicates,
// comments, lines without "=", CR LF or LF.
std::string generatedFile(std::mt19937& random) {
    const auto pick = [&](const auto& pool) {
        return std::string(pool[random() % std::size(pool)]);
    };
    const auto blanks = [&] { return std::string(random() % 3, random() % 4 ? ' ' : '\t'); };
    const std::string lineEnd = random() % 2 ? "\r\n" : "\n";
    std::string text;
    const int lines = static_cast<int>(random() % 14);
    for (int i = 0; i < lines; ++i) {
        switch (random() % 8) {
            case 0:
                text += blanks() + "[" + blanks() + pick(kSections) + blanks() + "]" + blanks();
                break;
            case 1:
                text += ";" + pick(kKeys) + "=" + pick(kValues);
                break;
            case 2:
                text += random() % 2 ? "" : pick(kKeys);
                break;
            case 3:
                text += pick(kKeys) + "=" + std::string(300 + random() % 300, 'L');
                break;
            default:
                text +=
                    blanks() + pick(kKeys) + blanks() + "=" + blanks() + pick(kValues) + blanks();
        }
        text += lineEnd;
    }
    return text;
}

struct TableFile {
    const char* name;
    const char* text;
};

TEST(ProfileAgainstWindows, TableOfFiles) {
    const TableFile files[] = {
        {"plain", "[Config]\r\nKey=value\r\nNum=12\r\n"},
        {"case and blanks", "  [ config ]  \r\n  key  =  spaced value  \r\n"},
        {"quotes", "[A]\nKey=\"quoted\"\nx='single'\nNum=\"42\"\nlong=\"unbalanced\n"},
        {"signs", "[A]\nNum=-5\nKey=+5\nx= -12abc\nDebug=+\n"},
        {"duplicates", "[A]\nKey=first\nkey=second\n[a]\nKey=third\nx=late\n"},
        {"no section", "Key=orphan\n[A]\nKey=found\n"},
        {"comments", "[A]\n;Key=commented\nKey=real\n; x=1\n"},
        {"empty values", "[A]\nKey=\nNum=\nx=\"\"\n"},
        {"no equals", "[A]\nKey\nx=1\n"},
        {"missing bracket", "[A\nKey=1\n[Config]\nKey=2\n"},
        {"long",
         "[A]\nKey=" /* 600 characters follow */
         "LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL"
         "LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL"
         "\n"},
        {"byte order mark", "\xEF\xBB\xBF[Config]\r\nKey=after the mark\r\n"},
    };
    test::TempHome home;
    for (const auto& file : files) {
        home.write("table.ini", file.text);
        expectSameValues(home.path("table.ini"), file.name);
    }
}

TEST(ProfileAgainstWindows, GeneratedFilesReadAlike) {
    std::mt19937 random(20261208);
    test::TempHome home;
    for (int n = 0; n < 2000; ++n) {
        // A new name for each file: Windows keeps recently read profiles in a cache.
        const std::string name = "generated" + std::to_string(n) + ".ini";
        const std::string text = generatedFile(random);
        home.write(name, text);
        expectSameValues(home.path(name), "file " + std::to_string(n) + ":\n" + text);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(ProfileAgainstWindows, GeneratedWritesReadBackAlike) {
    std::mt19937 random(7);
    test::TempHome home;
    for (int n = 0; n < 1000; ++n) {
        const std::string text = generatedFile(random);
        const std::string section = kSections[random() % std::size(kSections)];
        const std::string key = kKeys[random() % std::size(kKeys)];
        const std::string value = std::string(kValues[random() % std::size(kValues)]);
        expectSameWrite(home, n, text, section.c_str(), key.c_str(), value.c_str());
        if (HasFatalFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace korvel
