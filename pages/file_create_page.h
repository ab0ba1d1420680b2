#pragma once
// The File Create page: product, name, layout type, save mode and the layout's extent; the
// boxes a type does not use are disabled, and a failed check puts the focus on its box.

#include <map>

#include "app/ui/korvel_page.h"
#include "datafile/file_create.h"
#include "pages/page_context.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel {

class CFileCreatePage : public KorvelPage {
    Q_OBJECT
  public:
    explicit CFileCreatePage(const PageContext& context, QWidget* parent = nullptr);

    // The control of a box (a line edit or a combo box).
    QWidget* box(CreateBox which) const;
    QComboBox* productList() const { return product_; }
    QComboBox* typeList() const { return type_; }
    QComboBox* saveList() const { return save_; }
    QPushButton* createButton() const { return create_; }

    // The request the boxes hold now.
    CreateRequest request() const;
    // The boxes filled from the request (the next survey of a file), the page made current
    // and the name's box focused.
    void fill(const CreateRequest& request);
    // Create File pressed.
    void createFile();
    // The box state of the selected type.
    void applyTypeState();

  protected:
    void initialise() override;

  private:
    QLineEdit* addEdit(CreateBox which, const char* labelKey, int row, int column);
    QComboBox* addCombo(CreateBox which, const char* labelKey, int row, int column);
    void place(CreateBox which, QWidget* control, const char* labelKey, int row, int column);
    void enableOnly(std::initializer_list<CreateBox> enabled);
    QString text(CreateBox which) const;

    QComboBox* product_ = nullptr;
    QComboBox* type_ = nullptr;
    QComboBox* save_ = nullptr;
    QPushButton* create_ = nullptr;
    std::map<CreateBox, QWidget*> boxes_;
    std::map<CreateBox, QLabel*> labels_;
    QGridLayout* grid_ = nullptr;
};

}  // namespace korvel
