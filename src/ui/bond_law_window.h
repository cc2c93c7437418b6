// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include "analysis/run_law.h"
#include "analysis/units.h"
#include "files/user_prompt.h"

class QButtonGroup;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kvt::ui {

class FigureView;

// "KVT Bond law": chooses the bond law of the next runs — kvt's own law (the parameter window's
// entries), the fib MC2010 law with its entries, or a table of measured points — and draws it
// beside kvt's own law for the parameter window's current entries. "Open…" and "Save…" read and
// write law files; "Use for the next runs" hands the law to the parameter window.
class BondLawWindow : public QWidget {
  Q_OBJECT

 public:
  // `parameters` is the parameter window's record, read whenever the figure is drawn.
  BondLawWindow(const AnalysisParameters& parameters, const LawEntries& law, UserPrompt& prompt,
                QWidget* parent = nullptr);

  // The law the window's entries describe, or why they describe none.
  std::optional<LawEntries> law() const;
  QString problem() const;
  void setLaw(const LawEntries& law);

  void openLawFile();
  void saveLawFile();
  void chooseTable();
  void useLaw();
  // Draws the figure again for the entries and the parameter window's record.
  void refresh();

  FigureView* figureView() const { return view_; }

 signals:
  void lawChosen(const kvt::LawEntries& law);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* buildChoice();
  QGroupBox* buildMc2010();
  QGroupBox* buildTable();
  QLineEdit* addNumber(QFormLayout& form, const char* name, const char* label);
  std::optional<Mc2010Entries> mc2010Entries(QString& problem) const;
  void showMc2010(const Mc2010Entries& e);

  const AnalysisParameters& parameters_;
  UserPrompt& prompt_;
  QButtonGroup* kind_ = nullptr;
  QComboBox* strengthKind_ = nullptr;  // fcm or fck
  QLineEdit* strength_ = nullptr;
  QComboBox* bond_ = nullptr;
  QComboBox* failure_ = nullptr;
  QLineEdit *cClear_ = nullptr, *cMin_ = nullptr, *cMax_ = nullptr, *km_ = nullptr, *Ktr_ = nullptr;
  QGroupBox* mc2010Box_ = nullptr;
  QGroupBox* tableBox_ = nullptr;
  QLabel* tableFile_ = nullptr;
  std::optional<TableEntries> table_;
  QComboBox* units_ = nullptr;
  QLabel* problem_ = nullptr;
  QPushButton* use_ = nullptr;
  FigureView* view_ = nullptr;
};

}  // namespace kvt::ui
