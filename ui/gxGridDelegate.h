#pragma once
// Paints the AP grid's cells: the DHCP and Reboot cells as check boxes,
// every other cell with the colours its model roles give.

#include <QStyledItemDelegate>

namespace tervane {

class gxListCtrl;

class gxGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit gxGridDelegate(gxListCtrl* grid);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  gxListCtrl* grid_;
};

}  // namespace tervane
