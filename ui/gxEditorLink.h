#pragma once
// What the three in-place editors share: the grid that opened them, the
// cell they edit and the once-only end-of-edit report.

#include <QPersistentModelIndex>
#include <QString>

class QEvent;
class QKeyEvent;

namespace tervane {

class gxListCtrl;

class gxEditorLink {
 public:
  // Control ids carried by the end-of-edit report.
  static constexpr int kTextEditorId = 1001;
  static constexpr int kChannelListId = 1002;
  static constexpr int kCheckBoxId = 1003;

  gxEditorLink(gxListCtrl* grid, int row, int column);
  virtual ~gxEditorLink() = default;
  gxEditorLink(const gxEditorLink&) = delete;
  gxEditorLink& operator=(const gxEditorLink&) = delete;

  // The row the edited cell is in now (rows may have moved or gone since
  // the editor opened); -1 when the row no longer exists.
  int Row() const;
  int Column() const { return column_; }
  bool Cancelled() const { return cancelled_; }

  // The grid is going away: nothing may be reported to it any more.
  void Detach() { grid_ = nullptr; }

 protected:
  // Keys that reach this editor itself, never a shortcut of the window:
  // Enter and Escape, unless an editor keeps more.
  virtual bool OwnKey(const QKeyEvent* key) const;
  // The editor's own key handling.
  virtual void KeyDown(QKeyEvent* key) = 0;
  // Claims the editor's own keys from the window's shortcuts and hands Tab
  // to KeyDown before focus navigation sees it; true when it took the event.
  bool FilterEditorEvent(QEvent* event);

  gxListCtrl* Grid() const { return grid_; }
  void Cancel() { cancelled_ = true; }
  // Sends the report once; later calls do nothing. Returns whether it sent.
  bool Report(int editorId, const QString& text);
  bool Reported() const { return reported_; }
  // Gives the focus back to the grid, which ends this editor.
  void EndByFocusToGrid();
  // Escape: ends the edit with a report that carries no text.
  void CancelEdit() {
    Cancel();
    EndByFocusToGrid();
  }
  // Hands Tab, or Shift+Tab, on to the grid, which ends this editor and
  // opens the next one unless Shift is held.
  void ForwardTab(const QKeyEvent* key);

 private:
  gxListCtrl* grid_;
  QPersistentModelIndex cell_;
  int column_;
  bool cancelled_ = false;
  bool reported_ = false;
};

}  // namespace tervane
