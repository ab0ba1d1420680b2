#pragma once
// A list or table whose columns all show whole in every language, without scrolling sideways:
// each column is as wide as its heading or the widest thing it holds, and the view is made at
// least as wide as all of them together; the column that stretches takes what is left.

#include <QString>
#include <vector>

class QAbstractItemView;
class QHeaderView;

namespace korvel {

// The width a cell needs for the text, with the item's margins.
int cellTextWidth(const QAbstractItemView* view, const QString& text);

// `least[column]` is the widest content the column holds (0: its heading alone); `stretch` is
// the column that takes the room left over.
void showColumnsWhole(QAbstractItemView* view, QHeaderView* header, const std::vector<int>& least,
                      int stretch);

}  // namespace korvel
