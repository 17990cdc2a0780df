#pragma once
// The Tolvex dialog: pick or type a host, choose how many requests, press
// Ping, and read one line per reply, time-out or error.

#include <QBasicTimer>
#include <QDialog>
#include <QIcon>
#include <QPoint>
#include <QRect>
#include <QString>
#include <mutex>
#include <string>
#include <vector>

#include "CPingWorker.h"
#include "PingLineSink.h"

class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace tervane {

class CHostCombo;

class CTolvexDlg : public QDialog, private PingLineSink {
  Q_OBJECT

 public:
  // `commandLine` goes to the top of the host list and is pinged at once.
  explicit CTolvexDlg(const QString& commandLine, QWidget* parent = nullptr);
  // Waits for a run in progress to end; what it still reports is dropped.
  ~CTolvexDlg() override;

  CHostCombo* hostCombo() const { return m_pHostCombo; }
  QSpinBox* retries() const { return m_pRetries; }
  QTreeWidget* resultList() const { return m_pResultList; }
  QPushButton* pingButton() const { return m_pPingButton; }
  QPushButton* closeButton() const { return m_pCloseButton; }
  bool isBusy() const { return m_bBusy; }
  CPingWorker& worker() { return m_worker; }

  // Starts a run with the host shown and the count chosen.
  void OnPing();
  // Close, Escape and the close box: writes the host history, then closes.
  void reject() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void BuildControls();
  void OnInitDialog(const QString& commandLine);
  void OnPingLine(int kind, const QString& text);
  void OnPingDone(int resolved);

  // Called on the worker's thread: each call is handed to this dialog's
  // thread as a queued call, and dropped once the dialog is going away.
  void PostLine(int kind, std::string text) override;
  void PostDone(int resolved) override;

  // Declared before the worker so that it outlives the worker's thread.
  std::mutex m_sinkMutex;
  bool m_bSinkOpen = true;

  CPingWorker m_worker;
  CHostCombo* m_pHostCombo = nullptr;
  QSpinBox* m_pRetries = nullptr;
  QTreeWidget* m_pResultList = nullptr;
  QPushButton* m_pPingButton = nullptr;
  QPushButton* m_pCloseButton = nullptr;
  std::vector<QIcon> m_imageList;
  QIcon m_hIcon;

  // The busy indicator: a red square running to and fro along a line.
  QPoint m_ptLineEnd;
  QPoint m_ptLineStart;
  QRect m_rcBand;
  bool m_bBusy = false;
  int m_nMarkerX = 0;
  int m_nMarkerStep = 0;
  QBasicTimer m_busyTimer;
};

}  // namespace tervane
