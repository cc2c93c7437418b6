// SPDX-License-Identifier: MIT
#include "figure_loader.h"

#include <dlfcn.h>

#include <string>
#include <system_error>
#include <vector>

#include "figure_thread.h"
#include "files/trusted_code.h"

namespace kvt {

namespace {

// The folder of the running program, from the kernel's own record of it; empty when /proc is
// not mounted. Never a path fixed at build time: the build tree may be gone, or belong to
// someone else by now.
std::filesystem::path programFolder() {
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
}

RenderFigureEntry loadedEntry() {
  static const RenderFigureEntry entry = openFigureModule(findFigureModule(programFolder()));
  return entry;
}

}  // namespace

std::filesystem::path findFigureModule(const std::filesystem::path& folder) {
  if (folder.empty())
    throw FigureModuleError("the figure module " KVT_FIGURE_MODULE_NAME
                            " cannot be found: /proc/self/exe cannot be read (is /proc "
                            "mounted?), so kvt-batch cannot tell the folder it was started from");
  const std::filesystem::path places[] = {
      folder / KVT_FIGURE_MODULE_NAME,
      (folder / KVT_FIGURE_MODULE_INSTALL_DIR / KVT_FIGURE_MODULE_NAME).lexically_normal()};
  std::string tried;
  for (const std::filesystem::path& place : places) {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(place, error))) {
      tried += (tried.empty() ? "" : ", ") + place.string();
      continue;
    }
    if (auto problem = untrustedCode(place.string()))
      throw FigureModuleError("the figure module " + place.string() +
                              " is not loaded: " + *problem);
    return place;
  }
  throw FigureModuleError(
      "the figure module " KVT_FIGURE_MODULE_NAME " is not installed (looked for " + tried + ")");
}

RenderFigureEntry openFigureModule(const std::filesystem::path& place) {
  // Never unloaded: Qt keeps threads and handlers that must outlive every figure.
  void* module = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module)
    throw FigureModuleError("the figure module " + place.string() +
                            " cannot be loaded: " + dlerror());
  const auto* version = static_cast<const int*>(dlsym(module, kFigureModuleVersionSymbol));
  if (!version || *version != kFigureModuleVersion)
    throw FigureModuleError("the figure module " + place.string() +
                            " is from another version of kvt-batch (module version " +
                            (version ? std::to_string(*version) : std::string("unknown")) +
                            ", wanted " + std::to_string(kFigureModuleVersion) +
                            "); install the two together");
  auto* entry = reinterpret_cast<RenderFigureEntry>(dlsym(module, kFigureModuleEntry));
  if (!entry)
    throw FigureModuleError("the figure module " + place.string() + " has no entry point " +
                            kFigureModuleEntry);
  return entry;
}

std::string drawFigure(const Figure& figure, FigureFormat format, FigureSize size) {
  std::string bytes;
  FigureThread::instance().run([&] {
    std::string error;
    if (!loadedEntry()(kFigureModuleVersion, figure, format, size, bytes, error))
      throw FigureModuleError("a figure could not be drawn: " + error);
  });
  return bytes;
}

}  // namespace kvt
