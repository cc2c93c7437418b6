// SPDX-License-Identifier: MIT
#include "form2.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "params/format_number.h"
#include "text_fit.h"
#include "twips.h"
#include "ui_style.h"

namespace kvt::ui {

namespace {

QString format(double value, const char* pattern) {
  return QString::fromStdString(formatNumber(value, pattern));
}

QString format(float value, const char* pattern) {
  return QString::fromStdString(formatNumber(value, pattern));
}

// A display box, laid out for the widest text of its pattern.
QLineEdit* addBox(QWidget* parent, const QString& name, const QRect& rect, const QFont& font,
                  const char* pattern, bool framed = true) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setGeometry(rect);
  box->setFont(font);
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  box->setFrame(framed);
  narrowInnerMargins(*box);
  condenseToFit(*box, widestTexts(pattern, *box));
  return box;
}

QLabel* addLabel(QWidget* parent, const QString& caption, int left, int top) {
  auto* label = new QLabel(caption, parent);
  label->setFont(japaneseUiFont(12));
  label->move(px(left), px(top));
  label->adjustSize();
  return label;
}

}  // namespace

Form2::Form2(QWidget* parent) : QWidget(parent) {
  setObjectName("Form2");
  setWindowTitle("KVT Now Calculating...");
  useDesignPalette(*this);
  setFixedSize(twipsSize(5385, 6255));
  buildLayout();
}

void Form2::buildLayout() {
  const QFont font = japaneseUiFont(12);
  const QFont bold = japaneseUiFont(12, true);

  // The button first, so that it is first in the keyboard order and holds the focus.
  command1_ = new QPushButton("Command", this);
  command1_->setObjectName("Command1");
  command1_->setGeometry(twipsRect(3600, 4680, 1215, 375));
  command1_->setFont(font);
  command1_->setDefault(true);
  command1_->setAutoDefault(true);
  connect(command1_, &QPushButton::clicked, this, &Form2::buttonPressed);

  addLabel(this, "Step", 480, 360);
  addLabel(this, "s0(cm)", 1680, 360);
  addLabel(this, "Δs0(cm)", 3360, 360);
  text1_ = addBox(this, "Text1", twipsRect(600, 720, 855, 405), font, "00000");
  text2_ = addBox(this, "Text2", twipsRect(1800, 720, 1335, 405), font, "0.000e+00");
  text3_ = addBox(this, "Text3", twipsRect(3480, 720, 1335, 405), font, "0.000e+00");

  addLabel(this, "x(cm)", 840, 1440);
  addLabel(this, "s(cm)", 1800, 1440);
  addLabel(this, "τ(kgf/c㎡)", 3240, 1440);
  for (int k = 0; k < kTableRows; ++k) {
    const int top = 1920 + 240 * k;
    const auto i = static_cast<std::size_t>(k);
    text4_[i] = addBox(this, QString("Text4(%1)").arg(k), twipsRect(480, top, 975, 300), font,
                       "###0.00", false);
    text5_[i] = addBox(this, QString("Text5(%1)").arg(k), twipsRect(1800, top, 1215, 270), font,
                       "0.000e+00", false);
    text6_[i] = addBox(this, QString("Text6(%1)").arg(k), twipsRect(3480, top, 1215, 300), font,
                       "###0.00", false);
    for (QLineEdit* box : {text4_[i], text5_[i], text6_[i]})
      setColors(box, Qt::black, kLightGrey);
    setColors(text6_[i], Qt::blue, kLightGrey);
  }

  addLabel(this, "Results", 600, 4680);
  addLabel(this, "unit : kgf-cm", 1680, 4680);
  addLabel(this, "τbmax", 600, 5160);
  addLabel(this, "τbumax", 2040, 5160);
  addLabel(this, "Pbumax", 3480, 5160);
  // Bond stresses of high-strength concrete reach thousands of kgf/cm²: four integer digits.
  text7_ = addBox(this, "Text7", twipsRect(840, 5400, 975, 420), bold, "###0.00");
  text9_ = addBox(this, "Text9", twipsRect(2280, 5400, 975, 420), bold, "###0.00");
  text8_ = addBox(this, "Text8", twipsRect(3720, 5400, 975, 420), bold, "####0");
  setColors(text7_, Qt::black, Qt::white);
  setColors(text9_, kTextRed);
  setColors(text8_, Qt::blue);
}

QLineEdit* Form2::textBox(const QString& name) const {
  return findChild<QLineEdit*>(name);
}

void Form2::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
  painter.drawRect(twipsRect(480, 1320, 4455, 3135).adjusted(0, 0, -1, -1));
  painter.setPen(QPen(kLabelGrey, 1));
  painter.drawRect(twipsRect(480, 4560, 4455, 1455).adjusted(0, 0, -1, -1));
  painter.setPen(QPen(Qt::red, 2));
  painter.drawLine(px(480), px(1800), px(4920), px(1800));
}

void Form2::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) emit activated();
}

void Form2::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closeRequested();
}

void Form2::runStarted(const RunStart&) {
  command1_->setText("Cancel");
  for (std::size_t k = 0; k < kTableRows; ++k)
    for (QLineEdit* box : {text4_[k], text5_[k], text6_[k]})
      box->clear();
  rows_ = {};
}

void Form2::showTauMax(double tauMax) {
  text7_->setText(format(tauMax, "##0.00"));
}

void Form2::stepStarted(int step, double s0, float ds) {
  step_ = step;
  s0_ = s0;
  ds_ = ds;
  stepShown_ = false;
}

void Form2::sectionsComputed(std::span<const SectionRow> rows) {
  for (const SectionRow& row : rows) {
    if (row.displayRow < 0 || row.displayRow >= kTableRows) continue;
    rows_[static_cast<std::size_t>(row.displayRow)] = {row.x, row.sNext, row.tau, true};
  }
}

void Form2::stepFinished(const StepResult& result) {
  PMax_ = result.PMax;
  tauAvgMax_ = result.tauAvgMax;
  resultsKnown_ = true;
}

void Form2::runFinished(const StepResult&) {
  flush();
  command1_->setText("OK");
}

void Form2::runFailed() {
  flush();
  command1_->setText("OK");
}

void Form2::flush() {
  if (!stepShown_) {
    text1_->setText(format(static_cast<double>(step_), "00000"));
    text2_->setText(format(s0_, "0.000e+00"));
    text3_->setText(format(ds_, "0.000e+00"));  // a single-precision field
    stepShown_ = true;
  }
  for (std::size_t k = 0; k < kTableRows; ++k) {
    Row& row = rows_[k];
    if (!row.changed) continue;
    text4_[k]->setText(format(row.x, "###0.00"));
    text5_[k]->setText(format(row.s, "0.000e+00"));
    text6_[k]->setText(format(row.tau, "###0.00"));
    row.changed = false;
  }
  if (resultsKnown_) {
    text8_->setText(format(PMax_, "####0"));
    text9_->setText(format(tauAvgMax_, "##0.00"));
    resultsKnown_ = false;
  }
}

}  // namespace kvt::ui
