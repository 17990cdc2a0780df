// Tervane's main window, view, status bar, tray icon and dialogs on the
// offscreen platform. The view opens its socket and broadcasts its probe as
// it starts, so these tests run inside a private network namespace.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTest>
#include <fstream>
#include <sstream>

#include "CAboutDlg.h"
#include "BlowfishCipher.h"
#include "CMainFrame.h"
#include "CPrefDialog.h"
#include "CVantelApp.h"
#include "MessageBox.h"
#include "SpinUntil.h"
#include "TervaneTestDir.h"
#include "gxEditCell.h"
#include "gxListCtrl.h"

using namespace tervane;
using tervane::testing::SpinUntil;
using tervane::testing::TestDirectory;

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class TervaneWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetMessageBoxHandler([this](QWidget*, const QString& text) { messages.push_back(text); });
    CSystemTray::SetAvailabilityForTesting(0);
    MakeFrame();
  }
  void TearDown() override {
    frame.reset();
    SetMessageBoxHandler(previous_);
    CSystemTray::SetAvailabilityForTesting(-1);
  }
  void MakeFrame() {
    frame.reset();
    frame = std::make_unique<CMainFrame>(CVantelApp::instance()->m_config);
    ASSERT_TRUE(frame->OnCreate());
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    view = frame->view();
    grid = view->grid();
  }
  void Feed(const std::string& datagram) { view->socket()->HandleDatagram(datagram); }
  QString Cell(int row, int column) const { return grid->GetItemText(row, column); }

  std::unique_ptr<CMainFrame> frame;
  CVantelView* view = nullptr;
  gxListCtrl* grid = nullptr;
  std::vector<QString> messages;
  MessageBoxHandler previous_;
};

}  // namespace

TEST_F(TervaneWindow, StartsWithTenHeadersNoRowsAndZeroCounts) {
  EXPECT_EQ(QStringLiteral(" - Tervane -"), frame->windowTitle());
  EXPECT_EQ(QSize(700, 300), frame->size());
  const char* headers[] = {"Type", "MAC", "IP", "Mask", "Gateway", "Dev Name", "SSID", "Ch", "DHCP", "Reboot"};
  const int widths[] = {40, 100, 100, 100, 100, 70, 50, 40, 45, 55};
  ASSERT_EQ(10, grid->model()->columnCount());
  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(QString::fromLatin1(headers[c]), grid->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    EXPECT_EQ(widths[c], grid->horizontalHeader()->sectionSize(c)) << c;
  }
  EXPECT_EQ(0, grid->GetItemCount());
  EXPECT_EQ(QStringLiteral("0"), frame->statusBarTT()->PaneText(CMainFrame::kApPane));
  EXPECT_EQ(QStringLiteral("0"), frame->statusBarTT()->PaneText(CMainFrame::kClientPane));
  EXPECT_EQ(QStringLiteral("Ready"), frame->statusBarTT()->Message());
  EXPECT_EQ(view, theView);
  EXPECT_TRUE(view->socket()->isOpen());
  EXPECT_TRUE(messages.empty());
}

