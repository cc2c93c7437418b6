// SPDX-License-Identifier: MIT
// Every box and label of the windows shows its whole text, at the texts the windows open with and
// at the widest texts their display patterns produce, in the program's own font.
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextLayout>
#include <algorithm>
#include <memory>

#include "params/numeric_boxes.h"
#include "support/fake_prompt.h"
#include "support/fixed_clock.h"
#include "support/window_session.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/frm_open_save.h"
#include "ui/run_controller.h"
#include "ui/text_fit.h"
#include "ui/ui_style.h"

using kvt::ui::textRoom;

namespace {

// A pattern with every digit place filled with an 8 (the font's figures share one width), with
// both exponent signs.
QStringList filled(QString pattern) {
  pattern.replace('#', '8').replace('0', '8');
  if (!pattern.contains('+')) return {pattern};
  return {pattern, QString(pattern).replace('+', '-')};
}

// The widest texts each display box of the analysis and graph windows must show, by name prefix:
// its pattern filled, and the values that were once seen clipped.
const std::pair<const char*, QStringList> kDisplayBoxes[] = {
    {"Text1", filled("00000")},
    {"Text2", filled("0.000e+00") << "1.710e+40"},
    {"Text3", filled("0.000e+00")},
    {"Text4(", filled("###0.00")},
    {"Text5(", filled("0.000e+00") << "1.710e+40"},
    {"Text6(", filled("###0.00")},
    {"Text7", filled("###0.00")},
    {"Text8", filled("####0")},
    {"Text9", filled("###0.00") << "5583.66"},
};

// Whether a line edit shows `text` from its first character to its last: after the cursor has
// gone to the end, the place of the first character still holds it (the box did not scroll).
bool showsWhole(QLineEdit& box, const QString& text) {
  box.setText(text);
  box.setCursorPosition(0);
  box.grab();  // painting updates the scroll position
  const QPoint first = box.inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
  box.end(false);
  box.grab();
  return box.cursorPositionAt(first) == 0;
}

QString whyNot(const QLineEdit& box, const QString& text) {
  const double advance = kvt::ui::textWidth(box.font(), text);
  if (advance <= textRoom(box)) return {};
  return QString("%1: \"%2\" is %3 px wide, the room %4 px")
      .arg(box.objectName(), text)
      .arg(advance)
      .arg(textRoom(box));
}

// A label's caption on one line, or on its wrapped lines, each broken between words, within the
// label's contents rectangle, the glyphs of the first and last line inside it too.
QString whyNot(const QLabel& label) {
  const QString text = label.text();
  if (text.isEmpty()) return {};
  const QRect room = label.contentsRect();
  const QFontMetricsF metrics(label.font());
  if (label.x() + label.width() > label.parentWidget()->width())
    return label.objectName() + " \"" + text + "\" runs past the window's edge";
  QTextLayout layout(text, label.font());
  QTextOption option;
  option.setWrapMode(label.wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  QStringList lines;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(room.width());
    lines << text.mid(line.textStart(), line.textLength()).trimmed();
    if (line.naturalTextWidth() > room.width())
      return QString("%1: \"%2\" is %3 px wide, the room %4 px")
          .arg(label.objectName(), lines.last())
          .arg(line.naturalTextWidth())
          .arg(room.width());
    const int end = line.textStart() + line.textLength();
    if (end < text.size() && text[end - 1] != ' ')
      return label.objectName() + " breaks inside a word: \"" + lines.last() + "\"";
  }
  layout.endLayout();
  const double block = static_cast<double>(lines.size()) * metrics.lineSpacing();
  const double top = label.alignment() & Qt::AlignTop ? 0 : (room.height() - block) / 2;
  const double inkTop = top + metrics.ascent() + metrics.tightBoundingRect(lines.first()).top();
  const double inkBottom = top + block - metrics.lineSpacing() + metrics.ascent() +
                           metrics.tightBoundingRect(lines.last()).bottom();
  // Glyph bounds come in whole pixels.
  if (inkTop < -1 || inkBottom > room.height() + 1)
    return QString("%1: \"%2\" takes %3 to %4 px of %5")
        .arg(label.objectName(), lines.join('|'))
        .arg(inkTop)
        .arg(inkBottom)
        .arg(room.height());
  return {};
}

}  // namespace

class WindowTextsTest : public QObject {
  Q_OBJECT

  kvt::testing::FakePrompt prompt_;
  kvt::testing::FixedClock clock_;

