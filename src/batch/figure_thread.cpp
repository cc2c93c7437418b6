// SPDX-License-Identifier: MIT
#include "figure_thread.h"

#include <thread>

namespace kvt {

FigureThread& FigureThread::instance() {
  static FigureThread* thread = new FigureThread;  // never destroyed: Qt lives on it
  return *thread;
}

FigureThread::FigureThread() {
  std::thread([this] { loop(); }).detach();
}

void FigureThread::run(const std::function<void()>& job) {
  const std::lock_guard caller(callerMutex_);
  std::unique_lock lock(mutex_);
  job_ = &job;
  failure_ = nullptr;
  wake_.notify_all();
  done_.wait(lock, [&] { return job_ == nullptr; });
  if (failure_) std::rethrow_exception(failure_);
}

void FigureThread::loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] { return job_ != nullptr; });
    try {
      (*job_)();
    } catch (...) {
      failure_ = std::current_exception();
    }
    job_ = nullptr;
    done_.notify_all();
  }
}

}  // namespace kvt