TEST_F(TervaneWindow, RepliesBecomeRowsWithImagesAndCounts) {
  Feed("AP-1/10.0.0.2/255.255.255.0/02:00:00:00:00:01/Lobby/10.0.0.1/0/1/");
  Feed("SB-2/10.0.0.3/255.255.255.0/02:00:00:00:00:02/Store/10.0.0.1/11/0/lab/net");
  Feed("IB/10.0.0.4/255.255.255.0/02:00:00:00:00:03/Infra/10.0.0.1");
  Feed("RB-1/10.0.0.5/255.255.255.0/02:00:00:00:00:04/Yard/10.0.0.1/x/0/");
  Feed("AP-1/10.0.0.9/255.255.255.0/02:00:00:00:00:01/Again/10.0.0.1/3/1/");  // same cycle: no new row

  ASSERT_EQ(4, grid->GetItemCount());
  const char* macs[] = {"02:00:00:00:00:01", "02:00:00:00:00:02", "02:00:00:00:00:03", "02:00:00:00:00:04"};
  const char* channels[] = {"Auto", "11", "Auto", "Auto"};
  const int images[] = {0, 1, 0, 1};
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(QString::fromLatin1(macs[r]), Cell(r, CVantelView::kMac));
    EXPECT_EQ(QString::fromLatin1(channels[r]), Cell(r, CVantelView::kChannel)) << r;
    EXPECT_EQ(images[r], grid->GetItemImage(r)) << r;
    EXPECT_EQ(r, grid->GetItemData(r)->row);
  }
  EXPECT_EQ(QStringLiteral("10.0.0.2"), Cell(0, CVantelView::kIp)) << "the row keeps its first values";
  EXPECT_EQ(QStringLiteral("lab/net"), Cell(1, CVantelView::kSsid));
  EXPECT_EQ(QStringLiteral("255.255.255.0"), Cell(1, CVantelView::kMask));
  EXPECT_EQ(QStringLiteral("10.0.0.1"), Cell(1, CVantelView::kGateway));
  EXPECT_EQ(QStringLiteral("Store"), Cell(1, CVantelView::kDevName));
  EXPECT_EQ(QString(), Cell(0, CVantelView::kType));
  EXPECT_EQ(QStringLiteral("1"), frame->statusBarTT()->PaneText(CMainFrame::kApPane));
  EXPECT_EQ(QStringLiteral("2"), frame->statusBarTT()->PaneText(CMainFrame::kClientPane));

  // Refresh empties the grid and the counts; answers bring the rows back.
  grid->SetItemSelected(0, true);
  frame->refreshAction()->trigger();
  EXPECT_EQ(0, grid->GetItemCount());
  EXPECT_EQ(QStringLiteral("0"), frame->statusBarTT()->PaneText(CMainFrame::kApPane));
  EXPECT_EQ(QStringLiteral("0"), frame->statusBarTT()->PaneText(CMainFrame::kClientPane));
  Feed("SB-2/10.0.0.3/255.255.255.0/02:00:00:00:00:02/Store/10.0.0.1/11/0/lab/net");
  ASSERT_EQ(1, grid->GetItemCount());
  EXPECT_EQ(0, grid->GetItemData(0)->row);
  EXPECT_EQ(4u, view->socket()->apList.GetCount());
}

TEST_F(TervaneWindow, AcknowledgedRowsAreDeselectedAndMarkedAfterASort) {
  Feed("AP/10.0.0.9/255.0.0.0/02:00:00:00:00:01/A1/10.0.0.1");
  Feed("SB/10.0.0.10/255.0.0.0/02:00:00:00:00:02/S1/10.0.0.1");
  Feed("IB/10.0.0.8/255.0.0.0/02:00:00:00:00:03/I1/10.0.0.1");
  frame->selectAllAction()->trigger();
  for (int r = 0; r < 3; ++r) EXPECT_TRUE(grid->GetItemSelected(r));

  // Sorting by IP puts 10.0.0.10 first; the ack for the bridge must reach its row.
  grid->OnColumnClick(CVantelView::kIp);
  ASSERT_EQ(QStringLiteral("02:00:00:00:00:02"), Cell(0, CVantelView::kMac));
  Feed("402:00:00:00:00:02");
  EXPECT_FALSE(grid->GetItemSelected(0));
  EXPECT_EQ(3, grid->GetItemImage(0));
  EXPECT_TRUE(grid->GetItemSelected(1));
  EXPECT_TRUE(grid->GetItemSelected(2));

  Feed("402:00:00:00:00:01");
  const int accessPointRow = Cell(1, CVantelView::kMac) == QStringLiteral("02:00:00:00:00:01") ? 1 : 2;
  EXPECT_EQ(2, grid->GetItemImage(accessPointRow));
  EXPECT_FALSE(grid->GetItemSelected(accessPointRow));
  Feed("402:00:00:00:00:03");  // an 'I' device keeps its image
  const int otherRow = 3 - accessPointRow;
  EXPECT_EQ(0, grid->GetItemImage(otherRow));
  EXPECT_FALSE(grid->GetItemSelected(otherRow));

  // The next cycle shows the plain images again.
  frame->refreshAction()->trigger();
  Feed("SB/10.0.0.10/255.0.0.0/02:00:00:00:00:02/S1/10.0.0.1");
  EXPECT_EQ(1, grid->GetItemImage(0));
}

TEST_F(TervaneWindow, UpdateWithNothingToSendSaysSo) {
  Feed("AP/10.0.0.9/255.0.0.0/02:00:00:00:00:01/A1/10.0.0.1");
  frame->updateAction()->trigger();
  ASSERT_EQ(1u, messages.size());
  EXPECT_EQ(QStringLiteral("No AP updated"), messages[0]);
  grid->SetItemSelected(0, true);
  frame->updateAction()->trigger();
  EXPECT_EQ(2u, messages.size()) << "selected but not modified";
}

