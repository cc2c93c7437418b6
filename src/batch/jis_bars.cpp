// SPDX-License-Identifier: MIT
#include "jis_bars.h"

namespace kvt {

const std::array<JisBar, 13> kJisBars = {{
    {"D6", "0.635", "0.3167", "2.0"},
    {"D10", "0.953", "0.7133", "3.0"},
    {"D13", "1.27", "1.267", "4.0"},
    {"D16", "1.59", "1.986", "5.0"},
    {"D19", "1.91", "2.865", "6.0"},
    {"D22", "2.22", "3.871", "7.0"},
    {"D25", "2.54", "5.067", "8.0"},
    {"D29", "2.86", "6.424", "9.0"},
    {"D32", "3.18", "7.942", "10.0"},
    {"D35", "3.49", "9.566", "11.0"},
    {"D38", "3.81", "11.40", "12.0"},
    {"D41", "4.13", "13.40", "13.0"},
    {"D51", "5.08", "20.27", "16.0"},
}};

const JisBar* findJisBar(std::string_view name) {
  if (name.size() < 2 || (name[0] != 'D' && name[0] != 'd')) return nullptr;
  for (const JisBar& bar : kJisBars)
    if (bar.name.substr(1) == name.substr(1)) return &bar;
  return nullptr;
}

}  // namespace kvt
