#pragma once
// The User Velocity page: reads the gauge's two user velocities with their units and sets them.
// A set sends nothing unless both values are velocities the gauge takes, and says in the
// status line what the gauge took.

#include <functional>

#include "app/ui/korvel_page.h"
#include "gauge/user_velocity.h"
#include "pages/page_context.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel {

class CUserVelocity : public KorvelPage {
    Q_OBJECT
  public:
    explicit CUserVelocity(const PageContext& context, QWidget* parent = nullptr);

    // Button handlers.
    void GetUserVelocity();
    void SetUserVelocity();

    QLineEdit* velocityBox(int index) const { return velocityBoxes_[index]; }
    QComboBox* unitsBox(int index) const { return unitsBoxes_[index]; }
    QPushButton* getButton() const { return get_; }
    QPushButton* setButton() const { return set_; }
    QPushButton* cancelButton() const { return cancel_; }
    QLabel* statusLine() const { return status_; }

  protected:
    void initialise() override;
    void firstShown() override;

  private:
    VelocitySettings readControls() const;
    void showFields(const VelocitySettings& settings);
    // Both boxes hold velocities the gauge takes; otherwise a warning names the first that
    // does not, and that box takes the focus with its text selected.
    bool settingsAccepted();
    // Runs the get or the set with the boxes' settings, shows the settings afterwards and
    // hands the step's result to after.
    void exchange(int (UserVelocityExchange::*step)(VelocitySettings&),
                  std::function<void(int, const VelocitySettings&)> after);

    QLineEdit* velocityBoxes_[2] = {};
    QComboBox* unitsBoxes_[2] = {};
    QPushButton* get_ = nullptr;
    QPushButton* set_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace korvel
