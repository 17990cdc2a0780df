#pragma once
// The in-place text box for the IP, Mask, Gateway, Dev Name and SSID cells
// (and the Ch cell when reached with Up or Down).

#include <QLineEdit>

#include "gxEditorLink.h"

namespace tervane {

class gxEditCell : public QLineEdit, public gxEditorLink {
  Q_OBJECT

 public:
  gxEditCell(gxListCtrl* grid, int row, int column, const QString& initialText,
             QWidget* parent);

  const QString& InitialText() const { return initialText_; }

 protected:
  bool event(QEvent* event) override;
  bool OwnKey(const QKeyEvent* key) const override;
  void KeyDown(QKeyEvent* key) override { keyPressEvent(key); }
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Grows the box to the right while the text grows, up to the grid's edge.
  void Widen();

  QString initialText_;
};

}  // namespace tervane
