// SPDX-License-Identifier: MIT
// The parameter window's controls, positioned in twips exactly as the window was drawn.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "form1.h"
#include "params/numeric_boxes.h"
#include "text_fit.h"
#include "twips.h"
#include "ui_style.h"

namespace kvt::ui {

namespace {

struct Frame {
  const char* name;
  int left, top, width, height;
};

// Light grey panels drawn behind each group.
constexpr Frame kFrames[] = {
    {"Shape1", 720, 480, 5895, 615},    {"Shape4", 480, 1200, 2055, 3975},
    {"Shape3", 2640, 1200, 2055, 2055}, {"Shape2", 4800, 1200, 2055, 3975},
    {"Shape5", 2640, 3480, 2055, 1695},
};

struct Heading {
  const char* name;
  const char* caption;
  int left, top, width, height;
};

// Blue group headings on the light grey panels.
constexpr Heading kHeadings[] = {
    {"Label2", "Conditions for analisys", 600, 1320, 1575, 495},
    {"Label8", "Data of concrete unit : kgf-cm", 2760, 1320, 1815, 615},
    {"Label13", "Data of reinfmnt. unit : kgf-cm", 4920, 1320, 1695, 495},
    {"Label22", "In case of perfect E-P bi-linear", 2760, 3600, 1815, 495},
    {"Label23", "unit : kgf-cm", 2760, 3960, 1815, 255},
};

enum class LabelStyle { Field, FieldLeft, FieldSmall, FieldRegular };

struct Field {
  const char* label;
  const char* caption;
  int labelLeft, labelTop;
  LabelStyle style;
  int box;
  int boxLeft, boxTop, boxWidth, boxHeight;
};

// Field labels (white on grey, 855 × 375 unless noted) and their boxes (975 × 405 unless noted).
constexpr Field kFields[] = {
    {"Label3", "cotα", 600, 1800, LabelStyle::Field, 2, 1440, 1800, 975, 360},
    {"Label4", "β", 600, 2280, LabelStyle::Field, 3, 1440, 2280, 975, 405},
    {"Label5", "Δl", 600, 2760, LabelStyle::Field, 4, 1440, 2760, 975, 405},
    {"Label6", "ru", 600, 3240, LabelStyle::Field, 5, 1440, 3240, 975, 405},
    {"Label7", "lb", 600, 3720, LabelStyle::Field, 6, 1440, 3720, 975, 405},
    {"Label20", "reduction factor", 600, 4200, LabelStyle::FieldSmall, 17, 1440, 4200, 975, 405},
    {"Label9", "σB", 2760, 1800, LabelStyle::Field, 7, 3600, 1800, 975, 405},
    {"Label10", "σt", 2760, 2280, LabelStyle::Field, 8, 3600, 2280, 975, 405},
    {"Label11", " Ec", 2760, 2760, LabelStyle::FieldLeft, 9, 3600, 2760, 975, 405},
    {"Label25", "τu", 2760, 4200, LabelStyle::Field, 21, 3600, 4200, 975, 405},
    {"Label26", "su", 2760, 4680, LabelStyle::Field, 22, 3600, 4680, 975, 405},
    {"Label24", "initial ds", 2640, 5640, LabelStyle::FieldRegular, 20, 3600, 5640, 1095, 405},
    {"Label12", "db", 4920, 1800, LabelStyle::Field, 10, 5760, 1800, 975, 405},
    {"Label14", "Ab", 4920, 2280, LabelStyle::Field, 11, 5760, 2280, 975, 405},
    {"Label16", "φ", 4920, 2760, LabelStyle::Field, 12, 5760, 2760, 975, 405},
    {"Label15", " Es", 4920, 3240, LabelStyle::FieldLeft, 13, 5760, 3240, 975, 390},
    {"Label17", "pw(%)", 4920, 3720, LabelStyle::Field, 14, 5760, 3720, 975, 405},
    {"Label19", "C1", 4920, 4200, LabelStyle::Field, 15, 5760, 4200, 975, 405},
    {"Label21", "C2", 4920, 4680, LabelStyle::Field, 16, 5760, 4680, 975, 405},
};

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, const QRect& rect,
                 const QFont& font, const QColor& text, const QColor& background,
                 Qt::Alignment alignment) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setGeometry(rect);
  label->setFont(font);
  label->setAlignment(alignment);
  label->setWordWrap(rect.height() > 20);
  setColors(label, text, background);
  // A caption of several lines breaks between its words, never inside one.
  condenseToFit(*label,
                label->wordWrap() ? caption.split(' ', Qt::SkipEmptyParts) : QStringList{caption});
  return label;
}

// A box's text stays whole from its first character: narrow inner margins, and the font
// condensed where the widest text of its pattern would not fit otherwise.
void fitBox(QLineEdit& box, int number) {
  narrowInnerMargins(box);
  const NumericBox* numeric = findNumericBox(number);
  if (!numeric) return;
  // An initial slip increment is a small fraction of a centimetre: one integer digit.
  const QString pattern = number == 20 ? "0.0000000" : QString::fromUtf8(numeric->pattern);
  condenseToFit(box, widestTexts(pattern, box));
}

// The multipliers beside the Ec and Es labels: white text on the label grey, 30 × 16 pixels.
QLabel* addMultiplier(QWidget* parent, const char* name, const QString& text, int left, int top) {
  QPixmap pixmap(30, 16);
  pixmap.fill(kLabelGrey);
  QPainter painter(&pixmap);
  painter.setPen(Qt::white);
  painter.setFont(japaneseUiFont(9, true));
  painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
  painter.end();
  auto* image = new QLabel(parent);
  image->setObjectName(name);
  image->setGeometry(twipsRect(left, top, 450, 240));
  image->setPixmap(pixmap);
  return image;
}

