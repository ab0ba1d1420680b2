#pragma once
// The User Velocity page: reads the gauge's two user velocities with their units and sets them.

#include "app/ui/korvel_page.h"
#include "gauge/user_velocity.h"
#include "pages/page_context.h"

class QComboBox;
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

  protected:
    void initialise() override;
    void firstShown() override;

  private:
    VelocitySettings readControls() const;
    void showFields(const VelocitySettings& settings);
    // Runs the get or the set with the boxes' settings and shows the settings afterwards.
    void exchange(int (UserVelocityExchange::*step)(VelocitySettings&));

    QLineEdit* velocityBoxes_[2] = {};
    QComboBox* unitsBoxes_[2] = {};
    QPushButton* get_ = nullptr;
    QPushButton* set_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace korvel
