#pragma once
// The chart title: the file, the reading, its thickness and units, whether it is a minimum, and
// in a cross-section with a zero row the reading's distance from that row.

#include <string>

namespace korvel {

struct BScanBook;

struct TitleParts {
    std::string displayName;
    std::string id;
    std::string thickness;  // empty: the short title without the thickness part
    std::string units;
    bool minimum = false;
};

// "NAME - ID # ID THK 0.254 IN (MIN)" or, without a thickness, "NAME - ID # ID".
std::string graphTitle(const TitleParts& parts);

// "DT +0.050" or "DT -0.050": the distance of the row from the zero row of its segment, in
// units of the B-scan resolution; empty outside a segment or in one without a zero row.
std::string distanceFromZero(const BScanBook& book, int row, double resolution);

// The title with the distance appended, one blank between them ("(MIN) DT +0.050").
std::string withDistance(const std::string& title, const std::string& distance);

}  // namespace korvel
