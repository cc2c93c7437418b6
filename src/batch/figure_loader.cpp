// SPDX-License-Identifier: MIT
#include "figure_loader.h"

#include <dlfcn.h>

#include <condition_variable>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "figures/figure_module_abi.h"

namespace kvt {

namespace {

std::filesystem::path programFolder() {
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
}

std::vector<std::filesystem::path> placesToLook() {
  std::vector<std::filesystem::path> places;
  const std::filesystem::path folder = programFolder();
  if (!folder.empty()) {
    places.push_back(folder / KVT_FIGURE_MODULE_NAME);
    places.push_back(folder / KVT_FIGURE_MODULE_INSTALL_DIR / KVT_FIGURE_MODULE_NAME);
  }
#ifdef KVT_FIGURE_MODULE_BUILD_PATH
  places.emplace_back(KVT_FIGURE_MODULE_BUILD_PATH);
#endif
  return places;
}

RenderFigureEntry loadModule() {
  std::string tried;
  for (const std::filesystem::path& place : placesToLook()) {
    std::error_code error;
    if (!std::filesystem::exists(place, error)) {
      tried += (tried.empty() ? "" : ", ") + place.string();
      continue;
    }
    // Never unloaded: Qt keeps threads and handlers that must outlive every figure.
    void* module = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
      throw FigureModuleError("the figure module " + place.string() +
                              " cannot be loaded: " + dlerror());
    auto* entry = reinterpret_cast<RenderFigureEntry>(dlsym(module, kFigureModuleEntry));
    if (!entry)
      throw FigureModuleError("the figure module " + place.string() + " has no entry point " +
                              kFigureModuleEntry);
    return entry;
  }
  throw FigureModuleError(
      "the figure module " KVT_FIGURE_MODULE_NAME " is not installed (looked for " + tried + ")");
}

// Qt objects belong to the thread that made them, and the QApplication the module makes on its
// first figure must outlive every later one. kvt-batch runs analyses on threads that come and go
// (and draws a study's figures on the main thread), so every figure is drawn on one thread of its
// own, started with the first figure and kept, like the module, for the life of the process.
class FigureThread {
 public:
  static FigureThread& instance() {
    static FigureThread* thread = new FigureThread;  // never destroyed: Qt lives on it
    return *thread;
  }

  // Runs `job` on the figure thread and waits for it; its exception is rethrown here.
  void run(const std::function<void()>& job) {
    const std::lock_guard caller(callerMutex_);
    std::unique_lock lock(mutex_);
    job_ = &job;
    failure_ = nullptr;
    wake_.notify_all();
    done_.wait(lock, [&] { return job_ == nullptr; });
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  FigureThread() {
    std::thread([this] { loop(); }).detach();
  }

  [[noreturn]] void loop() {
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

  std::mutex callerMutex_;  // one figure at a time
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  const std::function<void()>* job_ = nullptr;
  std::exception_ptr failure_;
};

}  // namespace

std::string drawFigure(const Figure& figure, FigureFormat format, FigureSize size) {
  std::string bytes;
  FigureThread::instance().run([&] {
    static RenderFigureEntry entry = nullptr;
    if (!entry) entry = loadModule();
    std::string error;
    if (!entry(kFigureModuleVersion, figure, format, size, bytes, error))
      throw FigureModuleError("a figure could not be drawn: " + error);
  });
  return bytes;
}

}  // namespace kvt
