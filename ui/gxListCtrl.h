#pragma once
// The AP grid: one row per discovered device in ten fixed columns, with
// in-place editors that write the edited values back into the device's
// AP record and mark it modified for the next Update.

#include <QPointer>
#include <QTableView>
#include <string>
#include <vector>

#include "gxGridModel.h"

class QMenu;

namespace tervane {

class APList;
class CAPinfo;
class CCheckBox;
class CInPlaceList;
class gxEditCell;
class gxGridDelegate;

class gxListCtrl : public QTableView {
  Q_OBJECT

 public:
  explicit gxListCtrl(QWidget* parent = nullptr);
  ~gxListCtrl() override;

  // --- What the owning view uses -----------------------------------------
  // The list edited records are looked up in (by the row's MAC text).
  void SetAPList(APList* list) { apList_ = list; }
  APList* GetAPList() const { return apList_; }

  int InsertColumn(int index, const QString& header, int width);
  // A row with a type image and the record it shows; no texts yet.
  int InsertItem(int index, int image, CAPinfo* record);
  // A row without a record, holding `text` in column 0.
  int InsertItem(int index, const QString& text);
  bool SetItemText(int row, int column, const QString& text);
  bool SetItemText(int row, int column, const std::string& bytes);
  QString GetItemText(int row, int column) const;
  bool SetItemImage(int row, int image);
  int GetItemImage(int row) const;
  CAPinfo* GetItemData(int row) const;  // nullptr for rows without a record
  void DeleteAllItems();
  int GetItemCount() const;
  bool GetItemSelected(int row) const;
  void SetItemSelected(int row, bool selected);
  // The next selected row after `after` (-1 to start at the top), or -1.
  int GetNextSelectedItem(int after) const;
  void SelectAll();
  // Scrolls vertically until the row shows; a partly shown row is enough.
  bool EnsureVisible(int row);
  void SetEditLabels(bool on) { editLabels_ = on; }
  bool HasEditLabels() const { return editLabels_; }
  void FitToClient(int width, int height);

  int apCount = 0;
  int clientCount = 0;

  // --- Editing --------------------------------------------------------------
  gxEditCell* OpenTextEditor(int row, int column);
  CInPlaceList* OpenChannelList(int row, int column, const QStringList& items, int selection);
  CCheckBox* OpenCheckEditor(int row, int column);
  // The channel entries for a row and the entry its Ch cell preselects (-1: none).
  QStringList ChannelItems(int row, int* selection) const;

  // Cell under a viewport point: the row (or -1) and its column.
  int CellFromPoint(const QPoint& point, int* column) const;
  int CellRectAtPoint(const QPoint& point, QRect* cell, int* column) const;
  void MoveToNextCell(bool forward);
  void RedrawCell(int row, int column);  // column -1: the whole row

  // The keys the grid handles itself and the editors forward to it;
  // false for keys left to the list's default handling.
  bool HandleKeyDown(int key, Qt::KeyboardModifiers modifiers);

  // End of an in-place edit; `text` is null when the editor was cancelled.
  int OnEndLabelEdit(int row, int column, int editorId, const QString* text, int length);

  // Shows the message for a refused address; false when it is refused.
  bool IsValidAddress(const QString& text);

  // --- Painting, sorting, menu, tool tips -----------------------------------
  void PaintCheckCell(QPainter* painter, int row, int column, bool checked) const;
  // Comparison of two records by m_nSortCol and m_bAscending.
  static int CompareRows(const CAPinfo* first, const CAPinfo* second, const gxListCtrl* grid);
  void OnColumnClick(int column);
  // Tool under a viewport point: its id (row * 1024 + column % 1024 + 1)
  // and the cell's rectangle, or -1 outside the cells.
  int OnToolHitTest(const QPoint& point, QRect* cell) const;
  QString ToolTipText(int toolId) const;
  // Where the context menu opens for a mouse event at `globalPos`, or for
  // the menu key.
  QPoint ContextMenuPosition(const QContextMenuEvent* event) const;

  // The check box whose report is being handled.
  QPointer<CCheckBox> m_pCommitCheck;
  int m_nCurCol = 1;
  int m_nCurRow = 0;
  int m_nDhcpAll = 0;
  int m_nRebootAll = 0;
  bool m_bAscending = true;
  int m_nSortCol = -1;

  // Row images 0 to 3 at 32 and 16 pixels.
  const std::vector<QPixmap>& LargeImages() const { return m_largeImages; }
  const std::vector<QPixmap>& SmallImages() const { return m_smallImages; }

  gxGridModel* Model() const { return model_; }

 signals:
  void PingRequested();
  void SelectAllRequested();

 protected:
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  bool ValidRow(int row) const { return row >= 0 && row < GetItemCount(); }
  // The grid takes the focus, which ends an open editor.
  void TakeFocus();
  // Ends an open editor (its report is handled) without taking the focus
  // from elsewhere.
  void EndOpenEditor();
  // Up and Down open the editor of `row` in the current column.
  void OpenVertical(int row);
  // Places an editor over (row, column) as the text box, list and check
  // box need it; false when the column cannot show one.
  bool EditorRect(int row, int column, QRect* rect);
  void LoadImages();
  void ClickCheckCell(int row, int column);
  void SortByColumn(int column);

  gxGridModel* model_;
  gxGridDelegate* delegate_;
  APList* apList_ = nullptr;
  bool editLabels_ = false;
  std::vector<QPixmap> m_largeImages;
  std::vector<QPixmap> m_smallImages;
};

}  // namespace tervane
