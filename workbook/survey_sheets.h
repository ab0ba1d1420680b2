#pragma once
// The sheets of a survey's workbook, each written into the book by one function that returns
// false when the library refused part of it:
//   Readings    every reading with every column of the file, a table with a filter;
//   Map         per layer of a grid, the thicknesses where they were taken, shaded;
//   Statistics  the survey's figures, for the whole file and for each layer;
//   Comparison  against an earlier survey: loss, rate and remaining life per location;
//   Setups, Notes  the file's tables as they stand.

#include <string>
#include <vector>

#include "datafile/data_file.h"
#include "survey/survey_comparison.h"
#include "survey/survey_layout.h"
#include "survey/survey_statistics.h"
#include "workbook/xlsx_book.h"

namespace korvel {

bool writeReadingsSheet(XlsxBook& book, const DataFile& file, const Survey& survey);

bool writeMapSheets(XlsxBook& book, const Survey& survey, const SurveyStatistics& statistics);

bool writeStatisticsSheet(XlsxBook& book, const std::string& fileName, const DataFile& file,
                          const Survey& survey, const SurveyStatistics& statistics);

// The two surveys share one layout (layoutsMatch).
struct ComparisonInput {
    std::string earlierName;
    std::string currentName;
    const Survey& earlier;
    const Survey& current;
    const SurveyComparison& comparison;
};

bool writeComparisonSheet(XlsxBook& book, const ComparisonInput& input);

// A table of fields under its column names, as the file holds it.
bool writeTableSheet(XlsxBook& book, const std::string& sheetName,
                     const std::vector<std::string>& columns,
                     const std::vector<std::vector<std::string>>& rows);

// "Thickness (IN)": a column name with the units of its values, when they are known.
std::string withUnits(const std::string& name, const std::string& units);

// The value of a minimum or maximum, and its locations separated by ", ".
std::optional<double> extremeValue(const std::optional<SurveyExtreme>& extreme);
std::string extremeLocations(const Survey& survey, const std::optional<SurveyExtreme>& extreme);

}  // namespace korvel
