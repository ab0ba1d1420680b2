#include "report/history_report.h"

#include <QDateTime>
#include <QPainter>
#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>

#include "app/save_message.h"
#include "app/text_format.h"
#include "app/text_table.h"
#include "app/ui/qt_text.h"
#include "app/user_voice.h"
#include "datafile/data_file_reader.h"
#include "datafile/number_text.h"
#include "datafile/output_file.h"
#include "history/history_json.h"
#include "history/history_messages.h"
#include "report/history_trend.h"
#include "report/report_pages.h"
#include "report/report_survey.h"
#include "survey/survey_date.h"
#include "survey/thickness_units.h"

namespace korvel {
namespace {

using namespace korvel::history;

constexpr int kRateDecimals = 4;
constexpr int kLifeDecimals = 2;
constexpr int kMapDecimals = 1;
constexpr std::size_t kTrendCount = 10;
constexpr int kTrendsPerRow = 2;
constexpr double kTrendGap = 120.0;
constexpr QSizeF kTrendLogicalSize(420, 260);
// The text area's width on A4 in the report's tenths of a point (180 mm).
constexpr double kA4TextWidth = 180.0 / 25.4 * 720.0;
constexpr long long kMinutesPerDay = 24 * 60;

const char* const kNone = "-";

std::string optionalText(const std::optional<double>& value, int decimals) {
    return value ? fixedDecimals(*value, decimals) : kNone;
}

std::string dateText(const std::optional<long long>& minutes) {
    return minutes ? isoDateText(*minutes) : kNone;
}

std::string withUnits(const std::optional<double>& value, const std::string& units) {
    return value ? thicknessText(*value, units) + " " + units : std::string();
}

// "due within a year" of the report's day.
bool dueSoon(const LocationFigures& location, long long today) {
    return location.nextInspectionMinutes &&
           *location.nextInspectionMinutes <= today + static_cast<long long>(kMinutesPerYear);
}

ReportTable locationTable(const AssetFigures& figures, const TextTable& texts) {
    const std::string& units = figures.units;
    ReportTable table;
    for (const char* key :
         {"IDS_HISTORY_COL_LOCATION", "IDS_HISTORY_COL_ACTUAL", "IDS_HISTORY_COL_DATE",
          "IDS_HISTORY_COL_LONG_TERM", "IDS_HISTORY_COL_SHORT_TERM", "IDS_HISTORY_COL_GOVERNING",
          "IDS_HISTORY_COL_LIFE", "IDS_HISTORY_COL_NEXT"}) {
        table.header.push_back(texts.message(key));
    }
    for (const LocationFigures& location : figures.locations) {
        const auto& actual = location.actual;
        table.rows.push_back({location.location,
                              actual ? thicknessText(actual->value, units) : kNone,
                              actual ? isoDateText(actual->dateMinutes) : kNone,
                              optionalText(location.longTermRate, kRateDecimals),
                              optionalText(location.shortTermRate, kRateDecimals),
                              optionalText(location.governingRate, kRateDecimals),
                              optionalText(location.remainingLife, kLifeDecimals),
                              dateText(location.nextInspectionMinutes)});
    }
    return table;
}

// Below the required thickness: the alarm mark; due within a year: the warning mark.
std::vector<AlarmClass> locationMarks(const AssetFigures& figures, long long today) {
    std::vector<AlarmClass> marks;
    for (const LocationFigures& location : figures.locations) {
        marks.push_back(location.belowRequired     ? AlarmClass::Alarm
                        : dueSoon(location, today) ? AlarmClass::Warning
                                                   : AlarmClass::None);
    }
    return marks;
}

// "2030-01-01 (0002)": a date or figure with the location it belongs to.
std::string atLocation(const std::string& value, const std::string& location) {
    return value + " (" + location + ")";
}

std::vector<std::pair<std::string, std::string>> historyRows(const AssetHistory& history,
                                                             const ReportSigner& signer) {
    const TextTable& texts = signer.texts;
    const AssetFigures& figures = history.figures;
    std::vector<std::pair<std::string, std::string>> rows;
    const auto& due = figures.dueFirst;
    rows.emplace_back(texts.message("IDS_HISTORY_REPORT_NEXT"),
                      due ? atLocation(dateText(figures.locations[*due].nextInspectionMinutes),
                                       figures.locations[*due].location)
                          : kNone);
    const auto& shortest = figures.shortestLife;
    rows.emplace_back(texts.message("IDS_HISTORY_REPORT_SHORTEST"),
                      shortest ? atLocation(optionalText(figures.locations[*shortest].remainingLife,
                                                         kLifeDecimals),
                                            figures.locations[*shortest].location)
                               : kNone);
    std::string surveys = std::to_string(history.surveys.size());
    if (!history.surveys.empty()) {
        surveys += ": " + isoDateText(history.surveys.front().dateMinutes) + " - " +
                   isoDateText(history.surveys.back().dateMinutes);
    }
    rows.emplace_back(texts.message("IDS_HISTORY_REPORT_SURVEYS"), surveys);
    rows.emplace_back(texts.message("IDS_REPORT_PROGRAM"), signer.program);
    rows.emplace_back(texts.message("IDS_REPORT_DATE"), signer.date);
    return rows;
}

ReportContent historyContent(const HistoryReportSubject& subject, const ReportSigner& signer) {
    const TextTable& texts = signer.texts;
    const AssetFigures& figures = subject.history.figures;
    ReportContent content;
    content.title = texts.message("IDS_HISTORY_REPORT_TITLE");
    content.titleBlock = inspectionTitleRows(historyTitle(figures, texts), texts);
    // The history's own rows stand above the sign-off line, which ends the block.
    const auto history = historyRows(subject.history, signer);
    content.titleBlock.insert(content.titleBlock.end() - 1, history.begin(), history.end());
    content.readingsHeading = formatWithArguments(texts.message("IDS_HISTORY_REPORT_LOCATIONS"),
                                                  {figures.units, figures.units});
    content.noReadings = texts.message("IDS_HISTORY_REPORT_NO_SURVEYS");
    content.readings = locationTable(figures, texts);
    content.readingAlarms = locationMarks(figures, subject.todayMinutes);
    content.alarmLegend = texts.message("IDS_HISTORY_REPORT_BELOW");
    content.warningLegend = texts.message("IDS_HISTORY_REPORT_DUE_SOON");
    content.footerName = figures.asset.name;
    content.pageFormat = texts.message("IDS_REPORT_PAGE");
    return content;
}

// The remaining life at every point of the latest survey's layout, its marks the table's.
std::optional<ReportSection> mapSection(const HistoryReportSubject& subject,
                                        const std::string& surveyBytes, const TextTable& texts) {
    if (surveyBytes.empty()) {
        return std::nullopt;
    }
    auto survey = std::make_shared<Survey>(surveyOf(parseDataFile(surveyBytes)));
    if (survey->points.empty()) {
        return std::nullopt;
    }
    const AssetFigures& figures = subject.history.figures;
    std::unordered_map<std::string, std::size_t> byLocation;
    for (std::size_t i = 0; i < figures.locations.size(); ++i) {
        byLocation.emplace(figures.locations[i].location, i);
    }
    PointValues values;
    values.decimals = kMapDecimals;
    for (SurveyPoint& point : survey->points) {
        const auto found = byLocation.find(point.location);
        const LocationFigures* location =
            found == byLocation.end() ? nullptr : &figures.locations[found->second];
        values.values.push_back(location ? location->remainingLife : std::nullopt);
        values.outlined.push_back(location && figures.dueFirst &&
                                  found->second == *figures.dueFirst);
        point.alarm = !location                                  ? AlarmLevel::None
                      : location->belowRequired                  ? AlarmLevel::LowAlarm
                      : dueSoon(*location, subject.todayMinutes) ? AlarmLevel::LowWarning
                                                                 : AlarmLevel::None;
    }
    ReportSection section;
    section.heading = texts.message("IDS_HISTORY_REPORT_MAP");
    addValueMap(section, survey, std::move(values),
                {toQt(texts.message("IDS_HISTORY_REPORT_NO_LIFE")),
                 toQt(texts.message("IDS_HISTORY_REPORT_BELOW")),
                 toQt(texts.message("IDS_HISTORY_REPORT_DUE_SOON")),
                 toQt(texts.message("IDS_HISTORY_REPORT_DUE_FIRST"))});
    return section;
}

// The locations by their next inspection, the earliest first; those without one last.
std::vector<std::size_t> dueOrder(const AssetFigures& figures) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < figures.locations.size(); ++i) {
        if (figures.locations[i].nextInspectionMinutes) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return *figures.locations[a].nextInspectionMinutes <
               *figures.locations[b].nextInspectionMinutes;
    });
    order.resize(std::min(order.size(), kTrendCount));
    return order;
}

