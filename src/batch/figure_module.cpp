// SPDX-License-Identifier: MIT
#include "figure_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>
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

}  // namespace

std::string drawFigure(const Figure& figure, FigureFormat format, FigureSize size) {
  static std::mutex drawing;
  const std::lock_guard lock(drawing);
  static RenderFigureEntry entry = nullptr;
  if (!entry) entry = loadModule();
  std::string bytes;
  std::string error;
  if (!entry(kFigureModuleVersion, figure, format, size, bytes, error))
    throw FigureModuleError("a figure could not be drawn: " + error);
  return bytes;
}

}  // namespace kvt
