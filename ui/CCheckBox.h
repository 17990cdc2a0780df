#pragma once
// The in-place check box for the DHCP and Reboot cells.

#include <QCheckBox>

#include "gxEditorLink.h"

namespace tervane {

class CCheckBox : public QCheckBox, public gxEditorLink {
  Q_OBJECT

 public:
  CCheckBox(gxListCtrl* grid, int row, int column, QWidget* parent);

 protected:
  bool event(QEvent* event) override;
  void KeyDown(QKeyEvent* key) override { keyPressEvent(key); }
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace tervane
