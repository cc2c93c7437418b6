// SPDX-License-Identifier: MIT
#include "case_name.h"

#include <filesystem>

#include "parameter_entries.h"

namespace kvt {

std::string caseName(std::string_view comment, const CaseSource& source) {
  if (!comment.empty() && comment != ParameterEntries::kCommentPrompt) return std::string(comment);
  if (source.file.empty()) return "";
  const std::string name = std::filesystem::path(source.file).filename().string();
  return source.changes.empty() ? name : name + " (" + source.changes + ")";
}

}  // namespace kvt
