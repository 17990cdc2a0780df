#pragma once
// The in-place drop-down list for the Ch cell.

#include <QComboBox>
#include <QStringList>

#include "gxEditorLink.h"

namespace tervane {

class CInPlaceList : public QComboBox, public gxEditorLink {
  Q_OBJECT

 public:
  // `selection` out of range preselects nothing.
  CInPlaceList(gxListCtrl* grid, int row, int column, const QStringList& items, int selection,
               QWidget* parent);

  const QStringList& Items() const { return items_; }
  void hidePopup() override;

 protected:
  bool event(QEvent* event) override;
  void KeyDown(QKeyEvent* key) override { keyPressEvent(key); }
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QStringList items_;
};

}  // namespace tervane
