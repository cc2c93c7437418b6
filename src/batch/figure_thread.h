// SPDX-License-Identifier: MIT
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>

namespace kvt {

// Qt objects belong to the thread that made them, and the QApplication the figure module makes
// on its first figure must outlive every later one. kvt-batch runs analyses on threads that come
// and go (and draws a study's figures on the main thread), so every figure is drawn on one thread
// of its own, started with the first figure and kept, like the module, for the life of the
// process.
class FigureThread {
 public:
  static FigureThread& instance();

  // Runs `job` on the figure thread and waits for it; its exception is rethrown here. One job
  // at a time: Qt draws in one thread at a time.
  void run(const std::function<void()>& job);

 private:
  FigureThread();
  [[noreturn]] void loop();

  std::mutex callerMutex_;  // one figure at a time
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  const std::function<void()>* job_ = nullptr;
  std::exception_ptr failure_;
};

}  // namespace kvt