// Two trends side by side. The band is as high as two charts need on A4; on wider paper the
// charts keep their proportions and a little more room stays between the rows.
ReportPicture trendRow(std::vector<std::shared_ptr<const ChartModel>> charts) {
    const double chartWidth = (kA4TextWidth - kTrendGap * (kTrendsPerRow - 1)) / kTrendsPerRow;
    const double ratio = kTrendLogicalSize.height() / kTrendLogicalSize.width();
    return {
        chartWidth * ratio + kTrendGap / 2, [charts, ratio](QPainter& painter, const QRectF& box) {
            const double width = (box.width() - kTrendGap * (kTrendsPerRow - 1)) / kTrendsPerRow;
            const double height = std::min(width * ratio, box.height() - kTrendGap / 2);
            for (std::size_t i = 0; i < charts.size(); ++i) {
                const QRectF target(box.left() + double(i) * (width + kTrendGap), box.top(),
                                    height / ratio, height);
                paintFramedChart(painter, target, kTrendLogicalSize, *charts[i]);
            }
        }};
}

std::optional<ReportSection> trendSection(const AssetHistory& history, const TextTable& texts) {
    const AssetFigures& figures = history.figures;
    const auto order = dueOrder(figures);
    if (order.empty()) {
        return std::nullopt;
    }
    std::map<std::string, LocationHistory> readings;
    for (const std::size_t i : order) {
        readings[figures.locations[i].location].units = figures.units;
    }
    for (const auto& reading : history.readings) {
        if (const auto found = readings.find(reading.location); found != readings.end()) {
            addHistoryPoint(found->second, reading);
        }
    }
    const TrendTexts trendNames = trendTexts(texts);
    const auto units = parseThicknessUnits(figures.units).value_or(ThicknessUnits::Inches);
    ReportSection section;
    section.heading = texts.message("IDS_HISTORY_REPORT_TRENDS");
    std::vector<std::shared_ptr<const ChartModel>> row;
    for (const std::size_t i : order) {
        const LocationFigures& location = figures.locations[i];
        const TrendSubject subject{readings[location.location], location, figures.asset.required,
                                   units};
        LocationTrend trend = locationTrend(subject, trendNames, kTrendLogicalSize);
        selectTrendValue(trend, -1);  // paper has no value chosen
        row.push_back(std::make_shared<const ChartModel>(std::move(trend.chart)));
        if (row.size() == kTrendsPerRow) {
            section.pictures.push_back(trendRow(std::move(row)));
            row.clear();
        }
    }
    if (!row.empty()) {
        section.pictures.push_back(trendRow(std::move(row)));
    }
    return section;
}

}  // namespace

