#pragma once
// The report of an asset's inspection history: a title block with the fields kept with the
// asset (client, site, component, thicknesses, code and class, inspector, gauge, probe,
// comments), the asset's next inspection and a sign-off line; the table of every location
// (actual value and date, long-term, short-term and governing rate, remaining life, next
// inspection), rows at or below the required thickness and those due within a year marked;
// the map of the remaining life on the latest survey's layout; the trends of the ten
// locations due first. The same pages go to a PDF file and to a printer.

#include <QByteArray>
#include <optional>
#include <string>

#include "history/asset_history.h"
#include "report/inspection_report.h"

class QPagedPaintDevice;

namespace korvel {

// What is reported on, and the day the "due within a year" marks count from (minutes since
// 1970, local time, as the surveys' dates).
struct HistoryReportSubject {
    const history::AssetHistory& history;
    long long todayMinutes = 0;
};

// The asset's title block fields as the report prints them.
InspectionTitle historyTitle(const history::AssetFigures& figures, const TextTable& texts);

// Paints the report on the device (a QPdfWriter, a QPrinter). The number of pages, or 0 when
// the device failed. The history's latest survey gives the map its layout, its file read
// from the history by the caller (surveyBytes; empty: no map).
int paintHistoryReport(QPagedPaintDevice& device, const HistoryReportSubject& subject,
                       const std::string& surveyBytes, const ReportSigner& signer);

// The report as the bytes of a PDF file; empty when it could not be made.
QByteArray historyReportPdf(const HistoryReportSubject& subject, const std::string& surveyBytes,
                            const ReportSigner& signer);

// The latest survey's file of the asset, for the map; empty when it has none or it cannot be
// read (the report then has no map).
std::string latestSurveyBytes(history::InspectionHistory& history,
                              const history::AssetHistory& content);

// Reads the asset's history and paints its report on the device (Print from the window). Every
// failure is told to the voice; the number of pages, or 0 then.
// With units, every thickness and rate is printed in those (none: the asset's own).
int paintHistoryReport(QPagedPaintDevice& device, history::InspectionHistory& history,
                       const std::string& asset, const ReportSigner& signer, UserVoice& voice,
                       std::optional<ThicknessUnits> units = std::nullopt);

// Reads the asset's history, asks before replacing pdfPath (unless asked) and saves the report
// safely. Every failure is told to the voice; false then, or when the user declines.
bool saveHistoryReport(history::InspectionHistory& history, const std::string& asset,
                       const std::string& pdfPath, const ReportSigner& signer, UserVoice& voice,
                       OverwriteAsked asked = OverwriteAsked::No,
                       std::optional<ThicknessUnits> units = std::nullopt);

// Now as minutes since 1970 in local time, the surveys' reckoning.
long long localMinutesNow();

}  // namespace korvel
