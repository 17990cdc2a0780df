#include "GridFixture.h"

#include <QApplication>
#include <QTest>

#include "gxEditCell.h"

namespace tervane::test {

namespace {
struct Device {
  char type;
  const char* mac;
  const char* ip;
  const char* devName;
  const char* ssid;
  const char* channel;
  const char* dhcp;
  bool reboot;
};
// IPs chosen so that text order differs from numeric order.
const Device kDevices[] = {
    {'A', "00:40:96:00:00:01", "10.0.0.9", "Roof", "office", "6", "1", true},
    {'S', "00:40:96:00:00:02", "10.0.0.10", "Hall", "office", "6", "0", false},
    {'R', "00:40:96:00:00:03", "10.0.0.2", "Yard", "lab", "0", "", true},
    {'S', "00:40:96:00:00:04", "10.0.0.200", "Gate", "lab", "11", "1", false},
};
}  // namespace

void GridFixture::SetUp() {
  previousHandler_ =
      SetMessageBoxHandler([this](QWidget*, const QString& text) { messages << text; });
  window = std::make_unique<QWidget>();
  window->resize(820, 240);
  auto addShortcut = [this](const char* keys, int* counter) {
    auto* action = new QAction(window.get());
    action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, [counter] { ++*counter; });
    window->addAction(action);
  };
  addShortcut("Ctrl+A", &selectAllShortcut);
  addShortcut("Ctrl+R", &refreshShortcut);
  addShortcut("Ctrl+U", &updateShortcut);

  grid = new gxListCtrl(window.get());
  grid->SetAPList(&list);
  grid->SetEditLabels(true);
  const char* headers[] = {"Type", "MAC", "IP", "Mask", "Gateway",
                           "Dev Name", "SSID", "Ch", "DHCP", "Reboot"};
  const int widths[] = {40, 100, 100, 100, 100, 70, 50, 40, 45, 55};
  for (int c = 0; c < 10; ++c) grid->InsertColumn(c, QString::fromLatin1(headers[c]), widths[c]);
  grid->FitToClient(window->width(), window->height());

  for (const Device& d : kDevices) {
    CAPinfo record;
    record.SetType(d.type);
    record.SetMac(d.mac);
    record.SetIp(d.ip);
    record.SetMask("255.255.255.0");
    record.SetGateway("10.0.0.1");
    record.SetDevName(d.devName);
    record.SetSsid(d.ssid);
    record.SetChannel(d.channel);
    record.SetDhcp(d.dhcp);
    record.SetReboot(d.reboot);
    CAPinfo* stored = list.AddTail(record);
    const int row = grid->GetItemCount();
    grid->InsertItem(row, d.type == 'A' ? 0 : 1, stored);
    grid->SetItemText(row, 1, stored->mac);
    grid->SetItemText(row, 2, stored->ip);
    grid->SetItemText(row, 3, stored->mask);
    grid->SetItemText(row, 4, stored->gateway);
    grid->SetItemText(row, 5, stored->devName);
    grid->SetItemText(row, 7, std::string(stored->channel == "0" ? "Auto" : stored->channel));
    grid->SetItemText(row, 6, stored->ssid);
  }

  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  grid->setFocus();
  Settle();
}

void GridFixture::TearDown() {
  window.reset();
  Settle();
  SetMessageBoxHandler(previousHandler_);
}

QPoint GridFixture::CellCenter(int row, int column) const {
  return grid->visualRect(grid->Model()->index(row, column)).center();
}

void GridFixture::Click(int row, int column) {
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(row, column));
  Settle();
}

void GridFixture::Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

void GridFixture::TypeInto(int row, int column, const QString& text) {
  gxEditCell* editor = grid->OpenTextEditor(row, column);
  ASSERT_NE(editor, nullptr);
  editor->setText(text);
  grid->setFocus();
  Settle();
}

void GridFixture::AddRow(char type, const std::string& mac) {
  CAPinfo record;
  record.SetType(type);
  record.SetMac(mac);
  record.SetIp("10.1.1.1");
  CAPinfo* stored = list.AddTail(record);
  const int row = grid->GetItemCount();
  grid->InsertItem(row, 1, stored);
  grid->SetItemText(row, 1, stored->mac);
  grid->SetItemText(row, 2, stored->ip);
}

}  // namespace tervane::test
