#pragma once
// Runs a function on a thread with a small stack, so that work which recursed once per level
// of a deeply nested text would overflow it.

#include <pthread.h>

#include <cstdlib>
#include <functional>

namespace tervane::testkit {

inline void RunOnSmallStack(const std::function<void()>& work, std::size_t stackBytes = 128 * 1024) {
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0 || pthread_attr_setstacksize(&attr, stackBytes) != 0) {
    std::abort();
  }
  pthread_t thread;
  auto trampoline = [](void* arg) -> void* {
    (*static_cast<const std::function<void()>*>(arg))();
    return nullptr;
  };
  if (pthread_create(&thread, &attr, trampoline, const_cast<std::function<void()>*>(&work)) != 0) {
    std::abort();
  }
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
}

// "<a>" depth times, the leaf "<v>1</v>", then "</a>" depth times.
inline std::string NestedText(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<a>";
  text += "<v>1</v>";
  for (int i = 0; i < depth; ++i) text += "</a>";
  return text;
}

}  // namespace tervane::testkit
