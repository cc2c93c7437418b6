// SPDX-License-Identifier: MIT
#include "parameter_tooltips.h"

#include <QLineEdit>
#include <QStringList>
#include <QWidget>

#include "params/partial_entries.h"
#include "ui_style.h"

namespace kvt::ui {

namespace {

// The entries by box, with the label beside each box; the texts are rich text so that a tooltip
// wraps to a readable width.
struct BoxHelp {
  int box;
  const char* label;
  const char* text;
};

constexpr BoxHelp kBoxHelp[] = {
    {1, "Label1",
     "<b>Comment</b>: a note on the case. Saved as the first line of the parameter file; the "
     "analysis does not use it."},
    {2, "Label3",
     "<b>cot&alpha;</b> (no unit): cotangent of the rib face angle &alpha;. Scales the rib "
     "bearing (cot&alpha;) term of the bond law, which rises from zero slip and falls back to zero "
     "at the slip ru/(&beta;&middot;db)."},
    {3, "Label4",
     "<b>&beta;</b> (1/cm): coefficient of the bond law. The cot&alpha; term is "
     "proportional to 2&middot;&sigma;t&middot;&beta;, and the ascending branch ends at the slip "
     "ru/(&beta;&middot;db)."},
    {4, "Label5",
     "<b>&Delta;l</b> (cm): length of the segments in which the march divides the bar. The "
     "bond length is rounded up to whole segments. Changing db rewrites it with db/2."},
    {5, "Label6",
     "<b>ru</b> (cm, as db): coefficient of the bond law. ru/db shapes the cot&alpha; term, "
     "and the ascending branch ends at the slip ru/(&beta;&middot;db)."},
    {6, "Label7",
     "<b>lb</b> (cm): bond length, the embedded length of the bar from the free end to the "
     "loaded end."},
    {17, "Label20",
     "<b>reduction factor</b> (no unit): multiplies the whole bond law: the cot&alpha; term, "
     "the k1 and k2 branches and the plateau &tau;u. 1 leaves it as it is."},
    {7, "Label9",
     "<b>&sigma;B</b> (kgf/cm&sup2;): compressive strength of the concrete. Saved with the "
     "case in parameter files, but not used by this analysis."},
    {8, "Label10",
     "<b>&sigma;t</b> (kgf/cm&sup2;): tensile strength of the concrete. Scales the "
     "cot&alpha; term, and turns C1 and C2 into k1 = C1&middot;&sigma;t and k2 = "
     "C2&middot;&sigma;t when a run starts."},
    {9, "Label11",
     "<b>Ec</b> (10<sup>5</sup> kgf/cm&sup2;: 2.4 means 240000 kgf/cm&sup2;): Young's modulus "
     "of the concrete. Saved with the case in parameter files, but not used by this analysis."},
    {21, "Label25",
     "<b>&tau;u</b> (kgf/cm&sup2;): plateau of the perfect elastic-plastic (bi-linear) bond "
     "law. 0 selects the general law; any other value caps the bond stress at the plateau and "
     "holds it there up to the slip su."},
    {22, "Label26",
     "<b>su</b> (cm): slip beyond which the bi-linear law carries no bond stress. Used only "
     "when &tau;u is not 0."},
    {20, "Label24",
     "<b>initial ds</b> (cm): first increment of the free-end slip. A run doubles and "
     "grows it as it goes; the box keeps what you entered. Not stored in parameter files."},
    {10, "Label12",
     "<b>db</b> (cm): diameter of the bar. Enters the bond law through ru/db and "
     "&beta;&middot;db. Changing it rewrites &Delta;l with db/2."},
    {11, "Label14",
     "<b>Ab</b> (cm&sup2;): cross-section of the bar. With Es it gives the axial stiffness "
     "Es&middot;Ab that turns bar force into elongation, and so into slip."},
    {12, "Label16",
     "<b>&phi;</b> (cm): perimeter of the bar, over which the bond acts: a segment takes up the "
     "force &tau;&middot;&phi;&middot;&Delta;l."},
    {13, "Label15",
     "<b>Es</b> (10<sup>6</sup> kgf/cm&sup2;: 2.1 means 2100000 kgf/cm&sup2;): Young's modulus "
     "of the bar. With Ab its axial stiffness."},
    {14, "Label17",
     "<b>pw</b> (%): ratio of lateral reinforcement. Beyond the peak the bond stress falls by "
     "k2/pw per cm of slip; with pw of 0 or less it drops to zero there."},
    {15, "Label19",
     "<b>C1</b> (1/cm): factor of the ascending branch. A run uses k1 = C1&middot;&sigma;t "
     "(kgf/cm&sup3;): the bond law adds k1&middot;s up to the slip ru/(&beta;&middot;db)."},
    {16, "Label21",
     "<b>C2</b> (1/cm): factor of the descending branch. A run uses k2 = C2&middot;&sigma;t: "
     "beyond the slip ru/(&beta;&middot;db) the bond stress falls by k2/pw per cm of slip."},
};

struct WidgetHelp {
  const char* name;
  const char* text;
};

constexpr WidgetHelp kWidgetHelp[] = {
    {"Label18",
     "The analysis includes lateral reinforcement: its ratio pw sets how fast the bond stress "
     "falls beyond the peak."},
    {"Label2", "The bond law's coefficients and the segments of the march along the bar."},
    {"Label8", "The concrete, in kgf and cm. Only &sigma;t enters the analysis."},
    {"Label13", "The bar and its lateral reinforcement, in kgf and cm."},
    {"Label22",
     "Leave &tau;u at 0 for the general bond law. Any other &tau;u selects a perfect "
     "elastic-plastic (bi-linear) law: the plateau &tau;u up to the slip su, nothing beyond."},
    {"Label23", "&tau;u in kgf/cm&sup2;, su in cm."},
    {"Label27", "A run multiplies the C1 entry by &sigma;t: k1 = C1&middot;&sigma;t."},
    {"Label28",
     "A run stores k2 = C2&middot;&sigma;t and divides it by pw in the descending branch: "
     "beyond the peak the bond stress falls by C2&middot;&sigma;t/pw per cm of slip."},
    {"Check1",
     "Write the slip, bar force and bond stress at every section of every step into the result "
     "file, not only each step's load-slip row. Saved in parameter files."},
    {"Command1",
     "Run the analysis with these entries. The report goes beside the parameter file last "
     "opened or saved (beam1.kvt gives beam1.T-S), otherwise to default.t-s in the current "
     "folder."},
    {"Command2", "Load the entries from a parameter file (*.kvt)."},
    {"Command3",
     "Save the entries and Detail output to a parameter file (*.kvt). initial ds is not "
     "saved."},
    {"Command4", "End the program at once, without saving."},
};

// A style sheet takes the box's background from the desktop's palette, not from the window's
// design palette: under a dark theme the black text would stand on dark grey. So it says white.
const QString kAmberBorder = "QLineEdit { border: 2px solid #f0a000; background-color: white; }";

// What to do about what the march makes of the bar.
constexpr const char* kMarchNoteAdvice =
    "The march of segments, which this window runs, keeps to it; the converged analysis solves "
    "the same bar over lb itself to a stated accuracy (the results window's \"Converged\" "
    "switch, kvt-batch --method converged).";

// Paragraphs as a tooltip of a fixed, readable width: left alone, Qt wraps rich text into a
// narrow column.
QString toolTip(const QStringList& paragraphs) {
  return "<table width=\"340\"><tr><td><p>" + paragraphs.join("</p><p>") + "</p></td></tr></table>";
}

}  // namespace

QString boxDescription(int number) {
  for (const BoxHelp& help : kBoxHelp)
    if (help.box == number) return QString::fromUtf8(help.text);
  return {};
}

void setParameterToolTips(QWidget& form1) {
  auto setTip = [&form1](const char* name, const QString& text) {
    if (auto* widget = form1.findChild<QWidget*>(name)) widget->setToolTip(toolTip({text}));
  };
  for (const BoxHelp& help : kBoxHelp) {
    setTip(help.label, QString::fromUtf8(help.text));
    if (help.box == 9) setTip("Image1", QString::fromUtf8(help.text));
    if (help.box == 13) setTip("Image2", QString::fromUtf8(help.text));
  }
  for (const WidgetHelp& help : kWidgetHelp)
    setTip(help.name, QString::fromUtf8(help.text));
}

void markBox(QLineEdit& box, int number, const std::optional<NumericError>& error,
             const std::vector<std::string>& notes) {
  const auto partial = partialEntry(number, box.text().toStdString());
  const QString sheet = partial || !notes.empty() ? kAmberBorder : QString();
  if (box.styleSheet() != sheet) box.setStyleSheet(sheet);
  QPalette palette = box.palette();
  palette.setColor(QPalette::Text,
                   error ? kTextRed : box.window()->palette().color(QPalette::Text));
  box.setPalette(palette);

  QStringList paragraphs;
  if (error) paragraphs << "<b>" + QString::fromStdString(error->message).toHtmlEscaped() + "</b>";
  if (partial)
    paragraphs << "<b>" + QString::fromStdString(describe(*partial)).toHtmlEscaped() +
                      "</b>: only the leading number counts (the decimal point is \".\"), the "
                      "rest is ignored.";
  for (const std::string& note : notes)
    paragraphs << "<b>" + QString::fromStdString(note).toHtmlEscaped() + "</b>. " +
                      QString::fromUtf8(kMarchNoteAdvice);
  paragraphs << boxDescription(number);
  box.setToolTip(toolTip(paragraphs));
}

}  // namespace kvt::ui
