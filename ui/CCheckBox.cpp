#include "CCheckBox.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "gxListCtrl.h"

namespace tervane {

CCheckBox::CCheckBox(gxListCtrl* grid, int row, int column, QWidget* parent)
    : QCheckBox(parent), gxEditorLink(grid, row, column) {
  setObjectName(QStringLiteral("CCheckBox"));
  setAutoFillBackground(true);
}

bool CCheckBox::event(QEvent* event) { return FilterEditorEvent(event) || QCheckBox::event(event); }

void CCheckBox::keyPressEvent(QKeyEvent* event) {
  event->accept();
  gxListCtrl* grid = Grid();
  switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      ForwardTab(event);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      EndByFocusToGrid();
      return;
    case Qt::Key_Escape:
      CancelEdit();
      return;
    case Qt::Key_Up:
      if (grid && Row() > 0) grid->OpenCheckEditor(Row() - 1, Column());
      return;
    case Qt::Key_Down:
      if (grid && Row() >= 0 && Row() + 1 < grid->GetItemCount()) {
        grid->OpenCheckEditor(Row() + 1, Column());
      }
      return;
    case Qt::Key_Left:
    case Qt::Key_Right:
      return;  // no moving between buttons
    default:
      QCheckBox::keyPressEvent(event);
      event->accept();
  }
}

void CCheckBox::focusOutEvent(QFocusEvent* event) {
  QCheckBox::focusOutEvent(event);
  if (event->reason() == Qt::PopupFocusReason || Reported()) return;
  if (Grid()) Grid()->m_pCommitCheck = this;
  Report(kCheckBoxId, text());
  deleteLater();
}

}  // namespace tervane
