// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "figures/figure.h"
#include "files/user_prompt.h"
#include "output/clock.h"

class QComboBox;
class QWidget;

namespace kvt::ui {

// The sizes "Save figure…" offers, on paper: a page's text width (the default, and kvt-batch's),
// a journal's single column, and its two columns.
QComboBox* newFigureSizeBox(QWidget* parent);
FigureSize figureSizeOf(const QComboBox& box);

// What "Save figure…" offers to save as.
inline constexpr const char* kFigureFileFilter =
    "PNG images (*.png);;SVG drawings (*.svg);;PDF documents (*.pdf)";

// "Save figure…": the figure as PNG, SVG or PDF by the name's extension (none gives PNG, added
// to the name), at `size` on paper, replaced only when complete. A PDF carries `stamp` as its
// creation date when one is given, as kvt-batch's study figures carry the study's start. Another
// extension, a figure that cannot be drawn or a file that cannot be written is reported through
// `prompt`, and nothing is written.
bool saveFigureFile(const Figure& figure, const std::string& path, FigureSize size,
                    UserPrompt& prompt, const LocalDateTime* stamp = nullptr);

// Asks where "Save figure…" (a figure file) or the data button (a CSV file, titled `dataTitle`)
// saves, offering `suggested`; empty when the user cancels.
std::string askSavePath(UserPrompt& prompt, bool figureFile, const std::string& suggested,
                        const char* dataTitle = "Save data");

}  // namespace kvt::ui