TEST_F(TervaneWindow, PingStartsOneToolPerSelectedRowTopFirst) {
  const std::string record = TestDirectory() + "/pinged.txt";
  const std::string tool = TestDirectory() + "/fake-tolvex";
  std::remove(record.c_str());
  WriteFile(tool, "#!/bin/sh\necho \"$#:$1\" >> '" + record + "'\n");
  ::chmod(tool.c_str(), 0755);
  view->SetPingToolPath(QString::fromStdString(tool));

  frame->pingAction()->trigger();  // nothing selected: nothing starts
  Feed("AP/10.0.0.2/255.0.0.0/02:00:00:00:00:01/A1/10.0.0.1");
  Feed("AP/10.0.0.3/255.0.0.0/02:00:00:00:00:02/A2/10.0.0.1");
  Feed("AP/10.0.0.4 -x/255.0.0.0/02:00:00:00:00:03/A3/10.0.0.1");
  grid->SetItemSelected(0, true);
  grid->SetItemSelected(2, true);
  frame->pingAction()->trigger();
  ASSERT_TRUE(SpinUntil([&] {
    const std::string lines = ReadFile(record);
    return std::count(lines.begin(), lines.end(), '\n') == 2;
  }));
  const std::string lines = ReadFile(record);
  // Detached processes may finish in any order; both ran with one argument each.
  EXPECT_NE(std::string::npos, lines.find("1:10.0.0.2\n"));
  EXPECT_NE(std::string::npos, lines.find("1:10.0.0.4 -x\n"));
  EXPECT_TRUE(messages.empty());

  view->SetPingToolPath(QString::fromStdString(TestDirectory() + "/no-such-tool"));
  frame->pingAction()->trigger();
  ASSERT_EQ(1u, messages.size());
  EXPECT_TRUE(messages[0].contains(QStringLiteral("could not be started")));
}

TEST_F(TervaneWindow, PingStartsInRowOrderBesideTervane) {
  std::vector<std::pair<QString, QStringList>> started;
  view->SetProcessStarter([&](const QString& program, const QStringList& args) {
    started.emplace_back(program, args);
    return true;
  });
  for (int i = 1; i <= 4; ++i) {
    Feed("AP/10.0.0." + std::to_string(i) + "/255.0.0.0/02:00:00:00:00:0" + std::to_string(i) + "/A/10.0.0.1");
  }
  grid->SetItemSelected(3, true);
  grid->SetItemSelected(1, true);
  frame->pingAction()->trigger();
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/tolvex");
  ASSERT_EQ(2u, started.size());
  EXPECT_EQ(beside, started[0].first);
  EXPECT_EQ(QStringList{QStringLiteral("10.0.0.2")}, started[0].second);
  EXPECT_EQ(QStringList{QStringLiteral("10.0.0.4")}, started[1].second);
}

