#include "CMainFrame.h"

#include <QApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QStatusTipEvent>

#include "Artwork.h"
#include "CAboutDlg.h"
#include "CConfig.h"
#include "CPrefDialog.h"
#include "MessageBox.h"
#include "gxListCtrl.h"

namespace tervane {

namespace {

QString DefaultChooser(QWidget* parent, bool save) {
  const QString filter = QStringLiteral("All Files (*)");
  return save ? QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), QString(), filter)
              : QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), filter);
}

}  // namespace

CMainFrame::CMainFrame(CConfig& config, QWidget* parent)
    : QMainWindow(parent), config_(config), view_(new CVantelView(config, this)), doc_(*view_),
      chooser_(DefaultChooser) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowIcon(ProgramIcon());
  resize(700, 300);
  setCentralWidget(view_);
  connect(view_, &CVantelView::countsChanged, this, &CMainFrame::SetCounts);
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::MakeAction(const QString& text, const QKeySequence& key, const QString& prompt) {
  auto* a = new QAction(text, this);
  if (!key.isEmpty()) {
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
  }
  a->setStatusTip(prompt);
  addAction(a);  // the shortcut works with the menu bar hidden, too
  return a;
}

bool CMainFrame::OnCreate() {
  refresh_ = MakeAction(QStringLiteral("&Refresh"), QKeySequence(Qt::CTRL | Qt::Key_R),
                        QStringLiteral("Search for wireless Access Point/Bridge"));
  refresh_->setIcon(RefreshIcon());
  refresh_->setToolTip(QStringLiteral("Find"));
  update_ = MakeAction(QStringLiteral("&Update"), QKeySequence(Qt::CTRL | Qt::Key_U),
                       QStringLiteral("Update selected wireless Access Point/Bridge"));
  update_->setIcon(UpdateIcon());
  update_->setToolTip(QStringLiteral("Update"));
  selectAll_ = MakeAction(QStringLiteral("Select &All"), QKeySequence(Qt::CTRL | Qt::Key_A),
                          QStringLiteral("Select all entries"));
  ping_ = MakeAction(QStringLiteral("&Ping"), {}, QString());
  option_ = MakeAction(QStringLiteral("&Option"), {}, QString());
  about_ = MakeAction(QStringLiteral("&About ..."), {}, QString());
  about_->setIcon(AboutIcon());
  about_->setToolTip(QStringLiteral("About"));
  exit_ = MakeAction(QStringLiteral("E&xit"), {}, QString());

  connect(refresh_, &QAction::triggered, this, [this] {
    view_->setFocus();
    view_->Refresh();
  });
  connect(update_, &QAction::triggered, view_, &CVantelView::UpdateSelected);
  connect(selectAll_, &QAction::triggered, view_, &CVantelView::SelectAll);
  connect(ping_, &QAction::triggered, view_, &CVantelView::PingSelected);
  connect(option_, &QAction::triggered, this, &CMainFrame::OnOption);
  connect(about_, &QAction::triggered, this, &CMainFrame::OnAbout);
  connect(exit_, &QAction::triggered, this, &QWidget::close);

  // Document commands have accelerators only.
  connect(MakeAction(QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N), QString()), &QAction::triggered,
          this, &CMainFrame::OnFileNew);
  connect(MakeAction(QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O), QString()), &QAction::triggered,
          this, &CMainFrame::OnFileOpen);
  connect(MakeAction(QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S), QString()), &QAction::triggered,
          this, &CMainFrame::OnFileSave);

  toolBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  toolBar_->setMovable(true);  // a band with a handle
  toolBar_->setIconSize(QSize(16, 15));
  toolBar_->addAction(refresh_);
  toolBar_->addAction(update_);
  toolBar_->addSeparator();
  toolBar_->addAction(about_);
  addToolBar(Qt::TopToolBarArea, toolBar_);

  statusBar_ = new CStatusBarTT(this);
  setStatusBar(statusBar_);
  statusBar_->SetIndicatorsWithTips({
      {0, QString(), QString()},
      {kApPane, QStringLiteral("9999"), QStringLiteral("APs discovered")},
      {kClientPane, QStringLiteral("9999"), QStringLiteral("Ethernet Clients discovered")},
  });
  SetCounts(0, 0);

  BuildMenus();

  trayMenu_ = std::make_unique<QMenu>();
  QAction* trayRefresh = trayMenu_->addAction(QStringLiteral("Refresh"));
  trayRefresh->setStatusTip(QStringLiteral("Refresh the current list of AP/Bridges"));
  QAction* trayExit = trayMenu_->addAction(QStringLiteral("Exit"));
  trayExit->setStatusTip(QStringLiteral("Quit Tervane"));
  connect(trayRefresh, &QAction::triggered, this, &CMainFrame::OnTrayRefresh);
  connect(trayExit, &QAction::triggered, this, &CMainFrame::OnTrayExit);
  // Where the desktop has no notification area Tervane runs without the icon.
  if (tray_.AddIcon(QStringLiteral("Tervane - right click for menu!"), ProgramIcon(), trayMenu_.get())) {
    tray_.SetDefaultItem(0);
  }

  OnFileNew();
  return true;
}

