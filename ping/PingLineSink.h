#pragma once
// Where the ping engine reports a run: one call per result line and one at
// the end of the run. Called on the worker thread; implementations hand the
// values on to their own thread.

#include <string>

namespace tervane {

// The kind of a line is also the index of its image in the dialog's list.
enum PingLineKind : int {
  kPingLineError = 0,      // a failed call, or the host was not found
  kPingLineHeader = 1,     // "Pinging ..." at the start of a run
  kPingLineReply = 2,
  kPingLineTimedOut = 3,
  kPingLineSeparator = 4,  // put between runs by the dialog only
};

class PingLineSink {
 public:
  virtual ~PingLineSink() = default;
  virtual void PostLine(int kind, std::string text) = 0;
  // resolved is 1 when the host was resolved and the requests were run,
  // 0 when the run ended before that.
  virtual void PostDone(int resolved) = 0;
};

}  // namespace tervane
