#pragma once
// The thread on which ping runs are made. It waits for a stop request or a
// run handed over by Start; a stop is seen only between runs, so destroying
// the worker during a run waits until that run has ended.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "CPingEngine.h"

namespace tervane {

class PingLineSink;

class CPingWorker {
 public:
  CPingWorker();
  ~CPingWorker();
  CPingWorker(const CPingWorker&) = delete;
  CPingWorker& operator=(const CPingWorker&) = delete;

  // Hands over one run. Only called while no run is in progress.
  void Start(std::uint32_t count, std::string host, PingLineSink* sink);

  CPingEngine& engine() { return m_engine; }

 private:
  void ThreadProc();

  // The two events share one lock: stop stays set once set (manual reset),
  // go is cleared by the wait that takes it (auto reset).
  std::mutex m_mutex;
  std::condition_variable m_signal;
  bool m_bStop = false;
  bool m_bGo = false;

  CPingEngine m_engine;
  std::string m_host;
  PingLineSink* m_pSink = nullptr;
  std::uint32_t m_nCount = 0;
  std::thread m_thread;
};

}  // namespace tervane