TEST_F(TervaneWindow, OptionDialogRewritesConfigOrChangesNothing) {
  CConfig& config = CVantelApp::instance()->m_config;
  config.userId = "kerbo";
  config.password = "kerbo";
  config.keyText = BuildKeyText("kerbo");
  config.sysTray = 0;
  std::remove("config.xml");
  {
    CPrefDialog dlg(config, frame.get());
    EXPECT_EQ(QStringLiteral("Option"), dlg.windowTitle());
    EXPECT_EQ(QStringLiteral("kerbo"), dlg.PasswordEdit()->text());
    EXPECT_EQ(QLineEdit::Normal, dlg.PasswordEdit()->echoMode()) << "the password shows in clear";
    EXPECT_FALSE(dlg.TrayCheck()->isVisible());
    EXPECT_TRUE(dlg.OkButton()->isDefault());
    dlg.PasswordEdit()->setText(QStringLiteral("Secret9"));
    dlg.UserIdEdit()->setText(QStringLiteral("operator"));
    dlg.CancelButton()->click();
  }
  EXPECT_EQ("kerbo", config.password);
  EXPECT_EQ("kerbo", config.userId);
  EXPECT_FALSE(QFile::exists(QStringLiteral("config.xml")));

  {
    CPrefDialog dlg(config, frame.get());
    dlg.PasswordEdit()->setText(QStringLiteral("Secret9"));
    dlg.UserIdEdit()->setText(QString::fromLatin1("op\xE9rator"));
    dlg.OkButton()->click();
  }
  EXPECT_EQ("Secret9", config.password);
  EXPECT_EQ(BuildKeyText("Secret9"), config.keyText);
  EXPECT_EQ("op\xE9rator", config.userId);
  EXPECT_EQ(0, config.sysTray) << "the hidden box carries the flag through";
  EXPECT_EQ(
      "<vireo>\r\n\t<config>\r\n\t\t<user>op\xE9rator</user>\r\n\t\t<password>Secret9</password>\r\n"
      "\t\t<systray>0</systray>\r\n\t</config>\r\n</vireo>\r\n",
      ReadFile("config.xml"));
  EXPECT_TRUE(messages.empty());

  // The new key is used at once: the next probe is made with it.
  EXPECT_EQ(BuildKeyText("Secret9"), view->KeyText());

  // A config.xml that cannot be written is reported; the values stay.
  std::remove("config.xml");
  ::mkdir("config.xml", 0755);
  {
    CPrefDialog dlg(config, frame.get());
    dlg.UserIdEdit()->setText(QStringLiteral("later"));
    dlg.OkButton()->click();
  }
  ::rmdir("config.xml");
  EXPECT_EQ("later", config.userId);
  ASSERT_EQ(1u, messages.size());
  EXPECT_EQ(QStringLiteral("config.xml could not be written"), messages[0]);
}

TEST_F(TervaneWindow, DocumentRoundTripAndDamagedFiles) {
  Feed("AP/10.0.0.2/255.0.0.0/02:00:00:00:00:01/A1/10.0.0.1");
  Feed("SB//255.0.0.0/02:00:00:00:00:02/S1/10.0.0.1");
  const std::string path = TestDirectory() + "/two-rows.tvd";
  frame->SetPathChooser([&](QWidget*, bool save) {
    EXPECT_TRUE(save) << "the first save asks for a name";
    return QString::fromStdString(path);
  });
  ASSERT_TRUE(frame->OnFileSave());
  EXPECT_EQ(std::string("\x02\0\0\0", 4) + '\0' + '\x11' + "02:00:00:00:00:01" + '\x08' + "10.0.0.2" + '\0' + '\x11' +
                "02:00:00:00:00:02" + '\0',
            ReadFile(path));
  EXPECT_EQ(QStringLiteral("two-rows.tvd - Tervane -"), frame->windowTitle());
  frame->SetPathChooser([&](QWidget*, bool) {
    ADD_FAILURE() << "a saved document is saved again under its name";
    return QString();
  });
  ASSERT_TRUE(frame->OnFileSave());

  // Read back: rows without records, counters untouched.
  frame->refreshAction()->trigger();
  ASSERT_TRUE(frame->OpenDocument(QString::fromStdString(path)));
  ASSERT_EQ(2, grid->GetItemCount());
  EXPECT_EQ(QStringLiteral("02:00:00:00:00:02"), Cell(1, CVantelView::kMac));
  EXPECT_EQ(QString(), Cell(1, CVantelView::kIp));
  EXPECT_EQ(nullptr, grid->GetItemData(0));
  EXPECT_EQ(QStringLiteral("0"), frame->statusBarTT()->PaneText(CMainFrame::kApPane));
  EXPECT_TRUE(messages.empty());

  // Damaged files: a message, and the grid as it was.
  const std::string good = ReadFile(path);
  const std::pair<const char*, std::string> damaged[] = {
      {"truncated", good.substr(0, good.size() - 3)},
      {"negative count", std::string("\xFE\xFF\xFF\xFF", 4)},
      {"huge count", std::string("\xFF\xFF\xFF\x7F", 4) + std::string(30, '\0')},
      {"string beyond the end", std::string("\x01\0\0\0\x40" "abc\0\0", 10)},
      {"too short", std::string("\x01", 1)},
  };
  for (const auto& [what, bytes] : damaged) {
    SCOPED_TRACE(what);
    messages.clear();
    const std::string bad = TestDirectory() + "/bad.tvd";
    WriteFile(bad, bytes);
    EXPECT_FALSE(frame->OpenDocument(QString::fromStdString(bad)));
    ASSERT_EQ(1u, messages.size());
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Cannot open "))) << messages[0].toStdString();
    EXPECT_EQ(2, grid->GetItemCount());
    EXPECT_EQ(QStringLiteral("02:00:00:00:00:01"), Cell(0, CVantelView::kMac));
  }
  messages.clear();
  EXPECT_FALSE(frame->OpenDocument(QString::fromStdString(TestDirectory() + "/missing.tvd")));
  EXPECT_EQ(1u, messages.size());

  // A document that cannot be written: a message, nothing reported as saved.
  messages.clear();
  frame->SetPathChooser([&](QWidget*, bool) { return QString::fromStdString(TestDirectory() + "/no/such/dir/x.tvd"); });
  EXPECT_FALSE(frame->OnFileSaveAs());
  ASSERT_EQ(1u, messages.size());
  EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Cannot save ")));
  EXPECT_EQ(QStringLiteral("two-rows.tvd - Tervane -"), frame->windowTitle());

  // New: an empty title, and a new discovery cycle.
  frame->OnFileNew();
  EXPECT_EQ(QStringLiteral(" - Tervane -"), frame->windowTitle());
  EXPECT_EQ(0, grid->GetItemCount());
}

