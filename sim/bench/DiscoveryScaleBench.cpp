// Discovery of 10,000 simulated devices answering one probe as a burst, and
// a push to 1,000 of them, over UDP inside a private network namespace.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <vector>

#include "BlowfishCipher.h"
#include "CAsyncSocketSch.h"
#include "SimProcess.h"

using namespace tervane;

namespace {

// Inserts rows the way the view does, looking only at the record just merged.
class BenchOwner : public DeviceOwner {
 public:
  void ShowNewDevices() override {
    CAPinfo* r = protocol->lastMerged();
    if (r && r->seen && !r->shown) {
      r->row = static_cast<int>(rows.size());
      r->shown = 1;
      rows.push_back(r);
      lastMergeNs = clock.nsecsElapsed();
    }
  }
  void MarkUpdated(int) override {
    ++acks;
    lastAckNs = clock.nsecsElapsed();
  }
  int GridRowCount() const override { return static_cast<int>(rows.size()); }
  bool IsRowSelected(int row) const override { return row < selectedRows; }
  CAPinfo* RecordOfRow(int row) const override { return rows[static_cast<std::size_t>(row)]; }
  void ShowMessage(const std::string& text) override { std::printf("message: %s\n", text.c_str()); }
  std::string KeyText() const override { return BuildKeyText("kerbo"); }

  DeviceProtocol* protocol = nullptr;
  std::vector<CAPinfo*> rows;
  int selectedRows = 0;
  int acks = 0;
  QElapsedTimer clock;
  qint64 lastMergeNs = 0, lastAckNs = 0;
};

void Spin(QElapsedTimer& idle, int quietMs, int limitMs, const std::function<bool()>& done) {
  QElapsedTimer total;
  total.start();
  idle.start();
  while (!done() && total.elapsed() < limitMs && idle.elapsed() < quietMs)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// One discovery with the given receive buffer (0: the size Open chooses).
void Discover(int devices, int receiveBuffer) {
  testing::SimProcess sim({"--count", std::to_string(devices), "--seed", "11", "--seconds", "120"});
  if (!sim.started()) {
    std::printf("tervane-sim did not start\n");
    return;
  }
  BenchOwner owner;
  CAsyncSocketSch socket(&owner);
  owner.protocol = &socket;
  if (!socket.Open()) {
    std::printf("socket could not be opened\n");
    return;
  }
  if (receiveBuffer > 0) socket.socket().SetReceiveBuffer(receiveBuffer);
  const int granted = socket.socket().ReceiveBufferSize();

  owner.clock.start();
  socket.SendProbe();
  QElapsedTimer idle;
  std::size_t seen = 0;
  Spin(idle, 2000, 60000, [&] {
    if (owner.rows.size() != seen) {
      seen = owner.rows.size();
      idle.restart();
    }
    return owner.rows.size() == static_cast<std::size_t>(devices);
  });
  std::printf("discovery: %zu of %d devices found, receive buffer %d bytes, probe to last record merged %.1f ms\n",
              owner.rows.size(), devices, granted, owner.lastMergeNs / 1e6);

  if (receiveBuffer > 0 || owner.rows.size() < 1000) return;
  // Push edited settings to 1,000 selected devices.
  owner.selectedRows = 1000;
  for (int i = 0; i < owner.selectedRows; ++i) owner.rows[static_cast<std::size_t>(i)]->modified = 1;
  owner.clock.restart();
  socket.UpdateSelected();
  int acks = -1;
  Spin(idle, 2000, 60000, [&] {
    if (owner.acks != acks) {
      acks = owner.acks;
      idle.restart();
    }
    return owner.acks == owner.selectedRows;
  });
  std::printf("update: %d of %d acknowledged, request to last ack %.1f ms\n", owner.acks, owner.selectedRows,
              owner.lastAckNs / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  QCoreApplication app(argc, argv);
  Discover(10000, 0);
  // For comparison: the common default receive buffer loses most of the burst.
  Discover(10000, 212992);
  return 0;
}
