// SPDX-License-Identifier: MIT
#include "start_file.h"

#include <filesystem>

#include "files/parameter_file.h"
#include "form1.h"

namespace kvt::ui {

bool openParameterFileAtStart(Form1& form1, const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  const std::string full = error ? path : absolute.lexically_normal().string();
  if (!LoadParameterFile(full, form1.entries(), form1.parameterFileLines(), form1.userPrompt()))
    return false;
  form1.entries().record().parameterFilePath = full;
  return true;
}

}  // namespace kvt::ui
