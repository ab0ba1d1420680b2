#pragma once
// Hand-made surveys for the inspection history's tests: a LINEAR data file of a few readings
// saved on a given date, each reading a location, a thickness text (or "--.---" for a hole)
// and its units.

#include <string>
#include <vector>

namespace korvel::test {

struct HandReading {
    std::string location;
    std::string thickness;  // as the file writes it
    std::string units = "IN";
};

inline std::string handSurvey(const std::string& name, const std::string& saved,
                              const std::vector<HandReading>& readings) {
    std::string file =
        "Product:40-101,Version:v1.09A,\r\n"
        "Filename,Type,Version,AScan,Start Row,End Row,# ID,# Setup,# Notes,"
        "Created,Last Saved,\r\n" +
        name + ",LINEAR,1,OFF,1," + std::to_string(readings.size()) + "," +
        std::to_string(readings.size()) + ",0,0," + saved + "," + saved +
        ",\r\n\r\n"
        "ID,Thickness,Units,Alarm,Diff,Gain,Fast,Note #,Setup #,Meas Mode,B Scan,"
        "A Scan,\r\n";
    for (const auto& reading : readings) {
        file += reading.location + "," + reading.thickness + "," + reading.units +
                ",OFF,OFF,STD,OFF,0,1,STD,OFF,OFF,\r\n";
    }
    return file;
}

}  // namespace korvel::test
