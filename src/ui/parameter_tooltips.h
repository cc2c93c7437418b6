// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

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
// number is read ("20,5" counts as 20, "abc" as 0), red text when its rule's numeric check fired,
// and a tooltip that says either before the box's description.
void markBox(QLineEdit& box, int number, const std::optional<NumericError>& error);

}  // namespace kvt::ui
