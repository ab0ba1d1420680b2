#pragma once
// Small hand-made surveys: a header, readings given as (ID, thickness, alarm) and one setup
// whose low alarm is 0.150.

#include <string>
#include <vector>

#include "datafile/data_file_reader.h"

namespace korvel::test {

struct HandReading {
    std::string id;
    std::string thickness;
    std::string alarm = "OFF";
};

// "Name=value" header columns, e.g. {"Type=2D", "Start Col=A", ...}.
inline std::string surveyBytes(const std::vector<std::string>& header,
                               const std::vector<HandReading>& readings) {
    std::string names, values;
    for (const auto& column : header) {
        names += column.substr(0, column.find('=')) + ",";
        values += column.substr(column.find('=') + 1) + ",";
    }
    names += "# ID,# Setup,# Notes,";
    values += std::to_string(readings.size()) + ",1,0,";
    std::string out = names + "\n" + values + "\n\nID,Thickness,Units,Alarm,Setup #,\n";
    for (const auto& reading : readings) {
        out += reading.id + "," + reading.thickness + ",IN," + reading.alarm + ",1,\n";
    }
    return out + "\nSetup #,Units,Low Alarm,\n1,IN,0.150,\n\nNote #,\n";
}

// A 2D grid A..C by 1..2 stored column by column, saved at the date given.
inline std::string handGrid(const std::string& date, const std::vector<HandReading>& readings) {
    return surveyBytes({"Filename=G.CSV", "Type=2D", "Start Col=A", "Start Row=1", "End Col=C",
                        "End Row=2", "1st Inc=ROW", "Created=" + date, "Last Saved=" + date},
                       readings);
}

// The current survey: a hole, one reading of each alarm, and the minimum at two locations.
inline std::string currentGrid(const std::string& date = "12/31/2024 06:00 AM") {
    return handGrid(date, {{"A0001", "0.250"},
                           {"A0002", "--.---"},
                           {"B0001", "0.180", "LOW"},
                           {"B0002", "0.300", "HIGH"},
                           {"C0001", "0.180", "LOW WARNING"},
                           {"C0002", "0.220"}});
}

// The same grid a year (365.25 days) earlier: B0002 missing, C0002 thinner than now.
inline std::string earlierGrid(const std::string& date = "01/01/2024 12:00 AM") {
    return handGrid(date, {{"A0001", "0.260"},
                           {"A0002", "0.240"},
                           {"B0001", "0.200"},
                           {"B0002", "-"},
                           {"C0001", "0.200"},
                           {"C0002", "0.210"}});
}

}  // namespace korvel::test
