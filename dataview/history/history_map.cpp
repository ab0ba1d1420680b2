#include "dataview/history/history_map.h"

#include <unordered_map>

#include "datafile/data_file_reader.h"

namespace korvel {

namespace {

constexpr long long kDueSoonMinutes = 365 * kMinutesPerDay + kMinutesPerDay / 4;

ThicknessUnits unitsOf(const std::string& units) {
    return parseThicknessUnits(units).value_or(ThicknessUnits::Inches);
}

}  // namespace

HistoryLayout historyLayout(std::string_view latestSurvey, const history::AssetFigures& figures,
                            long long todayMinutes) {
    HistoryLayout layout;
    layout.survey = surveyOf(parseDataFile(latestSurvey));
    std::unordered_map<std::string, int> index;
    index.reserve(figures.locations.size());
    for (std::size_t i = 0; i < figures.locations.size(); ++i) {
        index.emplace(figures.locations[i].location, static_cast<int>(i));
    }
    layout.figureOf.reserve(layout.survey.points.size());
    for (std::size_t point = 0; point < layout.survey.points.size(); ++point) {
        SurveyPoint& shown = layout.survey.points[point];
        const auto found = index.find(shown.location);
        layout.figureOf.push_back(found == index.end() ? -1 : found->second);
        shown.alarm = AlarmLevel::None;
        if (found == index.end()) {
            continue;
        }
        const history::LocationFigures& location = figures.locations[found->second];
        if (location.belowRequired) {
            shown.alarm = AlarmLevel::LowAlarm;
        } else if (location.nextInspectionMinutes &&
                   *location.nextInspectionMinutes <= todayMinutes + kDueSoonMinutes) {
            shown.alarm = AlarmLevel::LowWarning;
        }
        if (shown.alarm != AlarmLevel::None) {
            layout.marked.push_back(point);
        }
    }
    return layout;
}

std::optional<double> figureValue(const history::LocationFigures& location,
                                  HistoryColouring colouring, const std::string& assetUnits,
                                  ThicknessUnits shown) {
    const auto inShown = [&](std::optional<double> value) -> std::optional<double> {
        if (!value) {
            return value;
        }
        return convertThickness(*value, unitsOf(assetUnits), shown);
    };
    switch (colouring) {
        case HistoryColouring::RemainingLife:
            return location.remainingLife;
        case HistoryColouring::NextInspection:
            if (location.nextInspectionMinutes) {
                return static_cast<double>(*location.nextInspectionMinutes);
            }
            return std::nullopt;
        case HistoryColouring::GoverningRate:
            return inShown(location.governingRate);
        case HistoryColouring::LatestThickness:
            return inShown(location.actual ? std::optional<double>(location.actual->value)
                                           : std::nullopt);
    }
    return std::nullopt;
}

SurveyMapContent historyMapContent(const HistoryLayout& layout,
                                   const history::AssetFigures& figures, HistoryColouring colouring,
                                   ThicknessUnits shown, const HistoryMapTexts& texts) {
    SurveyMapContent content;
    content.survey = &layout.survey;
    content.values.reserve(layout.figureOf.size());
    for (const int figure : layout.figureOf) {
        content.values.push_back(
            figure < 0 ? std::nullopt
                       : figureValue(figures.locations[static_cast<std::size_t>(figure)], colouring,
                                     figures.units, shown));
    }
    // A fast rate is as bad as a short life: it takes the dark end of the scale.
    content.loss = colouring == HistoryColouring::GoverningRate;
    content.holeText = texts.noFigure;
    content.lowAlarmText = texts.belowRequired;
    content.warningText = texts.dueSoon;
    const QString thickness =
        QString::fromUtf8(unitsText(shown).data(), static_cast<int>(unitsText(shown).size()));
    switch (colouring) {
        case HistoryColouring::RemainingLife:
            content.valueText = [](double years) { return QString::number(years, 'f', 1); };
            content.valueUnits = texts.years;
            break;
        case HistoryColouring::NextInspection:
            content.valueText = [](double minutes) {
                return historyDateText(static_cast<long long>(minutes));
            };
            content.valueUnits = QStringLiteral(" ");
            break;
        case HistoryColouring::GoverningRate:
            content.valueText = [shown](double rate) {
                return QString::number(rate, 'f', shown == ThicknessUnits::Inches ? 4 : 3);
            };
            content.valueUnits = thickness + texts.perYear;
            break;
        case HistoryColouring::LatestThickness:
            content.valueText = [shown](double value) {
                return QString::fromStdString(thicknessText(value, unitsText(shown)));
            };
            content.valueUnits = thickness;
            if (figures.asset.required) {
                content.lowLevel =
                    convertThickness(*figures.asset.required, unitsOf(figures.units), shown);
                content.lowAlarmText = texts.belowRequired;
            }
            break;
    }
    if (layout.survey.shape == SurveyShape::Sequence) {
        content.outlined = layout.marked;
    } else if (figures.dueFirst) {
        for (std::size_t point = 0; point < layout.figureOf.size(); ++point) {
            if (layout.figureOf[point] == static_cast<int>(*figures.dueFirst)) {
                content.outlined.push_back(point);
            }
        }
    }
    return content;
}

QString historyDateText(long long minutes) {
    return QString::fromStdString(isoDateText(minutes));
}

}  // namespace korvel
