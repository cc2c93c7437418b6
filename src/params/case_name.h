// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace kvt {

// Where a case's entries came from: the parameter file they were last loaded from or saved to,
// and what has changed in the boxes since. A name built from it never passes off entries that
// differ from the file's as the file's own.
struct CaseSource {
  std::string file;     // empty when no file was loaded or saved
  std::string changes;  // "" when the boxes still hold the file; "modified", or a study's "lb=30"

  bool operator==(const CaseSource&) const = default;
};

// The name of a case, the one rule for every window title, figure title and message that names
// one: its comment when the user wrote one; otherwise its parameter file's name, followed by
// what changed since it was loaded or saved ("case1.kvt (modified)"); otherwise empty, and the
// caller says what the case is without a name.
std::string caseName(std::string_view comment, const CaseSource& source);

}  // namespace kvt