void CMainFrame::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(exit_);

  QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
  viewMenu->addAction(refresh_);
  viewMenu->addAction(update_);
  viewMenu->addAction(selectAll_);
  viewMenu->addSeparator();
  QAction* showStatus = viewMenu->addAction(QStringLiteral("&Status Bar"));
  showStatus->setCheckable(true);
  showStatus->setChecked(true);
  connect(showStatus, &QAction::toggled, statusBar_, &QWidget::setVisible);
  QAction* showToolbar = toolBar_->toggleViewAction();
  showToolbar->setText(QStringLiteral("&Toolbar"));
  viewMenu->addAction(showToolbar);

  QMenu* tools = menuBar()->addMenu(QStringLiteral("Tools"));
  tools->addAction(ping_);
  tools->addSeparator();
  tools->addAction(option_);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->addAction(about_);
}

bool CMainFrame::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip && statusBar_) {
    statusBar_->SetMessage(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void CMainFrame::SetCounts(int apCount, int clientCount) {
  if (!statusBar_) return;
  statusBar_->SetPaneText(kApPane, QString::number(apCount));
  statusBar_->SetPaneText(kClientPane, QString::number(clientCount));
}

void CMainFrame::UpdateCaption() {
  setWindowTitle(doc_.GetTitle() + QStringLiteral(" - ") + QStringLiteral("Tervane -"));
}

void CMainFrame::OnFileNew() {
  doc_.OnNewDocument();
  UpdateCaption();
  view_->OnInitialUpdate();
}

bool CMainFrame::OpenDocument(const QString& path) {
  QString error;
  if (!doc_.OnOpenDocument(path, &error)) {
    ShowMessageBox(this, QStringLiteral("Cannot open %1: %2.").arg(path, error));
    return false;
  }
  UpdateCaption();
  return true;
}

void CMainFrame::OnFileOpen() {
  const QString path = chooser_(this, false);
  if (!path.isEmpty()) OpenDocument(path);
}

bool CMainFrame::OnFileSave() {
  if (doc_.GetPathName().isEmpty()) return OnFileSaveAs();
  return SaveDocument(doc_.GetPathName());
}

bool CMainFrame::OnFileSaveAs() {
  const QString path = chooser_(this, true);
  return !path.isEmpty() && SaveDocument(path);
}

bool CMainFrame::SaveDocument(const QString& path) {
  QString error;
  if (!doc_.OnSaveDocument(path, &error)) {
    ShowMessageBox(this, QStringLiteral("Cannot save %1: %2.").arg(path, error));
    return false;
  }
  UpdateCaption();
  return true;
}

void CMainFrame::OnAbout() {
  CAboutDlg dlg(this);
  dlg.exec();
}

void CMainFrame::OnOption() {
  CPrefDialog dlg(config_, this);
  dlg.exec();
}

void CMainFrame::OnTrayRefresh() {
  view_->Refresh();
  showNormal();
  raise();
  activateWindow();
}

void CMainFrame::OnTrayExit() {
  // Ends the program at once, without the normal close.
  hide();
  QApplication::quit();
}

}  // namespace tervane
