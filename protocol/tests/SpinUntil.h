#pragma once
// Runs the Qt event loop until a condition holds or the time is up, for
// tests whose sockets are driven by that loop.

#include <QCoreApplication>
#include <QElapsedTimer>

namespace tervane::testing {

template <typename Pred>
bool SpinUntil(Pred done, int timeoutMs = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

}  // namespace tervane::testing
