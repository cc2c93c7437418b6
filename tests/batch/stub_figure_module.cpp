// SPDX-License-Identifier: MIT
// Figure modules that a test loads in place of the real one: one from another version of kvt
// (KVT_STUB_VERSION), one without an entry point.
#include "figures/figure_module_abi.h"

extern "C" __attribute__((visibility("default"))) const int kvtFigureModuleVersion =
    KVT_STUB_VERSION;
