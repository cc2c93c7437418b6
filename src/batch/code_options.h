// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "code_lengths.h"

namespace kvt {

// The options that describe the anchorage for the design codes (--cover 40mm, --bond poor, …),
// each setting one factor of `CodeRequest` and noting it as given. A length without its unit is
// in cm, as every length of kvt-batch.
const std::vector<std::string_view>& codeOptionNames();

// Applies one of them; the error is the whole line shown to the user.
std::optional<std::string> applyCodeOption(CodeRequest& request, std::string_view option,
                                           std::string_view value);

// --codes ec2-2004,ec2-2023,mc2010,aci318 (or all).
std::optional<std::string> applyCodeList(CodeRequest& request, std::string_view list);

}  // namespace kvt
