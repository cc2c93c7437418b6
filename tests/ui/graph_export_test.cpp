// SPDX-License-Identifier: MIT
// Saving the graph windows' pictures and data after a finished default run.
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>

#include "analysis/run_record.h"
#include "support/committed_defaults.h"
#include "support/fake_prompt.h"
#include "support/temp_dir.h"
#include "ui/drawing_surface.h"
#include "ui/form3.h"
#include "ui/form4.h"

using kvt::ui::Form3;
using kvt::ui::Form4;

namespace {

bool inkNear(const QImage& image, QPointF at, int radius = 2) {
  for (int dx = -radius; dx <= radius; ++dx)
    for (int dy = -radius; dy <= radius; ++dy) {
      const QPoint p = at.toPoint() + QPoint(dx, dy);
      if (image.rect().contains(p) && QColor(image.pixel(p)).lightness() < 128) return true;
    }
  return false;
}

int lineCount(const std::string& path) {
  std::ifstream in(path);
  int lines = 0;
  for (std::string line; std::getline(in, line);)
    ++lines;
  return lines;
}

QStringList actionTexts(QMenu* menu) {
  QStringList texts;
  for (const QAction* action : menu->actions())
    texts << action->text();
  return texts;
}

}  // namespace

class GraphExportTest : public QObject {
  Q_OBJECT

  kvt::testing::FakePrompt prompt_;

  void runDefault(Form3& form3, Form4& form4) {
    const auto run = std::make_shared<kvt::RunRecord>(kvt::testing::committedDefaults());
    form3.setRecord(run);
    kvt::ObserverList observers;
    observers.add(form3);
    observers.add(form4);
    kvt::recordRun(*run, observers);
    for (auto* form : {static_cast<QWidget*>(&form3), static_cast<QWidget*>(&form4)}) {
      form->show();
      QVERIFY(QTest::qWaitForWindowExposed(form));
    }
  }

 private slots:
  void init() { prompt_ = {}; }

  void menusOfferTheirActions() {
    Form3 form3(prompt_);
    Form4 form4(form3.lineWidth(), prompt_);
    QCOMPARE(actionTexts(form3.contextMenu()), QStringList({"Save image…", "Save data…"}));
    QCOMPARE(actionTexts(form4.contextMenu()), QStringList({"Save image…"}));
  }

  void imagesShowTheCurvesAtTheWindowsSize() {
    kvt::testing::TempDir dir;
    Form3 form3(prompt_);
    Form4 form4(form3.lineWidth(), prompt_);
    runDefault(form3, form4);
    // Through the menu, with the file name the user would have typed.
    prompt_.fileNames.push_back(dir.file("tau-s.png"));
    form3.contextMenu()->actions()[0]->trigger();
    QCOMPARE(prompt_.fileNameCaptions, std::vector<std::string>{"Save image"});
    QVERIFY(form4.saveImage(QString::fromStdString(dir.file("distribution.png"))));
    QVERIFY(prompt_.warnings.empty());

    const QImage tauSlip(QString::fromStdString(dir.file("tau-s.png")));
    QCOMPARE(tauSlip.size(), form3.size());
    // Along the curve: the loaded end's points of the run, from its record.
    const kvt::RunRecord run = kvt::recordRun(kvt::testing::committedDefaults());
    const auto rows = run.rows();
    QCOMPARE(rows.size(), std::size_t{432});
    // Points under the value boxes and labels are covered in the window's picture.
    const auto covered = [&](QPointF at) {
      for (const QWidget* child : form3.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != &form3.surface() &&
            child->geometry().adjusted(-3, -3, 3, 3).contains(at.toPoint()))
          return true;
      return false;
    };
    int visible = 0, onCurve = 0;
    for (const auto& row : rows) {
      const QPointF at =
          form3.surface().toPixel(row.loadedEndSlip, form3.tauAxisMax() - row.tauAvg);
      if (covered(at)) continue;
      ++visible;
      onCurve += inkNear(tauSlip, at);
    }
    QVERIFY(visible > 400);
    QCOMPARE(onCurve, visible);
    // Away from the curve, in the upper right, the picture is clear.
    QVERIFY(!inkNear(tauSlip, QPointF(tauSlip.width() - 10, 60), 3));

    const QImage distribution(QString::fromStdString(dir.file("distribution.png")));
    QCOMPARE(distribution.size(), form4.size());
    const double base = form4.distributionBase();
    QVERIFY(inkNear(distribution, form4.surface().toPixel(10, base)));
  }

  void dataHoldsEveryStep() {
    kvt::testing::TempDir dir;
    Form3 form3(prompt_);
    Form4 form4(form3.lineWidth(), prompt_);
    runDefault(form3, form4);
    QVERIFY(form3.saveData(QString::fromStdString(dir.file("load-slip.csv"))));
    QCOMPARE(lineCount(dir.file("load-slip.csv")), 1 + 432);
  }

  void aFailedSaveIsReportedAndLeavesNoFile() {
    kvt::testing::TempDir dir;
    Form3 form3(prompt_);
    Form4 form4(form3.lineWidth(), prompt_);
    runDefault(form3, form4);
    const QString missing = QString::fromStdString(dir.file("missing/tau-s.png"));
    QVERIFY(!form3.saveImage(missing));
    QVERIFY(!form3.saveData(QString::fromStdString(dir.file("missing/data.csv"))));
    QCOMPARE(prompt_.warnings.size(), std::size_t{2});
    const QString first = QString::fromStdString(prompt_.warnings[0].text);
    QVERIFY2(first.contains(missing) && first.contains("No such file"), qPrintable(first));
    QVERIFY(!std::filesystem::exists(dir.path() / "missing"));
  }
};

QTEST_MAIN(GraphExportTest)
#include "graph_export_test.moc"
