#include "report/inspection_report.h"

#include <QDateTime>
#include <memory>
#include <optional>

#include "app/text_table.h"
#include "app/ui/qt_text.h"
#include "app/user_voice.h"
#include "datafile/data_file_reader.h"
#include "datafile/number_text.h"
#include "datafile/output_file.h"
#include "dataview/chart/graph_drawer.h"
#include "dataview/readings/bscan_book.h"
#include "dataview/readings/reading_selection.h"
#include "dataview/readings/reading_table.h"
#include "dataview/readings/setup_and_note.h"
#include "report/report_content.h"
#include "report/report_pages.h"
#include "report/report_survey.h"
#include "survey/survey_comparison.h"
#include "survey/survey_date.h"

namespace korvel {
namespace {

// The data view's chart of a reading's waveform: the view's own drawing code, so that each
// A-scan of the report looks and is titled as the view shows it.
class WaveformCharts {
  public:
    WaveformCharts(const DataFile& file, const std::string& displayName)
        : file_(file), table_(file), book_(bookBScan(file)), displayName_(displayName) {}

    ChartModel chartOf(int row) {
        const ReadingSelection selection = selectionAt(table_, row);
        SetupValues setup;
        setupListRows(file_, leadingNumber(selection.setupNumber), setup);
        DisplayMode mode;
        mode.ascanChoice = true;
        return drawer_.draw({table_, book_, selection, setup, displayName_}, mode);
    }

  private:
    const DataFile& file_;
    ReadingTable table_;
    BScanBook book_;
    std::string displayName_;
    GraphDrawer drawer_;
};

}  // namespace

int paintInspectionReport(QPagedPaintDevice& device, const ReportSubject& subject,
                          const ReportSigner& signer) {
    ReportContent content = reportContent(subject.file, subject.displayName, signer.texts,
                                          {signer.program, signer.date}, subject.units);
    for (auto& row : inspectionTitleRows(subject.title, signer.texts)) {
        content.titleBlock.push_back(std::move(row));
    }
    auto charts = std::make_shared<WaveformCharts>(subject.file, subject.displayName);
    ReportDocument document{content, surveySections(subject, signer.texts),
                            [charts](int row) { return charts->chartOf(row); }};
    return paintReport(device, document);
}

QByteArray inspectionReportPdf(const ReportSubject& subject, const ReportSigner& signer) {
    return reportPdf(
        signer.program, signer.texts.message("IDS_REPORT_TITLE") + " - " + subject.displayName,
        [&](QPagedPaintDevice& device) { return paintInspectionReport(device, subject, signer); });
}

bool saveInspectionReport(const std::string& path, const std::string& earlierPath,
                          const std::string& pdfPath, const ReportSigner& signer, UserVoice& voice,
                          OverwriteAsked asked, std::optional<double> minimumThickness) {
    const auto file = readDataFile(path);
    if (!file) {
        reportFileOpenError(voice, signer.texts, path);
        return false;
    }
    std::optional<DataFile> earlier;
    if (!earlierPath.empty()) {
        earlier = readDataFile(earlierPath);
        if (!earlier) {
            reportFileOpenError(voice, signer.texts, earlierPath);
            return false;
        }
    }
    if (earlier && !layoutsMatch(surveyOf(*earlier), surveyOf(*file))) {
        voice.show(MessageKind::Error, signer.texts.message("IDS_ERR_SURVEY_LAYOUT_MISMATCH"));
        return false;
    }
    if (asked == OverwriteAsked::No && !mayOverwrite(pdfPath, voice, signer.texts)) {
        return false;
    }
    const ReportSubject subject{
        *file,
        displayNameOf(path),
        {earlier ? &*earlier : nullptr, earlier ? displayNameOf(earlierPath) : std::string(),
         minimumThickness}};
    const QByteArray pdf = inspectionReportPdf(subject, signer);
    if (pdf.isEmpty()) {
        voice.show(MessageKind::Error, signer.texts.message("IDS_ERR_REPORT_FAILED"));
        return false;
    }
    return saveOrReport(pdfPath, std::string_view(pdf.constData(), std::size_t(pdf.size())), voice,
                        signer.texts);
}

namespace {
const QString kReportDateForm = QStringLiteral("yyyy-MM-dd HH:mm");
}  // namespace

std::string reportDateNow() {
    return fromQt(QDateTime::currentDateTime().toString(kReportDateForm));
}

std::string reportDateOf(const std::string& fileDate) {
    const std::optional<SurveyDate> date = parseSurveyDate(fileDate);
    if (!date) {
        return fileDate;
    }
    // The file's own local time, counted as minutes from 1970: no zone to convert.
    return fromQt(
        QDateTime::fromSecsSinceEpoch(date->minutes * 60, Qt::UTC).toString(kReportDateForm));
}

}  // namespace korvel
