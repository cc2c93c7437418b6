// SPDX-License-Identifier: MIT
#pragma once

#include <pybind11/pybind11.h>

#include <optional>

#include "error/error.h"

namespace kvt::python {

// "parameter", "arithmetic", "step-limit", "file", "cancelled", "usage": an error kind as the
// Python package names it (kvt._errors maps each to its exception class).
const char* kindName(ErrorKind kind);
pybind11::object kindObject(std::optional<ErrorKind> kind);

// Every kvt::Error that reaches Python becomes the exception of its kind, with kvt's own words.
void registerErrorTranslation();

}  // namespace kvt::python
