// SPDX-License-Identifier: MIT
#include "signal_watch.h"

namespace py = pybind11;

namespace kvt::python {

namespace {

constexpr auto kLookEvery = std::chrono::milliseconds(50);

}  // namespace

bool SignalWatch::interrupted() {
  if (raised_) return true;
  const auto now = std::chrono::steady_clock::now();
  if (now < nextLook_) return false;
  nextLook_ = now + kLookEvery;
  py::gil_scoped_acquire gil;
  if (PyErr_CheckSignals() == 0) return false;
  raised_.emplace();  // takes the pending exception from Python
  return true;
}

void SignalWatch::raiseIfInterrupted() {
  if (!raised_) return;
  py::error_already_set raised = std::move(*raised_);
  raised_.reset();
  throw raised;
}

}  // namespace kvt::python
