#include "CPingWorker.h"

namespace tervane {

CPingWorker::CPingWorker() : m_thread([this] { ThreadProc(); }) {}

CPingWorker::~CPingWorker() {
  {
    std::lock_guard lock(m_mutex);
    m_bStop = true;
  }
  m_signal.notify_all();
  m_thread.join();
}

void CPingWorker::Start(std::uint32_t count, std::string host, PingLineSink* sink) {
  {
    std::lock_guard lock(m_mutex);
    m_nCount = count;
    m_host = std::move(host);
    m_pSink = sink;
    m_bGo = true;
  }
  m_signal.notify_all();
}

void CPingWorker::ThreadProc() {
  for (;;) {
    std::uint32_t count;
    std::string host;
    PingLineSink* sink;
    {
      std::unique_lock lock(m_mutex);
      m_signal.wait(lock, [this] { return m_bStop || m_bGo; });
      // Stop is looked at first, as when both were set at once.
      if (m_bStop) return;
      m_bGo = false;
      count = m_nCount;
      host = m_host;
      sink = m_pSink;
    }
    m_engine.Ping(count, host, sink);
  }
}

}  // namespace tervane
