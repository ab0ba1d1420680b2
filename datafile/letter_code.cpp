#include "datafile/letter_code.h"

namespace korvel {

namespace {

bool isUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

}  // namespace

int letterCodeValue(std::string_view code) {
    if (code.size() == 1 && isUpperLetter(code[0])) {
        return code[0] - 'A' + 1;
    }
    if (code.size() == 2 && isUpperLetter(code[0]) && isUpperLetter(code[1])) {
        return (code[0] - 'A' + 1) * 26 + (code[1] - 'A' + 1);
    }
    return 0;
}

std::string letterCodeText(int value) {
    if (value < 1 || value > kLargestLetterCode) {
        return {};
    }
    if (value <= 26) {
        return std::string(1, static_cast<char>('A' + value - 1));
    }
    const int first = (value - 1) / 26;
    const int second = value - first * 26;
    return {static_cast<char>('A' + first - 1), static_cast<char>('A' + second - 1)};
}

}  // namespace korvel
