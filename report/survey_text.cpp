#include "report/survey_text.h"

#include <QStringList>

#include "app/text_table.h"
#include "app/ui/qt_text.h"

namespace korvel {

namespace {

// Locations listed after a value; more than this many end in an ellipsis.
constexpr std::size_t kListedLocations = 4;

class Figures {
  public:
    explicit Figures(const TextTable& texts) : texts_(texts) {}

    QString caption(const char* key) const { return toQt(texts_.caption(Screen::DataView, key)); }
    void add(const char* key, const QString& value) { figures_.push_back({caption(key), value}); }
    std::vector<SurveyFigure> take() { return std::move(figures_); }

  private:
    const TextTable& texts_;
    std::vector<SurveyFigure> figures_;
};

QString number(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

QString extremeText(const Survey& survey, const std::optional<SurveyExtreme>& extreme, int decimals,
                    const QString& unit) {
    if (!extreme) {
        return QStringLiteral("\u2013");
    }
    QStringList locations;
    for (std::size_t i = 0; i < extreme->points.size() && i < kListedLocations; ++i) {
        locations << toQt(survey.points[extreme->points[i]].location);
    }
    if (extreme->points.size() > kListedLocations) {
        locations << QStringLiteral("\u2026");
    }
    return number(extreme->value, decimals) + QStringLiteral(" ") + unit + QStringLiteral(" (") +
           locations.join(QStringLiteral(", ")) + QStringLiteral(")");
}

QString elapsedText(const SurveyComparison& comparison, const Figures& figures) {
    const auto years = comparison.elapsedYears();
    if (!years || *years <= 0) {
        return figures.caption("IDC_STATIC_SURVEY_NO_RATE");
    }
    return number(static_cast<double>(*comparison.elapsedMinutes) / 1440.0, 0) +
           QStringLiteral(" ") + figures.caption("IDC_STATIC_SURVEY_DAYS") + QStringLiteral(" (") +
           number(*years, 2) + QStringLiteral(" ") + figures.caption("IDC_STATIC_SURVEY_YEARS") +
           QStringLiteral(")");
}

class Html {
  public:
    void heading(const QString& text) {
        html_ += QStringLiteral("<tr><td colspan=2><b>") + text.toHtmlEscaped() +
                 QStringLiteral("</b></td></tr>");
    }
    void rows(const std::vector<SurveyFigure>& figures) {
        // The caption keeps a gap from its value however long its translation is.
        for (const auto& figure : figures) {
            html_ +=
                QStringLiteral("<tr><td style=\"padding-right:6px\">") +
                figure.caption.toHtmlEscaped() + QStringLiteral("</td><td>") +
                figure.value.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
                QStringLiteral("</td></tr>");
        }
    }
    QString text() const {
        return QStringLiteral("<table cellspacing=0 cellpadding=1>") + html_ +
               QStringLiteral("</table>");
    }

  private:
    QString html_;
};

}  // namespace

std::vector<SurveyFigure> statisticsFigures(const Survey& survey, const SurveyFigures& figures,
                                            const TextTable& texts) {
    Figures out(texts);
    const QString unit = toQt(survey.units);
    const ValueFigures& thickness = figures.thickness;
    out.add("IDC_STATIC_SURVEY_READINGS", QString::number(thickness.count));
    out.add("IDC_STATIC_SURVEY_HOLES", QString::number(thickness.holes));
    out.add("IDC_STATIC_SURVEY_MINIMUM", extremeText(survey, thickness.minimum, 3, unit));
    out.add("IDC_STATIC_SURVEY_MAXIMUM", extremeText(survey, thickness.maximum, 3, unit));
    if (thickness.mean) {
        out.add("IDC_STATIC_SURVEY_MEAN", number(*thickness.mean, 4) + QStringLiteral(" ") + unit);
        out.add("IDC_STATIC_SURVEY_STDDEV",
                number(*thickness.standardDeviation, 4) + QStringLiteral(" ") + unit);
    }
    out.add("IDC_STATIC_SURVEY_LOW_ALARMS", QString::number(figures.alarms.lowAlarm));
    out.add("IDC_STATIC_SURVEY_LOW_WARNINGS", QString::number(figures.alarms.lowWarning));
    out.add("IDC_STATIC_SURVEY_HIGH_ALARMS", QString::number(figures.alarms.highAlarm));
    out.add("IDC_STATIC_SURVEY_HIGH_WARNINGS", QString::number(figures.alarms.highWarning));
    return out.take();
}

std::vector<SurveyFigure> comparisonFigures(const Survey& current,
                                            const SurveyComparison& comparison,
                                            const std::string& earlierName,
                                            const std::string& earlierDate,
                                            const TextTable& texts) {
    Figures out(texts);
    const QString unit = toQt(current.units);
    out.add("IDC_STATIC_SURVEY_EARLIER",
            toQt(earlierName) + QStringLiteral("\n") + toQt(earlierDate));
    out.add("IDC_STATIC_SURVEY_ELAPSED", elapsedText(comparison, out));
    out.add("IDC_STATIC_SURVEY_MIN_THICKNESS",
            comparison.minimumThickness
                ? number(*comparison.minimumThickness, 3) + QStringLiteral(" ") + unit
                : out.caption("IDC_STATIC_SURVEY_SETUP_LOW_ALARM"));
    out.add("IDC_STATIC_SURVEY_LARGEST_LOSS",
            extremeText(current, comparison.lossFigures.maximum, 3, unit));
    if (comparison.lossFigures.mean) {
        out.add("IDC_STATIC_SURVEY_MEAN",
                number(*comparison.lossFigures.mean, 4) + QStringLiteral(" ") + unit);
    }
    out.add("IDC_STATIC_SURVEY_RATE", extremeText(current, comparison.largestRate, 4, unit));
    out.add("IDC_STATIC_SURVEY_LIFE", extremeText(current, comparison.shortestLife, 1,
                                                  out.caption("IDC_STATIC_SURVEY_YEARS")));
    out.add("IDC_STATIC_SURVEY_HOLES", QString::number(comparison.lossFigures.holes));
    return out.take();
}

QString statisticsHtml(const Survey& survey, const SurveyStatistics& statistics, std::size_t layer,
                       const TextTable& texts) {
    Html html;
    html.rows(statisticsFigures(survey, statistics.whole, texts));
    if (survey.layers.size() > 1 && layer < survey.layers.size()) {
        html.heading(toQt(texts.caption(Screen::DataView, "IDC_STATIC_SURVEY_LAYER")) +
                     QStringLiteral(" ") + toQt(survey.layers[layer].name));
        html.rows(statisticsFigures(survey, statistics.layers[layer].figures, texts));
    }
    return html.text();
}

QString comparisonHtml(const Survey& current, const SurveyComparison& comparison,
                       const std::string& earlierName, const std::string& earlierDate,
                       const TextTable& texts) {
    Html html;
    html.rows(comparisonFigures(current, comparison, earlierName, earlierDate, texts));
    return html.text();
}

}  // namespace korvel
