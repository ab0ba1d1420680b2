#include "dataview/survey_text.h"

#include <QStringList>

#include "app/text_table.h"
#include "app/ui/qt_text.h"

namespace korvel {

namespace {

// Locations listed after a value; more than this many end in an ellipsis.
constexpr std::size_t kListedLocations = 4;

class Html {
  public:
    explicit Html(const TextTable& texts) : texts_(texts) {}

    QString caption(const char* key) const {
        return toQt(texts_.caption(Screen::DataView, key)).toHtmlEscaped();
    }
    void heading(const QString& text) {
        html_ += QStringLiteral("<tr><td colspan=2><b>") + text.toHtmlEscaped() +
                 QStringLiteral("</b></td></tr>");
    }
    // The caption keeps a gap from its value however long its translation is.
    void row(const char* key, const QString& value) {
        html_ += QStringLiteral("<tr><td style=\"padding-right:6px\">") + caption(key) +
                 QStringLiteral("</td><td>") + value + QStringLiteral("</td></tr>");
    }
    QString text() const {
        return QStringLiteral("<table cellspacing=0 cellpadding=1>") + html_ +
               QStringLiteral("</table>");
    }

  private:
    const TextTable& texts_;
    QString html_;
};

QString number(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

QString extremeText(const Survey& survey, const std::optional<SurveyExtreme>& extreme, int decimals,
                    const QString& unit) {
    if (!extreme) {
        return QStringLiteral("&ndash;");
    }
    QStringList locations;
    for (std::size_t i = 0; i < extreme->points.size() && i < kListedLocations; ++i) {
        locations << toQt(survey.points[extreme->points[i]].location).toHtmlEscaped();
    }
    if (extreme->points.size() > kListedLocations) {
        locations << QStringLiteral("&hellip;");
    }
    return number(extreme->value, decimals) + QStringLiteral(" ") + unit + QStringLiteral(" (") +
           locations.join(QStringLiteral(", ")) + QStringLiteral(")");
}

void figureRows(Html& html, const Survey& survey, const SurveyFigures& figures) {
    const QString unit = toQt(survey.units).toHtmlEscaped();
    const ValueFigures& thickness = figures.thickness;
    html.row("IDC_STATIC_SURVEY_READINGS", QString::number(thickness.count));
    html.row("IDC_STATIC_SURVEY_HOLES", QString::number(thickness.holes));
    html.row("IDC_STATIC_SURVEY_MINIMUM", extremeText(survey, thickness.minimum, 3, unit));
    html.row("IDC_STATIC_SURVEY_MAXIMUM", extremeText(survey, thickness.maximum, 3, unit));
    if (thickness.mean) {
        html.row("IDC_STATIC_SURVEY_MEAN", number(*thickness.mean, 4) + QStringLiteral(" ") + unit);
        html.row("IDC_STATIC_SURVEY_STDDEV",
                 number(*thickness.standardDeviation, 4) + QStringLiteral(" ") + unit);
    }
    html.row("IDC_STATIC_SURVEY_LOW_ALARMS", QString::number(figures.alarms.lowAlarm));
    html.row("IDC_STATIC_SURVEY_LOW_WARNINGS", QString::number(figures.alarms.lowWarning));
    html.row("IDC_STATIC_SURVEY_HIGH_ALARMS", QString::number(figures.alarms.highAlarm));
    html.row("IDC_STATIC_SURVEY_HIGH_WARNINGS", QString::number(figures.alarms.highWarning));
}

QString elapsedText(const SurveyComparison& comparison, const Html& html) {
    const auto years = comparison.elapsedYears();
    if (!years || *years <= 0) {
        return html.caption("IDC_STATIC_SURVEY_NO_RATE");
    }
    return number(static_cast<double>(*comparison.elapsedMinutes) / 1440.0, 0) +
           QStringLiteral(" ") + html.caption("IDC_STATIC_SURVEY_DAYS") + QStringLiteral(" (") +
           number(*years, 2) + QStringLiteral(" ") + html.caption("IDC_STATIC_SURVEY_YEARS") +
           QStringLiteral(")");
}

}  // namespace

QString statisticsHtml(const Survey& survey, const SurveyStatistics& statistics, std::size_t layer,
                       const TextTable& texts) {
    Html html(texts);
    figureRows(html, survey, statistics.whole);
    if (survey.layers.size() > 1 && layer < survey.layers.size()) {
        html.heading(html.caption("IDC_STATIC_SURVEY_LAYER") + QStringLiteral(" ") +
                     toQt(survey.layers[layer].name));
        figureRows(html, survey, statistics.layers[layer].figures);
    }
    return html.text();
}

QString comparisonHtml(const Survey& current, const SurveyComparison& comparison,
                       const std::string& earlierName, const std::string& earlierDate,
                       const TextTable& texts) {
    Html html(texts);
    const QString unit = toQt(current.units).toHtmlEscaped();
    html.row("IDC_STATIC_SURVEY_EARLIER", toQt(earlierName).toHtmlEscaped() +
                                              QStringLiteral("<br>") +
                                              toQt(earlierDate).toHtmlEscaped());
    html.row("IDC_STATIC_SURVEY_ELAPSED", elapsedText(comparison, html));
    html.row("IDC_STATIC_SURVEY_MIN_THICKNESS",
             comparison.minimumThickness
                 ? number(*comparison.minimumThickness, 3) + QStringLiteral(" ") + unit
                 : html.caption("IDC_STATIC_SURVEY_SETUP_LOW_ALARM"));
    html.row("IDC_STATIC_SURVEY_LARGEST_LOSS",
             extremeText(current, comparison.lossFigures.maximum, 3, unit));
    if (comparison.lossFigures.mean) {
        html.row("IDC_STATIC_SURVEY_MEAN",
                 number(*comparison.lossFigures.mean, 4) + QStringLiteral(" ") + unit);
    }
    html.row("IDC_STATIC_SURVEY_RATE", extremeText(current, comparison.largestRate, 4, unit));
    html.row("IDC_STATIC_SURVEY_LIFE", extremeText(current, comparison.shortestLife, 1,
                                                   html.caption("IDC_STATIC_SURVEY_YEARS")));
    html.row("IDC_STATIC_SURVEY_HOLES", QString::number(comparison.lossFigures.holes));
    return html.text();
}

}  // namespace korvel
