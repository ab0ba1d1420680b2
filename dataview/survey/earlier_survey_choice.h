#pragma once
// The earlier survey a report from the PC list compares with: the data files of the same
// layout in the file's folder, newest first, offered as Compare... offers them, with the
// minimum thickness the remaining life is counted to.

#include <optional>
#include <string>

class QWidget;

namespace korvel {

class TextTable;
class UserVoice;

struct EarlierSurveyChoice {
    std::string path;  // empty: no comparison
    std::optional<double> minimumThickness;
};

// Nothing to offer (no file of the layout, a file that cannot be read) or Cancel gives no
// comparison; the report is then made without one.
EarlierSurveyChoice chooseEarlierSurvey(const std::string& path, const TextTable& texts,
                                        UserVoice& voice, QWidget* parent);

}  // namespace korvel
