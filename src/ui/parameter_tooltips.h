// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "params/numeric_check.h"

class QLineEdit;
class QWidget;

namespace kvt::ui {

// What each label, box and button of the parameter window means: the entry, its unit, and what
// it does in the analysis. Labels and buttons keep their tooltips; a box's tooltip is rebuilt by
// markBox whenever its text changes.
void setParameterToolTips(QWidget& form1);

// The description of box Text<number>, shown in its tooltip and in its label's.
QString boxDescription(int number);

// Shows on a box what the analysis will make of its text: an amber border when only its leading
// number is read ("20,5" counts as 20, "abc" as 0) or when `notes` say what the march makes of it
// (the Δl box: "lb 20 is analysed as 20.15 cm: 31 segments of 0.65 cm"), red text when its
// rule's numeric check fired, and a tooltip that says each before the box's description.
void markBox(QLineEdit& box, int number, const std::optional<NumericError>& error,
             const std::vector<std::string>& notes = {});

}  // namespace kvt::ui
