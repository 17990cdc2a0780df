// Fills the grid the way the AP list view does when many devices answer,
// sorts it by IP and repaints it, printing the time of each step.
#include <QApplication>
#include <QPixmap>
#include <chrono>
#include <cstdio>
#include <vector>

#include "APList.h"
#include "CAPinfo.h"
#include "gxListCtrl.h"

using namespace tervane;

namespace {

double Millis(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

void AddColumns(gxListCtrl& grid) {
  const char* headers[] = {"Type", "MAC", "IP", "Mask", "Gateway",
                           "Dev Name", "SSID", "Ch", "DHCP", "Reboot"};
  const int widths[] = {40, 100, 100, 100, 100, 70, 50, 40, 45, 55};
  for (int c = 0; c < 10; ++c) grid.InsertColumn(c, QString::fromLatin1(headers[c]), widths[c]);
}

void Run(int rows) {
  APList list;
  for (int i = 0; i < rows; ++i) {
    CAPinfo record;
    char text[64];
    std::snprintf(text, sizeof text, "00:40:96:%02X:%02X:%02X", (i >> 16) & 0xFF,
                  (i >> 8) & 0xFF, i & 0xFF);
    record.SetMac(text);
    // Reverse order of the IP texts, so the sort has work to do.
    const int n = rows - i;
    std::snprintf(text, sizeof text, "10.%d.%d.%d", (n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF);
    record.SetIp(text);
    record.SetMask("255.255.0.0");
    record.SetGateway("10.0.0.1");
    record.SetDevName("Bridge");
    record.SetSsid("office");
    record.SetChannel(std::to_string(i % 12));
    record.SetDhcp(i % 2 ? "1" : "0");
    record.SetType("ASR"[i % 3]);
    list.AddTail(record);
  }

  gxListCtrl grid;
  grid.SetAPList(&list);
  AddColumns(grid);
  grid.resize(800, 600);
  grid.show();
  QApplication::processEvents();

  auto start = std::chrono::steady_clock::now();
  int row = 0;
  for (CAPinfo& record : list) {
    grid.InsertItem(row, record.type == 'A' ? 0 : 1, &record);
    grid.SetItemText(row, 1, record.mac);
    grid.SetItemText(row, 2, record.ip);
    grid.SetItemText(row, 3, record.mask);
    grid.SetItemText(row, 4, record.gateway);
    grid.SetItemText(row, 5, record.devName);
    grid.SetItemText(row, 7, record.channel == "0" ? std::string("Auto") : record.channel);
    grid.SetItemText(row, 6, record.ssid);
    ++row;
  }
  QApplication::processEvents();
  const double insertMs = Millis(start);

  start = std::chrono::steady_clock::now();
  grid.OnColumnClick(2);
  QApplication::processEvents();
  const double sortMs = Millis(start);

  start = std::chrono::steady_clock::now();
  const QPixmap shot = grid.grab();
  const double paintMs = Millis(start);

  std::printf("grid %6d rows: insert %8.1f ms (%.2f us/row), sort by IP %7.1f ms, repaint %6.1f ms"
              " (%dx%d), total %8.1f ms\n",
              rows, insertMs, insertMs * 1000.0 / rows, sortMs, paintMs, shot.width(),
              shot.height(), insertMs + sortMs + paintMs);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (int rows : {2500, 5000, 10000}) Run(rows);
  return 0;
}
