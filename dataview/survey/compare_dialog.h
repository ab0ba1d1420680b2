#pragma once
// "Compare...": the earlier surveys of the same layout found in the file's folder, newest
// first, and the minimum thickness the wall must keep (empty: the low alarm of each reading's
// setup).

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "survey/earlier_surveys.h"

class QLineEdit;
class QListWidget;

namespace korvel {

class TextTable;
class UserVoice;

class CompareDialog : public QDialog {
    Q_OBJECT
  public:
    CompareDialog(std::vector<SurveyCandidate> candidates, const TextTable& texts, UserVoice& voice,
                  QWidget* parent = nullptr);

    std::string chosenName() const;
    std::optional<double> minimumThickness() const { return minimum_; }

    QListWidget* list() const { return list_; }

    // Takes the entries: refuses a minimum that is not a thickness above 0, with a message.
    void accept() override;

  private:
    std::vector<SurveyCandidate> candidates_;
    const TextTable& texts_;
    UserVoice& voice_;
    QListWidget* list_ = nullptr;
    QLineEdit* minimumBox_ = nullptr;
    std::optional<double> minimum_;
};

}  // namespace korvel
