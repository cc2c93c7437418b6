// SPDX-License-Identifier: MIT
#pragma once

#include <pybind11/pybind11.h>

#include <chrono>
#include <optional>

namespace kvt::python {

// Ctrl+C while C++ works without the GIL. Python notes a signal at once but runs its handler
// only when the main thread runs Python again; the watch lets it do so at most every 50 ms,
// taking the GIL for that moment, and keeps what the handler raised (KeyboardInterrupt) to be
// raised once the work has stopped. Asked from the thread that released the GIL; on any other
// than Python's main thread it never fires, as Python's own handlers never run there.
class SignalWatch {
 public:
  // Without the GIL: whether a handler has raised. Cheap between two looks.
  bool interrupted();
  // With the GIL: raises what the handler raised, if it did.
  void raiseIfInterrupted();

 private:
  std::chrono::steady_clock::time_point nextLook_;
  std::optional<pybind11::error_already_set> raised_;
};

}  // namespace kvt::python
