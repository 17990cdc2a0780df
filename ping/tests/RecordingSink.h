#pragma once
// A line sink that keeps everything a run reports, in order, and lets the
// test wait for the end of a run.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "PingLineSink.h"

namespace tervane::test {

struct SinkEvent {
  int kind;          // a line kind, or kDone
  std::string text;  // the line, or "0"/"1" for the end of the run
  static constexpr int kDone = -1;
  bool operator==(const SinkEvent&) const = default;
};

class RecordingSink : public PingLineSink {
 public:
  void PostLine(int kind, std::string text) override {
    std::lock_guard lock(m_mutex);
    m_events.push_back({kind, std::move(text)});
    m_changed.notify_all();
  }
  void PostDone(int resolved) override {
    std::lock_guard lock(m_mutex);
    m_events.push_back({SinkEvent::kDone, std::to_string(resolved)});
    ++m_runsDone;
    m_changed.notify_all();
  }

  // Waits (with a generous safety limit against a hang) until `runs` runs
  // have ended, or until `events` events were reported.
  bool WaitRuns(int runs) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(60), [&] { return m_runsDone >= runs; });
  }
  bool WaitEvents(std::size_t events) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(60),
                              [&] { return m_events.size() >= events; });
  }
  std::vector<SinkEvent> events() const {
    std::lock_guard lock(m_mutex);
    return m_events;
  }

 private:
  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<SinkEvent> m_events;
  int m_runsDone = 0;
};

}  // namespace tervane::test
