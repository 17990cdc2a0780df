#include "gxGridDelegate.h"

#include <QPainter>

#include "gxGridModel.h"
#include "gxListCtrl.h"

namespace tervane {

gxGridDelegate::gxGridDelegate(gxListCtrl* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void gxGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
  const int column = index.column();
  if (column == gxGridModel::kColDhcp || column == gxGridModel::kColReboot) {
    grid_->PaintCheckCell(painter, index.row(), column,
                          index.data(gxGridModel::CheckedRole).toBool());
    return;
  }
  QStyledItemDelegate::paint(painter, option, index);
}

}  // namespace tervane
