// SPDX-License-Identifier: MIT
#include "figure_saving.h"

#include <QComboBox>
#include <algorithm>
#include <array>
#include <filesystem>

#include "batch/batch_figures.h"
#include "figures/figure_render.h"
#include "graph_export.h"

namespace kvt::ui {

namespace {

struct FigureSizeChoice {
  const char* text;
  FigureSize size;
};
constexpr std::array kFigureSizes = {FigureSizeChoice{"160 × 100 mm", {160, 100}},
                                     FigureSizeChoice{"85 × 60 mm, one column", {85, 60}},
                                     FigureSizeChoice{"180 × 110 mm, two columns", {180, 110}}};

}  // namespace

QComboBox* newFigureSizeBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName("figureSizeBox");
  box->setToolTip(
      "The size of a saved figure on paper; its text keeps its size in "
      "points, 7 pt at the least");
  for (const FigureSizeChoice& choice : kFigureSizes)
    box->addItem(choice.text);
  return box;
}

FigureSize figureSizeOf(const QComboBox& box) {
  return kFigureSizes.at(static_cast<std::size_t>(std::max(0, box.currentIndex()))).size;
}

bool saveFigureFile(const Figure& figure, const std::string& path, FigureSize size,
                    UserPrompt& prompt, const LocalDateTime* stamp) {
  std::string target = path;
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension.empty()) {
    extension = ".png";
    target += extension;
  }
  FigureFormat format = FigureFormat::Png;
  if (extension == ".svg") {
    format = FigureFormat::Svg;
  } else if (extension == ".pdf") {
    format = FigureFormat::Pdf;
  } else if (extension != ".png") {
    prompt.warning("KVT",
                   target + ": a figure is saved as .png, .svg or .pdf, not as " + extension + ".");
    return false;
  }
  const QByteArray drawn = renderFigure(figure, format, size);
  if (drawn.isEmpty()) {
    prompt.warning("KVT", target + ": the figure could not be drawn.");
    return false;
  }
  std::string bytes(drawn.constData(), static_cast<std::size_t>(drawn.size()));
  if (stamp) stampCreationDate(bytes, format, *stamp);
  return saveTextFile(QString::fromStdString(target), bytes, prompt);
}

std::string askSavePath(UserPrompt& prompt, bool figureFile, const std::string& suggested,
                        const char* dataTitle) {
  return prompt.saveFileName(figureFile ? "Save figure" : dataTitle, suggested,
                             figureFile ? kFigureFileFilter : "CSV files (*.csv)");
}

}  // namespace kvt::ui
