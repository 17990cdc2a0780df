#include "CVantelView.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QResizeEvent>
#include <QSaveFile>
#include <cstdlib>
#include <cstring>

#include "CConfig.h"
#include "DocumentFile.h"
#include "Latin1.h"
#include "MessageBox.h"
#include "gxListCtrl.h"

namespace tervane {

CVantelView* theView = nullptr;

namespace {

struct ColumnSpec {
  const char* header;
  int width;
};
constexpr ColumnSpec kColumns[CVantelView::kColumnCount] = {
    {"Type", 40}, {"MAC", 100}, {"IP", 100}, {"Mask", 100}, {"Gateway", 100},
    {"Dev Name", 70}, {"SSID", 50}, {"Ch", 40}, {"DHCP", 45}, {"Reboot", 55},
};

// Images of the grid rows, by device type.
constexpr int kAccessPointImage = 0;
constexpr int kClientImage = 1;
constexpr int kUpdatedOffset = 2;

// A document larger than this is not one Tervane wrote.
constexpr qint64 kMaxDocumentBytes = 256LL * 1024 * 1024;

bool IsClientType(int type) { return type == 'R' || type == 'S'; }

}  // namespace

CVantelView::CVantelView(CConfig& config, QWidget* parent)
    : QWidget(parent), config_(config), startProcess_([](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
      }) {
  theView = this;
}

CVantelView::~CVantelView() {
  // The grid's rows point into the socket's list: the grid goes first.
  delete grid_;
  grid_ = nullptr;
  if (theView == this) theView = nullptr;
}

void CVantelView::OnInitialUpdate() {
  if (grid_ != nullptr) {
    // New document: the grid and the socket exist; start over with a fresh cycle.
    Refresh();
    return;
  }
  grid_ = new gxListCtrl(this);
  grid_->setObjectName(QStringLiteral("grid"));
  grid_->SetEditLabels(true);
  for (int c = 0; c < kColumnCount; ++c) grid_->InsertColumn(c, QString::fromLatin1(kColumns[c].header), kColumns[c].width);
  grid_->FitToClient(width(), height());
  grid_->show();
  grid_->setFocus();
  connect(grid_, &gxListCtrl::PingRequested, this, &CVantelView::PingSelected);
  connect(grid_, &gxListCtrl::SelectAllRequested, this, &CVantelView::SelectAll);

  socket_ = std::make_unique<CAsyncSocketSch>(this);
  grid_->SetAPList(&socket_->apList);
  if (!socket_->Open()) {
    ShowMessageBox(this, QStringLiteral("The device socket could not be opened: %1")
                             .arg(QString::fromLocal8Bit(std::strerror(socket_->socket().lastError()))));
  }
  Refresh();
}

void CVantelView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (grid_) grid_->FitToClient(event->size().width(), event->size().height());
}

void CVantelView::Refresh() {
  if (!grid_) return;
  grid_->setFocus();  // ends an open editor before its row goes away
  grid_->DeleteAllItems();
  socket_->ClearRoundFlags();
  rowCount_ = 0;
  grid_->apCount = 0;
  grid_->clientCount = 0;
  EmitCounts();
  socket_->SendProbe();
}

void CVantelView::UpdateSelected() {
  if (socket_) socket_->UpdateSelected();
}

void CVantelView::ShowNewDevices() {
  if (!socket_) return;
  // Only the record a reply was just merged into can have become seen
  // without a row: every earlier one got its row when its reply came.
  CAPinfo* record = socket_->lastMerged();
  if (record && record->seen && !record->shown) InsertRow(*record);
}

void CVantelView::InsertRow(CAPinfo& record) {
  record.row = rowCount_;
  int image = kAccessPointImage;
  if (record.type == 'A') {
    ++grid_->apCount;
  } else if (IsClientType(record.type)) {
    image = kClientImage;
    ++grid_->clientCount;
  }
  ++rowCount_;
  // After a document was opened the grid may hold fewer rows than this cycle
  // has inserted; the new row then goes at the end.
  const int index = std::min(record.row, grid_->GetItemCount());
  grid_->InsertItem(index, image, &record);
  grid_->SetItemText(index, kMac, record.mac);
  grid_->SetItemText(index, kIp, record.ip);
  grid_->SetItemText(index, kMask, record.mask);
  grid_->SetItemText(index, kGateway, record.gateway);
  grid_->SetItemText(index, kDevName, record.devName);
  const bool automatic = std::atoi(record.channel.c_str()) == 0;
  grid_->SetItemText(index, kChannel, automatic ? std::string("Auto") : record.channel);
  grid_->SetItemText(index, kSsid, record.ssid);
  record.shown = 1;
  EmitCounts();
}