InspectionTitle historyTitle(const AssetFigures& figures, const TextTable& texts) {
    const Asset& asset = figures.asset;
    InspectionTitle title;
    title.client = asset.title[TitleField::Client];
    title.site = asset.title[TitleField::Site];
    title.asset = asset.name;
    title.component = asset.title[TitleField::Component];
    title.nominalThickness = withUnits(asset.nominal, figures.units);
    title.requiredThickness = withUnits(asset.required, figures.units);
    if (asset.code) {
        const std::string code(codeName(*asset.code));
        title.codeAndClass =
            asset.inspectionClass
                ? formatWithArguments(texts.message("IDS_HISTORY_REPORT_CODE_CLASS"),
                                      {code, std::to_string(*asset.inspectionClass)})
                : code;
    }
    title.inspector = asset.title[TitleField::Inspector];
    title.certification = asset.title[TitleField::Certification];
    title.gaugeModel = asset.title[TitleField::GaugeModel];
    title.gaugeSerial = asset.title[TitleField::GaugeSerial];
    title.calibrationDate = asset.title[TitleField::CalibrationDate];
    title.probe = asset.title[TitleField::Probe];
    title.comments = asset.title[TitleField::Comments];
    return title;
}

int paintHistoryReport(QPagedPaintDevice& device, const HistoryReportSubject& subject,
                       const std::string& surveyBytes, const ReportSigner& signer) {
    const ReportContent content = historyContent(subject, signer);
    ReportDocument document{content, {}, {}};
    if (auto map = mapSection(subject, surveyBytes, signer.texts)) {
        document.closingSections.push_back(std::move(*map));
    }
    if (auto trends = trendSection(subject.history, signer.texts)) {
        document.closingSections.push_back(std::move(*trends));
    }
    return paintReport(device, document);
}

