#include "gxEditCell.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>

#include "Latin1.h"
#include "gxListCtrl.h"

namespace tervane {

gxEditCell::gxEditCell(gxListCtrl* grid, int row, int column, const QString& initialText,
                       QWidget* parent)
    : QLineEdit(parent), gxEditorLink(grid, row, column), initialText_(initialText) {
  setObjectName(QStringLiteral("gxEditCell"));
  setFont(grid->font());
  setValidator(new Latin1Validator(this));
  setText(initialText);
  selectAll();
  connect(this, &QLineEdit::textChanged, this, &gxEditCell::Widen);
}

bool gxEditCell::event(QEvent* event) { return FilterEditorEvent(event) || QLineEdit::event(event); }

// Keys the text box keeps for itself: no window shortcut may take them
// while the operator types (Ctrl+A selects the text, not all rows).
bool gxEditCell::OwnKey(const QKeyEvent* key) const {
  if (key->modifiers() & Qt::ControlModifier) return true;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Delete:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
      return true;
    default:
      return false;
  }
}

void gxEditCell::keyPressEvent(QKeyEvent* event) {
  event->accept();
  gxListCtrl* grid = Grid();
  switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter moves on like Tab, Shift+Enter only ends the edit.
      ForwardTab(event);
      return;
    case Qt::Key_Up:
      if (grid && Row() > 0) grid->HandleKeyDown(Qt::Key_Up, Qt::NoModifier);
      return;
    case Qt::Key_Down:
      if (grid) grid->HandleKeyDown(Qt::Key_Down, Qt::NoModifier);
      return;
    case Qt::Key_Escape:
      CancelEdit();
      return;
    default:
      QLineEdit::keyPressEvent(event);
      event->accept();  // nothing typed here reaches the grid
  }
}

void gxEditCell::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // The box's own context menu takes the focus for a moment; the edit goes on.
  if (event->reason() == Qt::PopupFocusReason || Reported()) return;
  Report(kTextEditorId, text());
  hide();
  deleteLater();
}

void gxEditCell::Widen() {
  gxListCtrl* grid = Grid();
  if (!grid || Reported()) return;
  const int needed = QFontMetrics(grid->font()).horizontalAdvance(text()) + 5;
  // The frame and the text margins around the text.
  const int chrome = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) + 4;
  QRect area = geometry();
  if (area.width() - chrome >= needed) return;
  const int rightEdge = parentWidget() ? parentWidget()->width() : area.right() + 1;
  const int right = std::min(area.left() + needed + chrome, rightEdge);
  if (right <= area.right() + 1) return;
  area.setRight(right - 1);
  setGeometry(area);
}

}  // namespace tervane
