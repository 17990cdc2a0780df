// tervane-snapshot: starts Tervane as its executable does, waits until the
// devices of the segment have appeared, saves a picture of the main window
// and prints the rows found. For the demo on machines without a display.
//
//   tervane-snapshot PNG [DEVICES [SECONDS]]
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <cstdio>

#include "CMainFrame.h"
#include "CVantelApp.h"
#include "gxListCtrl.h"

using namespace tervane;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tervane-snapshot PNG [DEVICES [SECONDS]]\n");
    return 2;
  }
  const QString png = QString::fromLocal8Bit(argv[1]);
  const int expected = argc > 2 ? std::atoi(argv[2]) : 1;
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 10;
  int qtArgc = 1;
  CVantelApp app(qtArgc, argv);
  if (!app.InitInstance()) return 1;
  CMainFrame* frame = app.mainFrame();
  gxListCtrl* grid = frame->view()->grid();

  QElapsedTimer clock;
  clock.start();
  QTimer poll;
  int rows = -1;
  qint64 lastChange = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (grid->GetItemCount() != rows) {
      rows = grid->GetItemCount();
      lastChange = clock.elapsed();
    }
    const bool settled = rows >= expected && clock.elapsed() - lastChange > 300;
    if (settled || clock.elapsed() > seconds * 1000) app.quit();
  });
  poll.start(50);
  app.exec();

  const bool saved = frame->grab().toImage().save(png);
  std::printf("%d device rows found (%d access points, %d Ethernet clients):\n", grid->GetItemCount(),
              frame->view()->apCount(), frame->view()->clientCount());
  for (int r = 0; r < grid->GetItemCount(); ++r) {
    std::printf("  %-18s %-12s %-14s %-10s %-9s %-14s %s\n", qPrintable(grid->GetItemText(r, CVantelView::kMac)),
                qPrintable(grid->GetItemText(r, CVantelView::kIp)), qPrintable(grid->GetItemText(r, CVantelView::kMask)),
                qPrintable(grid->GetItemText(r, CVantelView::kDevName)),
                qPrintable(grid->GetItemText(r, CVantelView::kChannel)),
                qPrintable(grid->GetItemText(r, CVantelView::kSsid)), qPrintable(grid->GetItemText(r, CVantelView::kGateway)));
  }
  if (!saved) {
    std::fprintf(stderr, "tervane-snapshot: could not write %s\n", argv[1]);
    return 1;
  }
  std::printf("screenshot: %s\n", argv[1]);
  return grid->GetItemCount() >= expected ? 0 : 1;
}
