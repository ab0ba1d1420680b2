#pragma once
// The inspection report of a data file: the pages of report_pages, filled from the file, its
// waveforms as the data view draws them, and the survey's figures, map and comparison. The
// same pages go to a PDF file (from the data view, the PC list and korvel-cli) and to a printer.

#include <QByteArray>
#include <optional>
#include <string>

#include "datafile/data_file.h"
#include "report/inspection_title.h"
#include "survey/thickness_units.h"

class QPagedPaintDevice;

namespace korvel {

class TextTable;
class UserVoice;

// An earlier survey of the same layout to compare with: its file (none for no comparison),
// its name, and the minimum thickness the remaining life is counted to (else each reading's
// low alarm).
struct EarlierSurvey {
    const DataFile* file = nullptr;
    std::string name = {};
    std::optional<double> minimumThickness = {};
};

// What is reported on: the file, its display name, an earlier survey to compare with, the
// units its thicknesses are printed in (none: each reading's own), and the title block's
// inspection fields.
struct ReportSubject {
    const DataFile& file;
    std::string displayName;
    EarlierSurvey earlier = {};
    std::optional<ThicknessUnits> units = {};
    InspectionTitle title = {};
};

// Who reports, and when: the program's title and version, and the report's date as text.
struct ReportSigner {
    const TextTable& texts;
    std::string program;
    std::string date;
};

// Paints the report on the device. The number of pages, or 0 when the device failed.
int paintInspectionReport(QPagedPaintDevice& device, const ReportSubject& subject,
                          const ReportSigner& signer);

// The report as the bytes of a PDF file; empty when it could not be made.
QByteArray inspectionReportPdf(const ReportSubject& subject, const ReportSigner& signer);

// A save dialog asks about an existing file itself; korvel-cli asks the voice.
enum class OverwriteAsked { No, Yes };

// Reads the data file (and the earlier one, when a path is given, compared down to the minimum
// thickness when one is given) and saves the report as pdfPath, after the overwrite question
// unless it was asked. Every failure is told to the voice; false then, or when the user
// declines.
bool saveInspectionReport(const std::string& path, const std::string& earlierPath,
                          const std::string& pdfPath, const ReportSigner& signer, UserVoice& voice,
                          OverwriteAsked asked = OverwriteAsked::No,
                          std::optional<double> minimumThickness = std::nullopt);

// Today's date and time as the report states it ("2026-12-08 14:05").
std::string reportDateNow();
// A data file's date ("12/08/2026 02:05 PM") as the report states its own; any other text as
// the file writes it.
std::string reportDateOf(const std::string& fileDate);

}  // namespace korvel
