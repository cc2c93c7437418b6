// SPDX-License-Identifier: MIT
#include "study_row_actions.h"

#include <QMetaObject>
#include <utility>

#include "results_window.h"

namespace kvt::ui {

namespace {

constexpr int kDeltaLBox = 4;
constexpr int kLbBox = 6;

// Types every box's text as the parameter window holds it, then Δl once more: the db box's rule
// rewrites Δl with db/2, and the case's own Δl is what it ran with.
void typeTexts(ParameterEntries& entries, const BoxTexts& texts) {
  for (int box = 1; box <= BoxTexts::kLast; ++box)
    if (box != 18 && box != 19) entries.setText(box, texts[box]);
  entries.setText(kDeltaLBox, texts[kDeltaLBox]);
}

}  // namespace

StudyRowActions::StudyRowActions(StudyHost& host, QObject* parent) : QObject(parent), host_(host) {}

StudyRowActions::~StudyRowActions() = default;  // the threads join as they go

std::optional<int> StudyRowActions::lengthOf(const StudyRow& row, Run run) {
  if (run == Run::Case || !row.required || row.required->kind != RequiredLength::Kind::Found)
    return std::nullopt;
  if (run == Run::Shorter && row.required->shorterTenths == 0) return std::nullopt;
  return run == Run::Shorter ? row.required->shorterTenths : row.required->tenths;
}

void StudyRowActions::runAgain(std::shared_ptr<const StudyEngine> engine, const StudyRow& row,
                               Run run,
                               std::function<void(std::shared_ptr<const RunRecord>)> then) {
  const std::optional<int> tenths = lengthOf(row, run);
  if (run != Run::Case && !tenths) return;
  ++pending_;
  threads_.emplace_back(
      [this, engine = std::move(engine), grid = row.gridRun, tenths, then = std::move(then)] {
        const StudyCaseRunner cases = engine->study->caseRunner(engine->clock);
        auto record = std::make_shared<RunRecord>(tenths ? cases.runAtLength(grid, *tenths)
                                                         : std::move(cases.run(grid).row.record));
        QMetaObject::invokeMethod(
            this,
            [this, record, then, id = std::this_thread::get_id()] {
              // The thread has nothing left to do but end.
              std::erase_if(threads_, [id](std::jthread& t) {
                if (t.get_id() != id) return false;
                t.join();
                return true;
              });
              --pending_;
              then(record);
              emit runDone(record);
            },
            Qt::QueuedConnection);
      });
}

void StudyRowActions::open(std::shared_ptr<const StudyEngine> engine, const StudyRow& row,
                           Run run) {
  runAgain(std::move(engine), row, run, [this](std::shared_ptr<const RunRecord> record) {
    if (host_.showRun) {
      host_.showRun(std::move(record));
      return;
    }
    auto* window = new ResultsWindow(std::move(record), host_.prompt);
    window->show();
  });
}

void StudyRowActions::sendToComparison(std::shared_ptr<const StudyEngine> engine,
                                       const StudyRow& row, Run run) {
  if (!host_.compare) return;
  runAgain(std::move(engine), row, run,
           [this](std::shared_ptr<const RunRecord> record) { host_.compare(std::move(record)); });
}

void StudyRowActions::useAsCase(const StudyEngine& engine, const StudyRow& row, Run run) {
  const std::optional<int> tenths = lengthOf(row, run);
  if (run != Run::Case && !tenths) return;
  AnalysisParameters scratch;
  ParameterEntries entries(scratch);
  typeTexts(entries, engine.baseTexts);
  engine.request.study.grid.enter(row.gridRun, entries);
  if (tenths) {
    entries.setText(kLbBox, "");
    entries.setText(kLbBox, lengthText(*tenths));
  }
  typeTexts(host_.entries, entries.texts());
}

}  // namespace kvt::ui
