#pragma once
// Tervane's main window: menus, toolbar, the AP list view, a status bar with
// the two counters, and the notification-area icon.

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <functional>
#include <memory>

#include "CStatusBarTT.h"
#include "CSystemTray.h"
#include "CVantelDoc.h"
#include "CVantelView.h"

namespace tervane {

class CConfig;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // Status pane ids of the two counters.
  static constexpr int kApPane = 59142;
  static constexpr int kClientPane = 101;

  explicit CMainFrame(CConfig& config, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Builds the bars and the tray icon; false when the window cannot work.
  bool OnCreate();

  CVantelView* view() const { return view_; }
  CVantelDoc& document() { return doc_; }
  CStatusBarTT* statusBarTT() const { return statusBar_; }
  QToolBar* toolBar() const { return toolBar_; }
  CSystemTray& tray() { return tray_; }
  QMenu* trayMenu() const { return trayMenu_.get(); }

  // Commands.
  void OnFileNew();
  void OnFileOpen();
  bool OnFileSave();
  bool OnFileSaveAs();
  void OnAbout();
  void OnOption();
  void OnTrayRefresh();
  void OnTrayExit();

  // Opens or saves a document by path; a failure is told in a message box.
  bool OpenDocument(const QString& path);
  bool SaveDocument(const QString& path);
  void UpdateCaption();

  QAction* refreshAction() const { return refresh_; }
  QAction* updateAction() const { return update_; }
  QAction* selectAllAction() const { return selectAll_; }
  QAction* pingAction() const { return ping_; }
  QAction* optionAction() const { return option_; }
  QAction* aboutAction() const { return about_; }
  QAction* exitAction() const { return exit_; }

  // File dialogs; tests replace them.
  using PathChooser = std::function<QString(QWidget* parent, bool save)>;
  void SetPathChooser(PathChooser chooser) { chooser_ = std::move(chooser); }

 protected:
  bool event(QEvent* event) override;

 private:
  QAction* MakeAction(const QString& text, const QKeySequence& key, const QString& prompt);
  void BuildMenus();
  void SetCounts(int apCount, int clientCount);

  CConfig& config_;
  CVantelView* view_;
  CVantelDoc doc_;
  CStatusBarTT* statusBar_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  std::unique_ptr<QMenu> trayMenu_;
  CSystemTray tray_;  // leaves before its menu does
  PathChooser chooser_;

  QAction* refresh_ = nullptr;
  QAction* update_ = nullptr;
  QAction* selectAll_ = nullptr;
  QAction* ping_ = nullptr;
  QAction* option_ = nullptr;
  QAction* about_ = nullptr;
  QAction* exit_ = nullptr;
};

}  // namespace tervane
