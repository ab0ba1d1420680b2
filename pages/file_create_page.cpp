#include "pages/file_create_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "app/platform.h"
#include "app/ui/point_at_box.h"
#include "app/ui/qt_text.h"
#include "datafile/date_text.h"

namespace korvel {

namespace {

const QStringList kTypes = {"LINEAR", "2D", "3D", "BOILER"};
const QStringList kSaveModes = {kSaveThkOnly, kSaveThkAscan};
const QStringList kGridIncrements = {"ROW", "COL"};
const QStringList k3dIncrements = {"ROW", "COL", "ELEV"};
const QStringList kBoilerIncrements = {"TEST PTS", "TUBE", "ELEV"};
const QStringList kTestPatterns = {"N-E-S-W", "L-C-R", "L-C-R-B", "L-R", "T-L-B-R", "0-90-180-270"};

// The boxes that hold a text of the request, beside the product, the type and the save mode.
const std::array<std::pair<CreateBox, std::string CreateRequest::*>, 14> kRequestBoxes = {{
    {CreateBox::FileName, &CreateRequest::fileName},
    {CreateBox::Start, &CreateRequest::start},
    {CreateBox::End, &CreateRequest::end},
    {CreateBox::StartCol, &CreateRequest::startCol},
    {CreateBox::EndCol, &CreateRequest::endCol},
    {CreateBox::StartRow, &CreateRequest::startRow},
    {CreateBox::EndRow, &CreateRequest::endRow},
    {CreateBox::StartElev, &CreateRequest::startElev},
    {CreateBox::EndElev, &CreateRequest::endElev},
    {CreateBox::StartTube, &CreateRequest::startTube},
    {CreateBox::EndTube, &CreateRequest::endTube},
    {CreateBox::FirstInc, &CreateRequest::firstInc},
    {CreateBox::SecondInc, &CreateRequest::secondInc},
    {CreateBox::TestPts, &CreateRequest::testPts},
}};

void setBoxText(QWidget* control, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        list->setCurrentText(text);
    }
}

void fillList(QWidget* control, const QStringList& items, const QString& selected) {
    auto* list = static_cast<QComboBox*>(control);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(items.indexOf(selected));
}

// Typed letters appear in upper case.
void keepUpperCase(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& typed) {
        const QString upper = typed.toUpper();
        if (upper != typed) {
            const int cursor = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(cursor);
        }
    });
}

}  // namespace

CFileCreatePage::CFileCreatePage(const PageContext& context, QWidget* parent)
    : KorvelPage(context.app, Screen::FileCreate, "IDD_DIALOG_TITLE_FILECREATION", parent) {}

void CFileCreatePage::initialise() {
    grid_ = new QGridLayout(body());
    grid_->setHorizontalSpacing(12);
    product_ = addCombo(CreateBox::None, "IDC_STATIC_SELECT_PRODUCT", 0, 0);
    for (const std::string& name : productNames()) {
        product_->addItem(toQt(name));
    }
    product_->setCurrentIndex(0);
    addEdit(CreateBox::FileName, "IDC_STATIC_FILENAME", 0, 2);
    type_ = new QComboBox(body());
    place(CreateBox::None, type_, "IDC_STATIC_FILETYPE", 1, 0);
    type_->addItems(kTypes);
    save_ = new QComboBox(body());
    place(CreateBox::None, save_, "IDC_STATIC_SAVEMODE", 1, 2);
    save_->addItems(kSaveModes);

    addEdit(CreateBox::Start, "IDC_STATIC_START", 2, 0);
    addEdit(CreateBox::End, "IDC_STATIC_END", 2, 2);
    addEdit(CreateBox::StartCol, "IDC_STATIC_START_COL", 3, 0);
    addEdit(CreateBox::EndCol, "IDC_STATIC_END_COL", 3, 2);
    addEdit(CreateBox::StartRow, "IDC_STATIC_START_ROW", 4, 0);
    addEdit(CreateBox::EndRow, "IDC_STATIC_END_ROW", 4, 2);
    addEdit(CreateBox::StartElev, "IDC_STATIC_START_ELEV", 5, 0);
    addEdit(CreateBox::EndElev, "IDC_STATIC_END_ELEV", 5, 2);
    addEdit(CreateBox::StartTube, "IDC_STATIC_START_TUBE", 6, 0);
    addEdit(CreateBox::EndTube, "IDC_STATIC_END_TUBE", 6, 2);
    addCombo(CreateBox::FirstInc, "IDC_STATIC_1ST_INC", 7, 0)->setEditable(true);
    addCombo(CreateBox::SecondInc, "IDC_STATIC_2ND_INC", 7, 2)->setEditable(true);
    addCombo(CreateBox::TestPts, "IDC_STATIC_START_TESTPTS", 8, 0)->setEditable(true);

    create_ = new QPushButton(caption("IDC_BTN_CREATEFILE"), body());
    grid_->addWidget(create_, 9, 3, Qt::AlignRight);
    grid_->setRowStretch(10, 1);
    grid_->setColumnStretch(4, 1);

    connect(type_, &QComboBox::currentIndexChanged, this, &CFileCreatePage::applyTypeState);
    connect(create_, &QPushButton::clicked, this, &CFileCreatePage::createFile);
    applyTypeState();
}

