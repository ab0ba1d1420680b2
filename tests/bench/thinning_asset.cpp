#include "tests/bench/thinning_asset.h"

#include "datafile/data_file_writer.h"
#include "datafile/number_text.h"
#include "survey/survey_layout.h"
#include "tools/sample_files.h"

namespace korvel::test {

std::string thinningSurvey(ThinningShape shape, int n) {
    DataFile file = shape == ThinningShape::Grid ? samples::grid2D("G5000.CSV", 50, 100, "ROW", 31)
                                                 : samples::largestThicknessOnly("BIG5000.CSV", 17);
    file.setHeaderValue("Last Saved", "06/01/" + std::to_string(2000 + n) + " 12:00 PM");
    const std::size_t column = *file.readingColumn("Thickness");
    for (Reading& reading : file.readings) {
        if (const auto value = thicknessValue(reading.fields[column])) {
            reading.fields[column] = fixedDecimals(*value - 0.002 * n, 3);
        }
    }
    return dataFileBytes(file);
}

bool addThinningAsset(history::InspectionHistory& history, const std::string& asset,
                      ThinningShape shape) {
    if (!history.setAsset({asset, 0.1, "IN", history::InspectionCode::Api653, {}})) {
        return false;
    }
    for (int i = 0; i < kThinningSurveys; ++i) {
        if (!history.addSurvey(asset, "S" + std::to_string(i) + ".CSV", thinningSurvey(shape, i))) {
            return false;
        }
    }
    return true;
}

}  // namespace korvel::test