  static void checkLabels(const QWidget& window) {
    for (const QLabel* label : window.findChildren<QLabel*>()) {
      // The path label lies beneath the directory list by design; the list shows the path.
      if (label->objectName() == "lblOpenSave(2)") continue;
      const QString problem = whyNot(*label);
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
  }

 private slots:
  // The room the boxes are measured against is the room a line edit really gives: a text fits it
  // exactly when the box shows it without scrolling.
  void roomIsWhatALineEditShowsWhole() {
    for (const bool framed : {true, false}) {
      QLineEdit box;
      box.setFrame(framed);
      box.setFont(kvt::ui::japaneseUiFont(12));
      kvt::ui::narrowInnerMargins(box);
      box.show();
      const QString text = "0.0000100";
      const double advance = kvt::ui::textWidth(box.font(), text);
      int boxWidth = 40;
      while (!showsWhole(box, text) && boxWidth < 200)
        box.resize(++boxWidth, 27);
      QVERIFY2(textRoom(box) >= advance, qPrintable(QString::number(boxWidth)));
      box.resize(boxWidth - 1, 27);
      QVERIFY(!showsWhole(box, text));
      QVERIFY(textRoom(box) < advance);
    }
  }

  void parameterWindowBoxesAndLabels() {
    kvt::AnalysisParameters record;
    kvt::ui::Form1 form(record, prompt_, clock_);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const kvt::NumericBox& numeric : kvt::kNumericBoxes) {
      QLineEdit* box = form.box(numeric.number);
      QStringList texts = QStringList{box->text()} +
                          filled(QString::fromUtf8(numeric.pattern.data(),
                                                   static_cast<qsizetype>(numeric.pattern.size())));
      // "initial ds" is laid out for one integer digit: an increment below 10 cm.
      if (numeric.number == 20) texts = QStringList{box->text()} + filled("0.0000000");
      for (const QString& text : texts) {
        const QString problem = whyNot(*box, text);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
      }
    }
    QVERIFY(whyNot(*form.box(1), form.box(1)->text()).isEmpty());
    checkLabels(form);
    // The bilinear heading keeps "E-P" together, above "bi-linear".
    QTextLayout layout("In case of perfect E-P bi-linear",
                       form.findChild<QLabel*>("Label22")->font());
    layout.beginLayout();
    QTextLine first = layout.createLine();
    first.setLineWidth(form.findChild<QLabel*>("Label22")->contentsRect().width());
    layout.endLayout();
    QCOMPARE(first.textLength(), QString("In case of perfect E-P ").size());
  }

  // "initial ds" shows its whole text from its first character, also after it had the focus.
  void initialDsStaysWholeAfterTheFocusLeaves() {
    kvt::AnalysisParameters record;
    kvt::ui::Form1 form(record, prompt_, clock_);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QLineEdit* box = form.box(20);
    QVERIFY(showsWhole(*box, "0.0000100"));
    box->setFocus();
    box->setText("0.00001000001");  // too long for the box while it is edited
    box->end(false);
    form.box(21)->setFocus();
    box->grab();
    QCOMPARE(box->cursorPosition(), 0);
  }

  void analysisAndGraphWindowsAfterARun() {
    kvt::testing::WindowSession session;
    kvt::ui::RunController* run = session.runToTheEnd();
    QVERIFY(run);
    int checked = 0;
    for (QLineEdit* box : run->form2()->findChildren<QLineEdit*>()) {
      for (const auto& [prefix, widest] : kDisplayBoxes) {
        if (!box->objectName().startsWith(prefix)) continue;
        ++checked;
        for (const QString& text : QStringList{box->text()} + widest) {
          const QString problem = whyNot(*box, text);
          QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }
      }
    }
    QCOMPARE(checked, 3 + 3 * kvt::ui::Form2::kTableRows + 3);
    const std::pair<QLineEdit*, QStringList> graphBoxes[] = {
        {run->form3()->text1(), filled("###0.0")}, {run->form3()->text2(), filled("0.0E+00")}};
    for (const auto& [box, widest] : graphBoxes)
      for (const QString& text : QStringList{box->text()} + widest) {
        const QString problem = whyNot(*box, text);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
      }
    for (const QWidget* window :
         {static_cast<QWidget*>(run->form2()), static_cast<QWidget*>(run->form3()),
          static_cast<QWidget*>(run->form4())})
      checkLabels(*window);
  }

  void fileWindowLabels() {
    kvt::AnalysisParameters record;
    kvt::ui::Form1 form(record, prompt_, clock_);
    kvt::ui::frmOpenSave window(form.entries(), form.parameterFileLines(), prompt_);
    kvt::ui::prepareOpenSave(window, false);
    checkLabels(window);
    QVERIFY(whyNot(*window.nameBox(), window.nameBox()->text()).isEmpty());
  }
};

QTEST_MAIN(WindowTextsTest)
#include "window_texts_test.moc"