void CVantelView::MarkUpdated(int row) {
  if (!grid_) return;
  // The acknowledged record is the one inserted at `row` in this cycle; a
  // sort may have moved it, so find the grid row that shows it now.
  auto shows = [&](int g) {
    const CAPinfo* r = grid_->GetItemData(g);
    return r != nullptr && r->row == row && r->updated;
  };
  int target = -1;
  if (row >= 0 && row < grid_->GetItemCount() && shows(row)) {
    target = row;
  } else {
    for (int g = 0; g < grid_->GetItemCount() && target < 0; ++g) {
      if (shows(g)) target = g;
    }
  }
  if (target < 0) return;
  grid_->SetItemSelected(target, false);
  const CAPinfo* record = grid_->GetItemData(target);
  if (record->type == 'A') {
    grid_->SetItemImage(target, kAccessPointImage + kUpdatedOffset);
  } else if (IsClientType(record->type)) {
    grid_->SetItemImage(target, kClientImage + kUpdatedOffset);
  }
}

int CVantelView::GridRowCount() const { return grid_ ? grid_->GetItemCount() : 0; }

bool CVantelView::IsRowSelected(int row) const { return grid_ && grid_->GetItemSelected(row); }

CAPinfo* CVantelView::RecordOfRow(int row) const { return grid_ ? grid_->GetItemData(row) : nullptr; }

void CVantelView::ShowMessage(const std::string& text) { ShowMessageBox(this, FromLatin1(text)); }

std::string CVantelView::KeyText() const { return config_.keyText; }

int CVantelView::apCount() const { return grid_ ? grid_->apCount : 0; }

int CVantelView::clientCount() const { return grid_ ? grid_->clientCount : 0; }

void CVantelView::EmitCounts() { emit countsChanged(apCount(), clientCount()); }

void CVantelView::SelectAll() {
  if (!grid_) return;
  grid_->setFocus();
  grid_->SelectAll();
}

QString CVantelView::PingToolPath() const {
  if (!pingTool_.isEmpty()) return pingTool_;
#ifdef Q_OS_WIN
  const QString name = QStringLiteral("Tolvex.exe");
#else
  const QString name = QStringLiteral("tolvex");
#endif
  // Beside Tervane's own executable, never from the working directory.
  return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

void CVantelView::PingSelected() {
  if (!grid_) return;
  const QString tool = PingToolPath();
  bool failed = false;
  for (int row = grid_->GetNextSelectedItem(-1); row >= 0; row = grid_->GetNextSelectedItem(row)) {
    // An argument list, never a shell: the address text came from the network.
    if (!startProcess_(tool, {grid_->GetItemText(row, kIp)})) failed = true;
  }
  if (failed) ShowMessageBox(this, QStringLiteral("The ping tool %1 could not be started.").arg(tool));
}

bool CVantelView::SaveDocument(const QString& path, QString* error) const {
  std::vector<DocumentRow> rows;
  const int count = grid_ ? grid_->GetItemCount() : 0;
  rows.reserve(static_cast<std::size_t>(count));
  for (int r = 0; r < count; ++r) {
    rows.push_back({ToLatin1(grid_->GetItemText(r, kType)), ToLatin1(grid_->GetItemText(r, kMac)),
                    ToLatin1(grid_->GetItemText(r, kIp))});
  }
  const std::string bytes = WriteDocument(rows);
  // Written beside the target and renamed over it, so a failure never leaves
  // half a document behind.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
      !file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

bool CVantelView::LoadDocument(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  if (file.size() > kMaxDocumentBytes) {
    if (error) *error = QStringLiteral("the file is too large to be a Tervane document");
    return false;
  }
  const QByteArray bytes = file.readAll();
  std::string why;
  auto rows = ReadDocument(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), why);
  if (!rows) {
    if (error) *error = QString::fromStdString(why);
    return false;
  }
  if (!grid_) return true;
  grid_->setFocus();
  grid_->DeleteAllItems();
  for (std::size_t i = 0; i < rows->size(); ++i) {
    const int r = static_cast<int>(i);
    const DocumentRow& row = (*rows)[i];
    grid_->InsertItem(r, FromLatin1(row[0]));
    grid_->SetItemText(r, kMac, row[1]);
    grid_->SetItemText(r, kIp, row[2]);
  }
  return true;
}

}  // namespace tervane
