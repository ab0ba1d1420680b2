#include "survey/thinnest_points.h"

#include <algorithm>

namespace korvel {

std::vector<std::size_t> thinnestPoints(const Survey& survey, std::size_t count) {
    std::vector<std::size_t> points;
    for (std::size_t i = 0; i < survey.points.size(); ++i) {
        if (survey.points[i].thickness) {
            points.push_back(i);
        }
    }
    const auto thinner = [&](std::size_t a, std::size_t b) {
        return *survey.points[a].thickness < *survey.points[b].thickness;
    };
    std::stable_sort(points.begin(), points.end(), thinner);
    points.resize(std::min(count, points.size()));
    return points;
}

}  // namespace korvel
