// SPDX-License-Identifier: MIT
#include "result_file.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "files/cp932.h"
#include "files/full_path.h"
#include "item_forms.h"
#include "params/format_number.h"

namespace kvt {

namespace {

// The fixed texts that carry Japanese code page characters (τ, ㎡), converted once.
const std::string& sectionHeader() {
  static const std::string text = toCp932("   x(cm)      s(cm)     P(kgf) τ(kgf/c㎡)");
  return text;
}

const std::string& resultHeader() {
  static const std::string text = toCp932("s.loaded end(cm) P.loaded end(kgf) totalτ(kgf/c㎡)");
  return text;
}

// "mm-dd-yyyy, hh:mm:ss"
std::string dateAndTime(const LocalDateTime& t) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%02d-%02d-%04d, %02d:%02d:%02d", t.month, t.day, t.year,
                t.hour, t.minute, t.second);
  return buffer;
}

// Bytes of the well-formed UTF-8 character that starts at `text[at]`, or 0 when none starts
// there (a stray continuation byte, a truncated sequence, an overlong form or a surrogate).
std::size_t utf8CharacterLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;   // the range of the second byte, which rules out overlong forms,
  unsigned char high = 0xBF;  // surrogates and code points beyond U+10FFFF
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size() || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k)
    if ((byte(k) & 0xC0) != 0x80) return 0;
  return length;
}

// Characters, not bytes, are cut from the name: a Japanese name is held as UTF-8. A byte that is
// not part of a well-formed character counts as a character of its own, so a name with stray
// bytes still loses only its last three characters, never its folder. The bytes of the last
// three characters, or none when the name has fewer.
std::optional<std::size_t> byteCountOfLastThreeCharacters(std::string_view text) {
  std::size_t starts[3] = {};  // where the last three characters start, in rotation
  std::size_t seen = 0;
  for (std::size_t at = 0; at < text.size(); ++seen) {
    starts[seen % 3] = at;
    at += std::max<std::size_t>(utf8CharacterLength(text, at), 1);
  }
  if (seen < 3) return std::nullopt;
  return text.size() - starts[seen % 3];
}

// A file name may hold a line break on this system (never on Windows); in the report's first
// line it is shown as "?", as a character the code page lacks is, so that every later line keeps
// its place.
std::string oneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, '?');
  return text;
}

// " (of \"beam1.kvt\")": the parameter file named in line 1 of a report, as far as it has been
// written; "" when it cannot be told.
std::string otherRunsFile(const std::string& firstLineCp932) {
  const std::string line = fromCp932(firstLineCp932);
  constexpr std::string_view kBefore = "KVT file = ";
  const std::size_t start = line.find(kBefore);
  const std::size_t end = line.rfind(", at ");
  if (start == std::string::npos || end == std::string::npos || end < start + kBefore.size())
    return "";
  const std::string file = line.substr(start + kBefore.size(), end - start - kBefore.size());
  return file.empty() ? " (one without a parameter file)" : " (of \"" + file + "\")";
}

}  // namespace

std::string resultFileName(std::string_view resultFilePath) {
  if (resultFilePath.empty()) return "default.t-s";
  const auto cut = byteCountOfLastThreeCharacters(resultFilePath);
  // A name of fewer than three characters cannot lose three: the extension is appended.
  if (!cut) return std::string(resultFilePath) + "T-S";
  return std::string(resultFilePath.substr(0, resultFilePath.size() - *cut)) + "T-S";
}

ResultFile::ResultFile(const AnalysisParameters& parameters, const Clock& clock)
    : parameters_(parameters), clock_(clock) {}

ResultFile::~ResultFile() = default;  // LineFile closes without reporting

const std::string& ResultFile::path() const {
  return path_;
}

void ResultFile::runStarted(const RunStart& start) {
  openResultFile();
  writeRunHeader(start.tauMax);
}

void ResultFile::openResultFile() {
  file_.abandon();
  distanceTexts_.clear();
  path_ = resultFileName(parameters_.resultFilePath);
  shownPath_ = fullPath(path_);
  try {
    file_.create(path_);
  } catch (const std::system_error& error) {
    fail("created", error);
  } catch (const FileBusyError& busy) {
    // Two runs writing one report would mix their lines, and both would end as if all went
    // well. The second is refused rather than made to wait: a run takes minutes, nobody would
    // know what it waits for, and when it got the file it would replace the first run's report.
    throw ResultFileError("The result file \"" + shownPath_ + "\" is being written by another run" +
                          otherRunsFile(busy.firstLine()) +
                          ". This run was not started, so that the two reports do not mix: wait "
                          "until the other run has ended, or give this parameter file another "
                          "name.");
  }
}

