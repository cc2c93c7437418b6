// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace kvt {

// The number of threads "every core" means: the processors this process may run on.
unsigned everyCore();

// Runs work(0) … work(count − 1) on `jobs` threads and hands each result to `deliver` on the
// calling thread, strictly in order of index, so whatever is written from there is the same for
// any number of threads. Only a bounded window of results waits for its turn, so a study of a
// million runs does not hold a million rows. `idle` is called about five times a second while
// the calling thread waits (for a progress line). An exception from `work` or `deliver` stops
// the other threads after their current item and is rethrown here.
template <class Result>
void runInOrder(std::uint64_t count, unsigned jobs,
                const std::function<Result(std::uint64_t)>& work,
                const std::function<void(std::uint64_t, Result&&)>& deliver,
                const std::function<void()>& idle) {
  const std::uint64_t window = 4ull * jobs + 16;
  std::mutex mutex;
  std::condition_variable resultReady, roomFreed;
  std::map<std::uint64_t, Result> finished;
  std::uint64_t claimed = 0, delivered = 0;
  bool stop = false;
  std::exception_ptr failure;

  const auto worker = [&] {
    std::unique_lock lock(mutex);
    for (;;) {
      roomFreed.wait(lock,
                     [&] { return stop || claimed >= count || claimed < delivered + window; });
      if (stop || claimed >= count) return;
      const std::uint64_t index = claimed++;
      lock.unlock();
      try {
        Result result = work(index);
        lock.lock();
        finished.emplace(index, std::move(result));
      } catch (...) {
        lock.lock();
        if (!failure) failure = std::current_exception();
        stop = true;
        roomFreed.notify_all();
      }
      resultReady.notify_one();
    }
  };

  std::vector<std::jthread> threads;
  for (unsigned k = 0; k < std::max(jobs, 1u) && k < count; ++k)
    threads.emplace_back(worker);
  try {
    while (delivered < count) {
      std::unique_lock lock(mutex);
      const auto ready = [&] { return failure || finished.contains(delivered); };
      while (!resultReady.wait_for(lock, std::chrono::milliseconds(200), ready)) {
        lock.unlock();
        if (idle) idle();
        lock.lock();
      }
      if (failure) break;
      auto node = finished.extract(delivered);
      ++delivered;
      roomFreed.notify_all();
      lock.unlock();
      deliver(node.key(), std::move(node.mapped()));
    }
  } catch (...) {
    std::lock_guard lock(mutex);
    if (!failure) failure = std::current_exception();
  }
  {
    std::lock_guard lock(mutex);
    stop = true;
  }
  roomFreed.notify_all();
  threads.clear();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace kvt