QByteArray historyReportPdf(const HistoryReportSubject& subject, const std::string& surveyBytes,
                            const ReportSigner& signer) {
    return reportPdf(signer.program,
                     signer.texts.message("IDS_HISTORY_REPORT_TITLE") + " - " +
                         subject.history.figures.asset.name,
                     [&](QPagedPaintDevice& device) {
                         return paintHistoryReport(device, subject, surveyBytes, signer);
                     });
}

std::string latestSurveyBytes(InspectionHistory& history, const AssetHistory& content) {
    if (content.surveys.empty()) {
        return {};
    }
    const auto bytes =
        history.storage().surveyContent(content.figures.asset.name, content.surveys.back().id);
    return bytes ? *bytes : std::string();
}

long long localMinutesNow() {
    const QDateTime now = QDateTime::currentDateTime();
    // The local time read as if it were UTC: minutes since 1970 in the surveys' reckoning.
    const QDateTime asUtc(now.date(), now.time(), Qt::UTC);
    return asUtc.toSecsSinceEpoch() / 60;
}

namespace {

// The asset's history, or none after its message.
std::optional<AssetHistory> readOrSay(InspectionHistory& history, const std::string& asset,
                                      const TextTable& texts, UserVoice& voice,
                                      std::optional<ThicknessUnits> units) {
    auto content =
        assetHistory(history, asset, units ? std::string(unitsText(*units)) : std::string());
    if (!content) {
        voice.show(MessageKind::Error, historyMessage(texts, content.error));
        return std::nullopt;
    }
    return std::move(*content);
}

}  // namespace

int paintHistoryReport(QPagedPaintDevice& device, InspectionHistory& history,
                       const std::string& asset, const ReportSigner& signer, UserVoice& voice,
                       std::optional<ThicknessUnits> units) {
    const auto content = readOrSay(history, asset, signer.texts, voice, units);
    if (!content) {
        return 0;
    }
    const int pages = paintHistoryReport(device, {*content, localMinutesNow()},
                                         latestSurveyBytes(history, *content), signer);
    if (pages == 0) {
        voice.show(MessageKind::Error, signer.texts.message("IDS_ERR_REPORT_FAILED"));
    }
    return pages;
}

bool saveHistoryReport(InspectionHistory& history, const std::string& asset,
                       const std::string& pdfPath, const ReportSigner& signer, UserVoice& voice,
                       OverwriteAsked asked, std::optional<ThicknessUnits> units) {
    const auto content = readOrSay(history, asset, signer.texts, voice, units);
    if (!content) {
        return false;
    }
    if (asked == OverwriteAsked::No && !mayOverwrite(pdfPath, voice, signer.texts)) {
        return false;
    }
    const QByteArray pdf = historyReportPdf({*content, localMinutesNow()},
                                            latestSurveyBytes(history, *content), signer);
    if (pdf.isEmpty()) {
        voice.show(MessageKind::Error, signer.texts.message("IDS_ERR_REPORT_FAILED"));
        return false;
    }
    return saveOrReport(pdfPath, std::string_view(pdf.constData(), std::size_t(pdf.size())), voice,
                        signer.texts);
}

}  // namespace korvel
