// Tervane's window with tervane-sim serving a dozen devices, inside a
// private network namespace: the rows appear, an edit and Update reach the
// simulator, and its acknowledgement changes the row's image.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "BlowfishCipher.h"
#include "CMainFrame.h"
#include "CVantelApp.h"
#include "MessageBox.h"
#include "SpinUntil.h"
#include "SimProcess.h"
#include "TervaneTestDir.h"
#include "gxEditCell.h"
#include "gxListCtrl.h"

using namespace tervane;
using namespace tervane::testing;

namespace {

std::string Segment() {
  std::string text;
  const char types[] = {'A', 'S', 'R', 'I'};
  const char* formats[] = {"base", "-1", "-2"};
  for (int i = 1; i <= 12; ++i) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "type=%c mac=02:00:00:00:10:%02d ip=10.0.1.%d mask=255.255.255.0 gateway=10.0.1.254 name=Dev%02d "
                  "channel=%d dhcp=%d ssid=net%d format=%s%s\n",
                  types[i % 4], i, i, i, i % 12, i % 2, i, formats[i % 3], i == 12 ? " password=other" : "");
    text += line;
  }
  return text;
}

}  // namespace

TEST(TervaneEndToEnd, RowsAppearAndAnEditReachesTheDevice) {
  std::vector<QString> messages;
  MessageBoxHandler previous = SetMessageBoxHandler([&](QWidget*, const QString& t) { messages.push_back(t); });
  CSystemTray::SetAvailabilityForTesting(0);
  CConfig& config = CVantelApp::instance()->m_config;
  config.password = "kerbo";
  config.keyText = BuildKeyText("kerbo");

  SimProcess sim({"--devices", SimProcess::WriteScratch(TestDirectory(), "segment.txt", Segment()), "--seconds", "60"});
  ASSERT_TRUE(sim.started());
  auto frame = std::make_unique<CMainFrame>(config);
  ASSERT_TRUE(frame->OnCreate());
  frame->show();
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  gxListCtrl* grid = frame->view()->grid();

  ASSERT_TRUE(SpinUntil([&] { return grid->GetItemCount() == 11; }, 8000)) << grid->GetItemCount() << " rows";
  EXPECT_EQ(QStringLiteral("2"), frame->statusBarTT()->PaneText(CMainFrame::kApPane));
  EXPECT_EQ(QStringLiteral("6"), frame->statusBarTT()->PaneText(CMainFrame::kClientPane));

  int row = -1;
  for (int r = 0; r < grid->GetItemCount(); ++r) {
    if (grid->GetItemText(r, 1) == QStringLiteral("02:00:00:00:10:05")) row = r;
  }
  ASSERT_GE(row, 0);
  gxEditCell* editor = grid->OpenTextEditor(row, 5);  // Dev Name
  ASSERT_NE(nullptr, editor);
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("Renamed"));
  grid->setFocus();
  QCoreApplication::processEvents();
  ASSERT_EQ(QStringLiteral("Renamed"), grid->GetItemText(row, 5));
  grid->SetItemSelected(row, true);
  frame->updateAction()->trigger();
  EXPECT_TRUE(messages.empty()) << messages.front().toStdString();

  const int before = grid->GetItemImage(row);
  ASSERT_TRUE(SpinUntil([&] { return grid->GetItemImage(row) != before; }, 8000));
  EXPECT_EQ(before + 2, grid->GetItemImage(row));
  EXPECT_FALSE(grid->GetItemSelected(row));
  EXPECT_EQ(1, sim.CountLog("settings 02:00:00:00:10:05 ip=10.0.1.5 mask=255.255.255.0 gateway=10.0.1.254 name=Renamed"));

  // The next discovery shows the device's new name.
  frame->refreshAction()->trigger();
  ASSERT_TRUE(SpinUntil([&] { return grid->GetItemCount() == 11; }, 8000));
  bool renamed = false;
  for (int r = 0; r < grid->GetItemCount(); ++r) renamed |= grid->GetItemText(r, 5) == QStringLiteral("Renamed");
  EXPECT_TRUE(renamed);

  frame.reset();
  SetMessageBoxHandler(previous);
  CSystemTray::SetAvailabilityForTesting(-1);
}
