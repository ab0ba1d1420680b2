#include "app/ui/point_at_box.h"

#include <QComboBox>
#include <QLineEdit>

namespace korvel {

void pointAtBox(QWidget* box) {
    box->setFocus(Qt::OtherFocusReason);
    if (auto* list = qobject_cast<QComboBox*>(box)) {
        box = list->lineEdit();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(box)) {
        edit->selectAll();
    }
}

}  // namespace korvel
