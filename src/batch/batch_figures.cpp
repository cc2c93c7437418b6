// SPDX-License-Identifier: MIT
#include "batch_figures.h"

#include "batch_run.h"
#include "figure_module.h"
#include "figures/report_figures.h"
#include "files/atomic_write.h"

namespace kvt {

std::vector<std::string> writeRunFigures(const RunRecord& run, const std::string& resultFile,
                                         const std::vector<FigureFormat>& formats,
                                         const std::set<int>& profileSteps, UnitSystem units) {
  std::vector<std::pair<std::string, Figure>> figures = {{"load-slip", loadSlipFigure(run, units)},
                                                         {"tau-slip", tauSlipFigure(run, units)},
                                                         {"bond-law", bondLawFigure(run, units)}};
  std::set<int> steps;
  if (run.peakStep() > 0) steps.insert(run.peakStep());
  for (const int step : profileSteps)
    if (run.row(step)) steps.insert(step);
  for (const int step : steps)
    figures.emplace_back("profile.step" + std::to_string(step),
                         profileFigure(run, step, run.sections(step), units));

  std::vector<std::string> written;
  for (const auto& [name, figure] : figures)
    for (const FigureFormat format : formats) {
      const std::string path =
          besideResultFile(resultFile, name + "." + std::string(figureExtension(format)));
      writeFileAtomically(path, drawFigure(figure, format));
      written.push_back(path);
    }
  return written;
}

}  // namespace kvt