TEST_F(TervaneWindow, RepliesWhileAnEditorIsOpenKeepItsRow) {
  Feed("AP/10.0.0.2/255.0.0.0/02:00:00:00:00:01/A1/10.0.0.1");
  Feed("AP/10.0.0.3/255.0.0.0/02:00:00:00:00:02/A2/10.0.0.1");
  gxEditCell* editor = grid->OpenTextEditor(1, CVantelView::kIp);
  ASSERT_NE(nullptr, editor);
  QTest::keyClicks(editor, QStringLiteral("10.0.0.7"));
  for (int i = 3; i < 40; ++i) {
    Feed("SB/10.1.0." + std::to_string(i) + "/255.0.0.0/02:00:00:00:01:" + std::to_string(10 + i) + "/S/10.0.0.1");
  }
  EXPECT_EQ(39, grid->GetItemCount());
  grid->setFocus();  // ends the editor with its text
  QCoreApplication::processEvents();
  const CAPinfo* edited = view->socket()->apList.FindByMac("02:00:00:00:00:02");
  EXPECT_EQ("10.0.0.7", edited->ip);
  EXPECT_EQ(1, edited->modified);
  EXPECT_EQ(QStringLiteral("10.0.0.7"), Cell(1, CVantelView::kIp));
  EXPECT_EQ("10.0.0.2", view->socket()->apList.FindByMac("02:00:00:00:00:01")->ip);

  // A Refresh with an editor open ends it first.
  editor = grid->OpenTextEditor(0, CVantelView::kDevName);
  ASSERT_NE(nullptr, editor);
  frame->refreshAction()->trigger();
  EXPECT_EQ(0, grid->GetItemCount());
  QCoreApplication::processEvents();
}

TEST_F(TervaneWindow, StatusBarTipsAndPrompts) {
  CStatusBarTT* bar = frame->statusBarTT();
  EXPECT_EQ(QStringLiteral("APs discovered"), bar->PaneTip(CMainFrame::kApPane));
  EXPECT_EQ(QStringLiteral("Ethernet Clients discovered"), bar->PaneTip(CMainFrame::kClientPane));
  EXPECT_EQ(QString(), bar->PaneTip(0));
  const int fourDigits = bar->Pane(CMainFrame::kApPane)->fontMetrics().horizontalAdvance(QStringLiteral("9999"));
  EXPECT_GE(bar->Pane(CMainFrame::kApPane)->minimumWidth(), fourDigits);

  QStatusTipEvent tip(frame->refreshAction()->statusTip());
  QCoreApplication::sendEvent(frame.get(), &tip);
  EXPECT_EQ(QStringLiteral("Search for wireless Access Point/Bridge"), bar->Message());
  QStatusTipEvent none{QString()};
  QCoreApplication::sendEvent(frame.get(), &none);
  EXPECT_EQ(QStringLiteral("Ready"), bar->Message());

  // Pane texts follow the counts, beyond four digits too.
  for (int i = 0; i < 3; ++i) Feed("AP/1/2/m" + std::to_string(i) + "/4/5");
  EXPECT_EQ(QStringLiteral("3"), bar->PaneText(CMainFrame::kApPane));
}

