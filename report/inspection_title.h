#pragma once
// The fields an inspection report's title block carries beyond the file's own: whom the work
// is for and where, what was measured, with what and by whom, and remarks. The history keeps
// them with an asset; a report of one survey takes those it is given. A field left empty is
// not printed; the sign-off line under them always is.

#include <string>
#include <utility>
#include <vector>

namespace korvel {

class TextTable;

struct InspectionTitle {
    std::string client;
    std::string site;
    std::string asset;
    std::string component;
    std::string nominalThickness;   // as printed, with its units
    std::string requiredThickness;  // as printed, with its units
    std::string codeAndClass;
    std::string inspector;
    std::string certification;
    std::string gaugeModel;
    std::string gaugeSerial;
    std::string calibrationDate;
    std::string probe;
    std::string comments;
};

// (label, value) rows of the fields given, in the order above, then the sign-off line.
std::vector<std::pair<std::string, std::string>> inspectionTitleRows(const InspectionTitle& title,
                                                                     const TextTable& texts);

}  // namespace korvel
