// SPDX-License-Identifier: MIT
// Both CSV writers on arbitrary records in either unit system: never crash, write a header and one
// CR LF row per record, each with its key and four fields, and every field reads back as exactly
// the value in the chosen units (NaN as NaN): the shortest round-trip form loses nothing.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "output/csv_export.h"

namespace {

using kvt::fuzzing::anyDouble;

void checkRows(const std::string& csv, const std::vector<int>& keys,
               const std::vector<std::array<double, 4>>& values,
               const std::array<kvt::Quantity, 4>& quantities, kvt::UnitSystem units) {
  const auto lines = kvt::fuzzing::crLfLines(csv);
  if (lines.size() != keys.size() + 1) std::abort();
  for (std::size_t r = 0; r < keys.size(); ++r) {
    std::string_view line = lines[r + 1];
    const std::size_t comma = line.find(',');
    if (line.substr(0, comma) != std::to_string(keys[r])) std::abort();
    line.remove_prefix(comma + 1);
    for (std::size_t k = 0; k < 4; ++k) {
      const std::size_t end = k < 3 ? line.find(',') : line.size();
      if (end == std::string_view::npos) std::abort();
      double back = 0;
      const auto [stop, error] = std::from_chars(line.data(), line.data() + end, back);
      if (error != std::errc() || stop != line.data() + end) std::abort();
      const double expected = kvt::inUnits(values[r][k], quantities[k], units);
      if (std::isnan(expected)
              ? !std::isnan(back)
              : std::bit_cast<std::uint64_t>(back) != std::bit_cast<std::uint64_t>(expected))
        std::abort();
      line.remove_prefix(k < 3 ? end + 1 : end);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const auto units = in.ConsumeBool() ? kvt::UnitSystem::SI : kvt::UnitSystem::KgfCm;
  const std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, 30);
  std::vector<kvt::LoadSlipRow> steps;
  std::vector<kvt::SectionRow> sections;
  std::vector<int> stepKeys, sectionKeys;
  std::vector<std::array<double, 4>> stepValues, sectionValues;
  for (std::size_t r = 0; r < count; ++r) {
    const int key = in.ConsumeIntegral<int>();
    const std::array<double, 4> v{anyDouble(in), anyDouble(in), anyDouble(in), anyDouble(in)};
    if (in.ConsumeBool()) {
      steps.push_back({key, v[0], v[1], v[2], v[3]});
      stepKeys.push_back(key);
      stepValues.push_back(v);
    } else {
      sections.push_back({key, v[0], v[1], v[2], v[3], -1});
      sectionKeys.push_back(key);
      sectionValues.push_back(v);
    }
  }
  using kvt::Quantity;
  checkRows(kvt::loadSlipCsv(steps, units), stepKeys, stepValues,
            {Quantity::Length, Quantity::Length, Quantity::Force, Quantity::Stress}, units);
  checkRows(kvt::profileCsv(sections, units), sectionKeys, sectionValues,
            {Quantity::Length, Quantity::Length, Quantity::Force, Quantity::Stress}, units);
  return 0;
}