QPushButton* addButton(QWidget* parent, const char* name, const char* caption, int left) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(twipsRect(left, 5640, 975, 375));
  button->setFont(japaneseUiFont(12));
  // Enter presses the button that has the focus, as on the original window.
  button->setAutoDefault(true);
  return button;
}

}  // namespace

void Form1::buildLayout() {
  buildHeadings();
  buildBoxes();
  buildButtons();
}

void Form1::buildHeadings() {
  const QColor systemText = palette().color(QPalette::WindowText);
  for (const Frame& f : kFrames) {
    auto* frame = new QFrame(client_);
    frame->setObjectName(f.name);
    frame->setGeometry(twipsRect(f.left, f.top, f.width, f.height));
    setColors(frame, systemText, kLightGrey);
  }
  addLabel(client_, "Label18", "with lateral reinforcements", twipsRect(720, 120, 5895, 255),
           japaneseUiFont(12, true), kTextRed, QColor(), Qt::AlignLeft | Qt::AlignVCenter);
  addLabel(client_, "Label1", "Comment", twipsRect(840, 600, 1095, 255), japaneseUiFont(12),
           systemText, kLightGrey, Qt::AlignLeft | Qt::AlignVCenter);
  // The headings leave their background to the panel they stand on, so that "unit : kgf-cm"
  // does not paint over the second line of the heading above it.
  for (const Heading& h : kHeadings)
    addLabel(client_, h.name, h.caption, twipsRect(h.left, h.top, h.width, h.height),
             japaneseUiFont(9.75), Qt::blue, QColor(), Qt::AlignLeft | Qt::AlignTop);
  condenseToFit(*findChild<QLabel*>("Label22"), {"In case of perfect E-P", "bi-linear"});
  findChild<QLabel*>("Label23")->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  addLabel(client_, "Label27", "k1=C1・σt", twipsRect(3480, 5280, 1695, 255),
           japaneseUiFont(9.75, false, true), Qt::black, kLightGrey, Qt::AlignCenter);
  addLabel(client_, "Label28", "k2=C1/pw・σt", twipsRect(5160, 5280, 1695, 255),
           japaneseUiFont(9.75, false, true), Qt::black, kLightGrey, Qt::AlignCenter);
}

void Form1::buildBoxes() {
  auto* comment = new QLineEdit(client_);
  comment->setObjectName("Text1");
  comment->setGeometry(twipsRect(2040, 600, 4455, 405));
  comment->setFont(japaneseUiFont(12));
  narrowInnerMargins(*comment);
  boxes_[1] = comment;

  for (const Field& f : kFields) {
    const bool regular = f.style == LabelStyle::FieldSmall || f.style == LabelStyle::FieldRegular;
    const double points = f.style == LabelStyle::FieldSmall ? 9.75 : 12;
    const int labelWidth = f.style == LabelStyle::FieldRegular ? 975 : 855;
    const Qt::Alignment alignment =
        f.style == LabelStyle::FieldLeft ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
    addLabel(client_, f.label, f.caption, twipsRect(f.labelLeft, f.labelTop, labelWidth, 375),
             japaneseUiFont(points, !regular), Qt::white, kLabelGrey, alignment);
    auto* box = new QLineEdit(client_);
    box->setObjectName(QString("Text%1").arg(f.box));
    box->setGeometry(twipsRect(f.boxLeft, f.boxTop, f.boxWidth, f.boxHeight));
    box->setFont(japaneseUiFont(12));
    fitBox(*box, f.box);
    boxes_[static_cast<std::size_t>(f.box)] = box;
  }
  addMultiplier(client_, "Image1", "×10⁵", 3120, 2760);
  addMultiplier(client_, "Image2", "×10⁶", 5280, 3240);

  check1_ = new QCheckBox("Detail output", client_);
  check1_->setObjectName("Check1");
  check1_->setGeometry(twipsRect(600, 4680, 1815, 375));
  check1_->setFont(japaneseUiFont(9.75, true));
  setColors(check1_, Qt::white, kLabelGrey);
}

void Form1::buildButtons() {
  auto* open = addButton(client_, "Command2", "Open", 480);
  auto* save = addButton(client_, "Command3", "Save", 1560);
  auto* exit = addButton(client_, "Command4", "Exit", 4800);
  execute_ = addButton(client_, "Command1", "Execute", 5880);

  // Keyboard order: Execute, the comment and the analysis conditions, Detail output, the concrete
  // and bar data, the file buttons and Exit, the rest of the bar data and the bilinear law, and
  // the reduction factor last.
  QWidget* order[] = {execute_,   boxes_[1],  boxes_[2],  boxes_[3],  boxes_[4],
                      boxes_[5],  boxes_[6],  check1_,    boxes_[7],  boxes_[8],
                      boxes_[9],  boxes_[10], boxes_[11], boxes_[12], boxes_[13],
                      open,       save,       exit,       boxes_[14], boxes_[15],
                      boxes_[16], boxes_[20], boxes_[21], boxes_[22], boxes_[17]};
  for (std::size_t k = 1; k < std::size(order); ++k)
    setTabOrder(order[k - 1], order[k]);

  connect(execute_, &QPushButton::clicked, this, &Form1::execute);
  connect(exit, &QPushButton::clicked, this, &Form1::exitProgram);
  connect(open, &QPushButton::clicked, this, &Form1::openParameterFile);
  connect(save, &QPushButton::clicked, this, &Form1::saveParameterFile);
}

}  // namespace kvt::ui
