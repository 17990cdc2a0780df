#pragma once
// The AP list view: fills the main window with the grid, owns the device
// socket, and turns the operator's commands into protocol actions.

#include <QString>
#include <QStringList>
#include <functional>
#include <QWidget>
#include <memory>

#include "CAsyncSocketSch.h"
#include "DeviceOwner.h"

namespace tervane {

class CConfig;
class gxListCtrl;

class CVantelView : public QWidget, public DeviceOwner {
  Q_OBJECT

 public:
  // Grid columns and their initial widths.
  enum Column { kType, kMac, kIp, kMask, kGateway, kDevName, kSsid, kChannel, kDhcp, kReboot, kColumnCount };

  explicit CVantelView(CConfig& config, QWidget* parent = nullptr);
  ~CVantelView() override;

  // The first call builds the grid and the socket and starts discovery; a
  // later one (after New) starts a new discovery cycle.
  void OnInitialUpdate();

  void Refresh();
  void UpdateSelected();
  void SelectAll();
  void PingSelected();

  // The document: the Type, MAC and IP texts of every row.
  bool SaveDocument(const QString& path, QString* error) const;
  bool LoadDocument(const QString& path, QString* error);

  // DeviceOwner
  void ShowNewDevices() override;
  void MarkUpdated(int row) override;
  int GridRowCount() const override;
  bool IsRowSelected(int row) const override;
  CAPinfo* RecordOfRow(int row) const override;
  void ShowMessage(const std::string& text) override;
  std::string KeyText() const override;

  gxListCtrl* grid() const { return grid_; }
  CAsyncSocketSch* socket() const { return socket_.get(); }
  int apCount() const;
  int clientCount() const;
  int rowCount() const { return rowCount_; }

  // The ping tool started for each selected row; by default the one beside
  // Tervane's own executable.
  void SetPingToolPath(const QString& path) { pingTool_ = path; }
  QString PingToolPath() const;
  // How a process is started without waiting for it; tests replace it.
  using ProcessStarter = std::function<bool(const QString& program, const QStringList& arguments)>;
  void SetProcessStarter(ProcessStarter starter) { startProcess_ = std::move(starter); }

 signals:
  void countsChanged(int apCount, int clientCount);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void InsertRow(CAPinfo& record);
  void EmitCounts();

  CConfig& config_;
  gxListCtrl* grid_ = nullptr;
  std::unique_ptr<CAsyncSocketSch> socket_;
  int rowCount_ = 0;
  QString pingTool_;
  ProcessStarter startProcess_;
};

// The one view, for the socket's owner calls and the main frame.
extern CVantelView* theView;

}  // namespace tervane
