#pragma once
// The editable host box of Tolvex: a list kept in case-insensitive sorted
// order (except where an entry is inserted at a given place) and type-ahead
// completion from that list.

#include <QComboBox>

namespace tervane {

class CHostCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit CHostCombo(QWidget* parent = nullptr);

  // Adds in sorted place, ignoring case; returns the index.
  int AddString(const QString& text);
  // Inserts at `index` without sorting or looking for duplicates.
  int InsertString(int index, const QString& text);
  // The first entry equal to `text` ignoring case, or -1.
  int FindStringExact(const QString& text) const;
  // Selects the first entry that begins with `prefix` ignoring case and
  // shows it in the edit field; returns its index, or -1 (nothing changes).
  int SelectString(const QString& prefix);

  // What the edit field shows.
  QString WindowText() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnEditUpdate();

  // Cleared by a keystroke that deletes, so that it does not complete.
  bool m_bAutoComplete = true;
};

}  // namespace tervane