void ResultFile::writeRunHeader(double tauMax) {
  writeLine(toCp932("τ-s relationship created by DORNE1, KVT file = " +
                    oneLine(parameters_.parameterFilePath) + ", at " + dateAndTime(clock_.now())));

  line_ = toCp932("db =");
  appendBareNumber(line_, parameters_.db);
  line_ += "  ru =";
  appendBareNumber(line_, parameters_.ru);
  line_ += "  lb =";
  appendBareNumber(line_, parameters_.lb);
  line_ += toCp932("  cotα =");
  appendBareNumber(line_, parameters_.cotAlpha);
  line_ += toCp932("  β =");
  appendBareNumber(line_, parameters_.beta);
  line_ += toCp932("  Δl =");
  appendBareNumber(line_, parameters_.deltaL);
  writeLine(line_);

  writeLine(toCp932("τb.max =" + formatNumber(tauMax, "##0.00") + "kgf/c㎡"));
  if (parameters_.detailOutput == 0) writeLine(resultHeader());
  flushFile();
}

void ResultFile::stepStarted(int step, double s0, float ds) {
  (void)s0, (void)ds;
  if (!detailed()) return;
  writeLine("step =" + formatNumber(static_cast<double>(step), "00000"));
  writeLine(sectionHeader());
}

void ResultFile::sectionsComputed(std::span<const SectionRow> rows) {
  if (!detailed()) return;
  for (const SectionRow& row : rows) {
    line_.clear();
    line_ += distanceText(row);
    line_ += "  ";
    appendScientific(line_, row.sNext);
    line_ += "  ";
    appendScientific(line_, row.PNext);
    line_ += "  ";
    appendRightAligned(line_, row.tau);
    writeLine(line_);
  }
}

// x = i·Δl is the same in every step: each section's text is formatted once per run. Only the
// first sections are kept, so that a bar of millions of segments costs no memory for it.
const std::string& ResultFile::distanceText(const SectionRow& row) {
  const auto i = static_cast<std::size_t>(row.i);
  if (i >= kCachedDistances) {
    uncachedDistance_.clear();
    appendRightAligned(uncachedDistance_, row.x);
    return uncachedDistance_;
  }
  if (i >= distanceTexts_.size()) distanceTexts_.resize(i + 1);
  CachedDistance& cached = distanceTexts_[i];
  if (cached.text.empty() || cached.x != row.x) {
    cached.x = row.x;
    cached.text.clear();
    appendRightAligned(cached.text, row.x);
  }
  return cached.text;
}

void ResultFile::stepFinished(const StepResult& result) {
  if (detailed()) writeLine(resultHeader());
  line_ = "   ";
  appendScientific(line_, result.loadedEndSlip);
  line_ += "       ";
  appendScientific(line_, result.loadedEndForce);
  line_ += "        ";
  appendRightAligned(line_, result.tauAvg);
  writeLine(line_);
  // Every finished step reaches the disk, so a stopped or failed run keeps its complete steps
  // and a full disk is reported in the step where it happened.
  flushFile();
}

void ResultFile::runFinished(const StepResult& last) {
  (void)last;
  closeResultFile();
}

void ResultFile::runStopped(int step) {
  (void)step;
  closeResultFile();
}

void ResultFile::closeResultFile() {
  try {
    file_.close();
  } catch (const std::system_error& error) {
    fail("written", error);
  } catch (const FileRemovedError&) {
    throw ResultFileError("The result file \"" + shownPath_ +
                          "\" was removed, or its folder, while the run was writing it; the "
                          "report is lost.");
  }
}

void ResultFile::flushFile() {
  try {
    file_.flush();
  } catch (const std::system_error& error) {
    fail("written", error);
  }
}

void ResultFile::writeLine(std::string_view cp932) {
  try {
    file_.writeLine(cp932);
  } catch (const std::system_error& error) {
    fail("written", error);
  }
}

void ResultFile::fail(const char* action, const std::system_error& error) const {
  throw ResultFileError("The result file \"" + shownPath_ + "\" could not be " + action + ": " +
                        error.code().message() + ".");
}

}  // namespace kvt