void CFileCreatePage::place(CreateBox which, QWidget* control, const char* labelKey, int row,
                            int column) {
    auto* label = new QLabel(caption(labelKey), body());
    label->setBuddy(control);
    control->setMinimumWidth(160);
    grid_->addWidget(label, row, column);
    grid_->addWidget(control, row, column + 1);
    if (which != CreateBox::None) {
        boxes_[which] = control;
        labels_[which] = label;
    }
}

QLineEdit* CFileCreatePage::addEdit(CreateBox which, const char* labelKey, int row, int column) {
    auto* edit = new QLineEdit(body());
    keepUpperCase(edit);
    place(which, edit, labelKey, row, column);
    return edit;
}

QComboBox* CFileCreatePage::addCombo(CreateBox which, const char* labelKey, int row, int column) {
    auto* list = new QComboBox(body());
    list->setInsertPolicy(QComboBox::NoInsert);
    place(which, list, labelKey, row, column);
    return list;
}

QWidget* CFileCreatePage::box(CreateBox which) const {
    const auto found = boxes_.find(which);
    return found == boxes_.end() ? nullptr : found->second;
}

void CFileCreatePage::enableOnly(std::initializer_list<CreateBox> enabled) {
    for (const auto& [which, control] : boxes_) {
        const bool on = which == CreateBox::FileName ||
                        std::find(enabled.begin(), enabled.end(), which) != enabled.end();
        control->setEnabled(on);
        labels_.at(which)->setEnabled(on);
    }
}

void CFileCreatePage::applyTypeState() {
    const QString type = type_->currentText();
    if (type == "LINEAR") {
        enableOnly({CreateBox::Start, CreateBox::End});
        return;
    }
    if (type == "BOILER") {
        fillList(box(CreateBox::FirstInc), kBoilerIncrements, "TEST PTS");
        fillList(box(CreateBox::SecondInc), kBoilerIncrements, "TUBE");
        fillList(box(CreateBox::TestPts), kTestPatterns, "N-E-S-W");
        enableOnly({CreateBox::FirstInc, CreateBox::SecondInc, CreateBox::StartElev,
                    CreateBox::EndElev, CreateBox::StartTube, CreateBox::EndTube,
                    CreateBox::TestPts});
        return;
    }
    const bool grid = type == "2D";
    const QStringList& increments = grid ? kGridIncrements : k3dIncrements;
    fillList(box(CreateBox::FirstInc), increments, "ROW");
    fillList(box(CreateBox::SecondInc), increments, "COL");
    fillList(box(CreateBox::TestPts), {}, {});
    if (grid) {
        enableOnly({CreateBox::StartCol, CreateBox::EndCol, CreateBox::StartRow, CreateBox::EndRow,
                    CreateBox::FirstInc});
    } else {
        enableOnly({CreateBox::StartCol, CreateBox::EndCol, CreateBox::StartRow, CreateBox::EndRow,
                    CreateBox::FirstInc, CreateBox::SecondInc, CreateBox::StartElev,
                    CreateBox::EndElev});
    }
}

QString CFileCreatePage::text(CreateBox which) const {
    QWidget* control = box(which);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return edit->text();
    }
    auto* list = qobject_cast<QComboBox*>(control);
    return list ? list->currentText() : QString();
}

CreateRequest CFileCreatePage::request() const {
    CreateRequest request;
    request.product = fromQt(product_->currentText());
    request.type = fromQt(type_->currentText());
    request.saveMode = fromQt(save_->currentText());
    for (const auto& [which, member] : kRequestBoxes) {
        request.*member = fromQt(text(which));
    }
    return request;
}

void CFileCreatePage::fill(const CreateRequest& request) {
    ensureInitialised();
    const auto code = productCodeFor(request.product);
    for (int item = 0; item < product_->count(); ++item) {
        if (code && productCodeFor(fromQt(product_->itemText(item))) == code) {
            product_->setCurrentIndex(item);
        }
    }
    type_->setCurrentText(toQt(request.type));
    applyTypeState();
    save_->setCurrentText(toQt(request.saveMode));
    for (const auto& [which, member] : kRequestBoxes) {
        setBoxText(box(which), toQt(request.*member));
    }
    emit currentWanted();
    box(CreateBox::FileName)->setFocus();
}

void CFileCreatePage::createFile() {
    const CreateResult result =
        createDataFile(request(), currentDirectory(), localNow(), voice(), app().texts());
    if (QWidget* focus = box(result.focus)) {
        pointAtBox(focus);
    }
}

}  // namespace korvel
