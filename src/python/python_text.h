// SPDX-License-Identifier: MIT
#pragma once

#include <pybind11/pybind11.h>

#include <string_view>

namespace kvt::python {

// kvt's texts are UTF-8, but a file name on Linux is any bytes: what is not UTF-8 comes back as
// Python's surrogate escapes, as os.fsdecode would give it, so a message names the file as the
// file system does instead of failing to be shown.
pybind11::str pythonText(std::string_view text);

}  // namespace kvt::python
