#include "CHostCombo.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace tervane {

CHostCombo::CHostCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  // The list is ours alone: entries are added after a resolved run, never
  // when Enter is pressed, and completion is done here, not by Qt.
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  setMaxVisibleItems(8);
  lineEdit()->installEventFilter(this);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { OnEditUpdate(); });
}

int CHostCombo::AddString(const QString& text) {
  int index = 0;
  while (index < count() && QString::compare(itemText(index), text, Qt::CaseInsensitive) <= 0)
    ++index;
  return InsertString(index, text);
}

int CHostCombo::InsertString(int index, const QString& text) {
  // Adding to the list must not change what the edit field shows.
  const QString shown = lineEdit()->text();
  const bool wasEmpty = count() == 0;
  insertItem(index, text);
  if (wasEmpty) setCurrentIndex(-1);
  if (lineEdit()->text() != shown) lineEdit()->setText(shown);
  return index;
}

int CHostCombo::FindStringExact(const QString& text) const {
  for (int i = 0; i < count(); ++i)
    if (QString::compare(itemText(i), text, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

int CHostCombo::SelectString(const QString& prefix) {
  for (int i = 0; i < count(); ++i) {
    if (itemText(i).startsWith(prefix, Qt::CaseInsensitive)) {
      setCurrentIndex(i);
      // Also when the entry was already the current one: the field shows it.
      lineEdit()->setText(itemText(i));
      return i;
    }
  }
  return -1;
}

QString CHostCombo::WindowText() const { return lineEdit()->text(); }

bool CHostCombo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    m_bAutoComplete = key != Qt::Key_Delete && key != Qt::Key_Backspace;
  }
  return QComboBox::eventFilter(watched, event);
}

void CHostCombo::OnEditUpdate() {
  if (!m_bAutoComplete) return;
  QLineEdit* edit = lineEdit();
  const QString typed = edit->text();
  const int typedLength = static_cast<int>(typed.size());
  // Nothing typed, nothing to complete (a cut can empty the field).
  if (typedLength == 0) return;
  int selStart = edit->cursorPosition();
  int selEnd = selStart;
  if (edit->hasSelectedText()) {
    selStart = edit->selectionStart();
    selEnd = selStart + static_cast<int>(edit->selectedText().size());
  }
  const auto select = [edit](int from, int to) {
    if (from == to)
      edit->setCursorPosition(from);
    else
      edit->setSelection(from, to - from);
  };

  if (SelectString(typed) < 0) {
    edit->setText(typed);
    select(selStart, selEnd);
  }
  if (selEnd < typedLength)
    select(selStart, selEnd);
  else
    select(typedLength, static_cast<int>(edit->text().size()));
}

}  // namespace tervane
