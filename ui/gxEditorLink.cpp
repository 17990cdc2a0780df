#include "gxEditorLink.h"

#include <QEvent>
#include <QKeyEvent>

#include "gxListCtrl.h"

namespace tervane {

bool gxEditorLink::OwnKey(const QKeyEvent* key) const {
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      return true;
    default:
      return false;
  }
}

bool gxEditorLink::FilterEditorEvent(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && OwnKey(static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      KeyDown(key);
      return true;
    }
  }
  return false;
}

gxEditorLink::gxEditorLink(gxListCtrl* grid, int row, int column)
    : grid_(grid), cell_(grid->Model()->index(row, column)), column_(column) {}

int gxEditorLink::Row() const { return cell_.isValid() ? cell_.row() : -1; }

bool gxEditorLink::Report(int editorId, const QString& text) {
  if (reported_) return false;
  reported_ = true;
  if (!grid_) return false;
  grid_->OnEndLabelEdit(Row(), column_, editorId, cancelled_ ? nullptr : &text,
                        static_cast<int>(text.size()));
  return true;
}

void gxEditorLink::ForwardTab(const QKeyEvent* key) {
  const bool shift = (key->modifiers() & Qt::ShiftModifier) || key->key() == Qt::Key_Backtab;
  if (grid_) grid_->HandleKeyDown(Qt::Key_Tab, shift ? Qt::ShiftModifier : Qt::NoModifier);
}

void gxEditorLink::EndByFocusToGrid() {
  if (grid_) grid_->setFocus(Qt::OtherFocusReason);
}

}  // namespace tervane
