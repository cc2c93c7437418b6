// SPDX-License-Identifier: MIT
#include "code_options.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "params/parse_number.h"
#include "params/quantity_text.h"
#include "study_grid.h"

namespace kvt {

namespace {

using codes::AnchorageCase;

enum class Kind { Length, Positive, NotNegative };

struct CodeOption {
  std::string_view option;
  std::string_view factor;  // as `codeFactorsText` names it
  Kind kind;
  std::function<void(AnchorageCase&, double)> set;
};

const std::vector<CodeOption>& codeOptions() {
  static const std::vector<CodeOption> options = {
      {"--cover", "cover", Kind::Length, [](AnchorageCase& c, double v) { c.cover = v; }},
      {"--spacing", "spacing", Kind::Length,
       [](AnchorageCase& c, double v) { c.clearSpacing = v; }},
      {"--gamma-c", "γc", Kind::Positive, [](AnchorageCase& c, double v) { c.gammaC = v; }},
      {"--gamma-s", "γs", Kind::Positive, [](AnchorageCase& c, double v) { c.gammaS = v; }},
      {"--alpha-ct", "αct", Kind::Positive, [](AnchorageCase& c, double v) { c.alphaCt = v; }},
      {"--klb", "klb", Kind::Positive, [](AnchorageCase& c, double v) { c.ec2023.klb = v; }},
      {"--n-sigma", "nσ", Kind::Positive, [](AnchorageCase& c, double v) { c.ec2023.nSigma = v; }},
      {"--km", "km", Kind::NotNegative, [](AnchorageCase& c, double v) { c.km = v; }},
      {"--ktr", "Ktr", Kind::NotNegative, [](AnchorageCase& c, double v) { c.Ktr = v; }},
      {"--ktr-aci", "Ktr (ACI)", Kind::Length, [](AnchorageCase& c, double v) { c.KtrAci = v; }},
      {"--psi-e", "ψe", Kind::Positive, [](AnchorageCase& c, double v) { c.psiE = v; }},
      {"--lambda", "λ", Kind::Positive, [](AnchorageCase& c, double v) { c.lambda = v; }},
  };
  return options;
}

// A factor written out as a number: "1.5", never "1,5" or "1.5x".
std::optional<double> factorValue(std::string_view text) {
  if (!isWrittenNumber(text)) return std::nullopt;
  const double value = parseNumber(text);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// A length in mm: with its unit, or bare in cm as every length of kvt-batch.
std::optional<double> lengthValue(std::string_view text) {
  const ValueReading reading = readValue(text, Dimension::Length, Unit::Cm);
  if (!reading.quantity) return std::nullopt;
  const double mm = inUnit(*reading.quantity, Unit::Mm);
  if (!std::isfinite(mm)) return std::nullopt;
  return mm;
}

std::optional<std::string> applyAlphas(CodeRequest& request, std::string_view list) {
  std::vector<double> alphas;
  for (std::size_t at = 0;;) {
    const std::size_t comma = list.find(',', at);
    const auto value = factorValue(list.substr(at, comma - at));
    if (!value || *value <= 0) break;
    alphas.push_back(*value);
    if (comma == std::string_view::npos) break;
    at = comma + 1;
  }
  if (alphas.size() != 5)
    return "--alphas takes EN 1992-1-1:2004's α1 to α5, five positive numbers such as "
           "1,0.7,1,1,1, not '" +
           std::string(list) + "'";
  request.factors.alphas = {alphas[0], alphas[1], alphas[2], alphas[3], alphas[4]};
  request.given.insert("α1…α5");
  return std::nullopt;
}

}  // namespace

const std::vector<std::string_view>& codeOptionNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> n;
    for (const CodeOption& o : codeOptions())
      n.push_back(o.option);
    n.push_back("--bond");
    n.push_back("--alphas");
    return n;
  }();
  return names;
}

std::optional<std::string> applyCodeOption(CodeRequest& request, std::string_view option,
                                           std::string_view value) {
  if (option == "--alphas") return applyAlphas(request, value);
  if (option == "--bond") {
    if (value != "good" && value != "poor" && value != "other")
      return "--bond is good or poor, not '" + std::string(value) + "'";
    request.factors.goodBond = value == "good";
    request.given.insert("bond");
    return std::nullopt;
  }
  const auto o = std::find_if(codeOptions().begin(), codeOptions().end(),
                              [&](const CodeOption& c) { return c.option == option; });
  const auto number = o->kind == Kind::Length ? lengthValue(value) : factorValue(value);
  const bool positive = o->kind == Kind::Positive || option == "--cover";
  if (!number || (positive ? *number <= 0 : *number < 0))
    return std::string(option) + " needs " +
           (o->kind == Kind::Length ? "a length, cm or with its unit (40mm)"
            : positive              ? "a positive number"
                                    : "a number not below zero") +
           ", not '" + std::string(value) + "'";
  o->set(request.factors, *number);
  request.given.insert(std::string(o->factor));
  return std::nullopt;
}

std::optional<std::string> applyCodeList(CodeRequest& request, std::string_view list) {
  request.codes.clear();
  if (list == "all") {
    request.codes.assign(std::begin(codes::kDesignCodes), std::end(codes::kDesignCodes));
    return std::nullopt;
  }
  for (std::size_t at = 0;;) {
    const std::size_t comma = list.find(',', at);
    const std::string_view key = list.substr(at, comma - at);
    const auto code = codes::designCodeFromKey(key);
    if (!code)
      return "--codes takes ec2-2004, ec2-2023, mc2010 and aci318, comma-separated, or all, "
             "not '" +
             std::string(key) + "'";
    if (std::find(request.codes.begin(), request.codes.end(), *code) == request.codes.end())
      request.codes.push_back(*code);
    if (comma == std::string_view::npos) return std::nullopt;
    at = comma + 1;
  }
}

}  // namespace kvt
