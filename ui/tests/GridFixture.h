#pragma once
// A small grid as the AP list view fills it: four device rows of types
// 'A', 'S', 'R' and 'S' in a window that also carries the main window's
// Ctrl+A, Ctrl+R and Ctrl+U shortcuts.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "APList.h"
#include "CAPinfo.h"
#include "MessageBox.h"
#include "gxListCtrl.h"

namespace tervane::test {

class GridFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  CAPinfo& Record(int row) { return *grid->GetItemData(row); }
  QPoint CellCenter(int row, int column) const;
  void Click(int row, int column);
  // The widget holding the focus, as the given editor type, or nullptr.
  template <typename Editor>
  Editor* Open() const {
    return qobject_cast<Editor*>(QApplication::focusWidget());
  }
  QWidget* Focus() const { return QApplication::focusWidget(); }
  // Runs the deletions the ended editors asked for.
  static void Settle();
  // Opens the text box, replaces its text and ends the edit by clicking
  // nowhere in particular (the grid takes the focus).
  void TypeInto(int row, int column, const QString& text);
  void AddRow(char type, const std::string& mac);

  std::unique_ptr<QWidget> window;
  gxListCtrl* grid = nullptr;
  APList list;
  QStringList messages;
  int selectAllShortcut = 0;
  int refreshShortcut = 0;
  int updateShortcut = 0;

 private:
  MessageBoxHandler previousHandler_;
};

}  // namespace tervane::test