TEST_F(TervaneWindow, MenusToolbarAndShortcuts) {
  QStringList menus;
  for (QAction* a : frame->menuBar()->actions()) menus << a->text();
  EXPECT_EQ((QStringList{"&File", "&View", "Tools", "&Help"}), menus);
  QMenu* viewMenu = frame->menuBar()->actions()[1]->menu();
  QStringList entries;
  for (QAction* a : viewMenu->actions()) entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ((QStringList{"&Refresh", "&Update", "Select &All", "-", "&Status Bar", "&Toolbar"}), entries);
  EXPECT_EQ(QKeySequence(QStringLiteral("Ctrl+R")), frame->refreshAction()->shortcut());
  EXPECT_EQ(QKeySequence(QStringLiteral("Ctrl+U")), frame->updateAction()->shortcut());
  EXPECT_EQ(QKeySequence(QStringLiteral("Ctrl+A")), frame->selectAllAction()->shortcut());
  EXPECT_EQ(QStringLiteral("Find"), frame->refreshAction()->toolTip());
  EXPECT_EQ(QStringLiteral("Update"), frame->updateAction()->toolTip());
  EXPECT_EQ(QStringLiteral("Update selected wireless Access Point/Bridge"), frame->updateAction()->statusTip());
  EXPECT_EQ(QStringLiteral("Select all entries"), frame->selectAllAction()->statusTip());
  ASSERT_EQ(4, frame->toolBar()->actions().size());
  EXPECT_TRUE(frame->toolBar()->actions()[2]->isSeparator());

  // Ctrl+A in the window selects every row; a typed Ctrl+A in a text box does not.
  Feed("AP/1/2/m1/4/5");
  Feed("AP/1/2/m2/4/5");
  frame->activateWindow();
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(grid->GetItemSelected(0) && grid->GetItemSelected(1));
  grid->SetItemSelected(0, false);
  grid->SetItemSelected(1, false);
  gxEditCell* editor = grid->OpenTextEditor(0, CVantelView::kDevName);
  ASSERT_NE(nullptr, editor);
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  EXPECT_FALSE(grid->GetItemSelected(1));
  grid->setFocus();
}

TEST_F(TervaneWindow, TrayIconMenuAndDoubleClick) {
  CSystemTray::SetAvailabilityForTesting(1);
  MakeFrame();
  CSystemTray& tray = frame->tray();
  ASSERT_TRUE(tray.IsEnabled());
  EXPECT_EQ(QStringLiteral("Tervane - right click for menu!"), tray.Icon()->toolTip());
  ASSERT_EQ(2, frame->trayMenu()->actions().size());
  QAction* refresh = frame->trayMenu()->actions()[0];
  EXPECT_EQ(QStringLiteral("Refresh"), refresh->text());
  EXPECT_EQ(QStringLiteral("Exit"), frame->trayMenu()->actions()[1]->text());
  EXPECT_TRUE(refresh->font().bold());
  EXPECT_FALSE(frame->trayMenu()->actions()[1]->font().bold());
  EXPECT_EQ(refresh, tray.DefaultAction());
  EXPECT_TRUE(tray.SetDefaultItem(0)) << "the values already stored";

  Feed("AP/1/2/m1/4/5");
  frame->showMinimized();
  tray.HandleNotify(QSystemTrayIcon::Trigger);  // a single click does nothing
  EXPECT_EQ(1, grid->GetItemCount());
  tray.HandleNotify(QSystemTrayIcon::DoubleClick);  // the default entry: Refresh
  EXPECT_EQ(0, grid->GetItemCount());
  EXPECT_FALSE(frame->isMinimized());
}

TEST_F(TervaneWindow, StartsWithoutATrayWhereTheDesktopHasNone) {
  EXPECT_FALSE(frame->tray().IsEnabled());
  EXPECT_TRUE(frame->isVisible());
}

TEST_F(TervaneWindow, AboutBox) {
  CAboutDlg about(frame.get());
  EXPECT_EQ(QStringLiteral("About Tervane"), about.windowTitle());
  bool foundText = false;
  for (QLabel* l : about.findChildren<QLabel*>()) foundText |= l->text() == QStringLiteral("Tervane Version 1.1");
  EXPECT_TRUE(foundText);
  auto buttons = about.findChildren<QPushButton*>();
  ASSERT_EQ(1, buttons.size());
  EXPECT_EQ(QStringLiteral("OK"), buttons[0]->text());
  EXPECT_TRUE(buttons[0]->isDefault());
}
