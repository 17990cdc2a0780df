#include "CInPlaceList.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "gxListCtrl.h"

namespace tervane {

CInPlaceList::CInPlaceList(gxListCtrl* grid, int row, int column, const QStringList& items,
                           int selection, QWidget* parent)
    : QComboBox(parent), gxEditorLink(grid, row, column), items_(items) {
  setObjectName(QStringLiteral("CInPlaceList"));
  setFont(grid->font());
  setEditable(false);
  addItems(items_);
  setCurrentIndex(selection >= 0 && selection < items_.size() ? selection : -1);
}

bool CInPlaceList::event(QEvent* event) { return FilterEditorEvent(event) || QComboBox::event(event); }

void CInPlaceList::keyPressEvent(QKeyEvent* event) {
  event->accept();
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
    default:
      QComboBox::keyPressEvent(event);
      event->accept();
  }
}

void CInPlaceList::hidePopup() {
  QComboBox::hidePopup();
  // Choosing an entry, or closing the drop-down part, ends the edit.
  if (!Reported()) EndByFocusToGrid();
}

void CInPlaceList::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  // Our own drop-down part takes the focus while it is open.
  const bool ownPopup = view() && view()->window() != window() && view()->window()->isVisible();
  if (event->reason() == Qt::PopupFocusReason || ownPopup || Reported()) return;
  Report(kChannelListId, currentIndex() >= 0 ? currentText() : QString());
  deleteLater();
}

}  // namespace tervane
