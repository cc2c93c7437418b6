// SPDX-License-Identifier: MIT
//
// Parameter files: one analysis setup as the 20 lines of text the user typed into the parameter
// window (code page 932, CR LF). Scaled entries are kept as entered ("2.4" for Ec, the factor
// for C1), so a file reads back into exactly the boxes it came from.
#pragma once

#include <array>
#include <string>

#include "params/parameter_entries.h"
#include "user_prompt.h"

namespace kvt {

// The lines of the last file read, 1 … 20 (index 0 unused).
struct ParameterFileLines {
  static constexpr int kCount = 20;
  std::array<std::string, kCount + 1> line;
};

inline constexpr const char* kOverwriteTitle = "メニュー";
inline constexpr const char* kOverwriteQuestion = "ファイルを上書きしますか？";
inline constexpr const char* kSaveFailureTitle = "テキストエディタ";
inline constexpr const char* kSaveFailureText = "エラーが発生しました。もう一度実行してください。";
inline constexpr const char* kLoadFailureTitle = "KVT";

enum class SaveOutcome { Saved, Declined, Failed };

// Writes the boxes and the "Detail output" flag to `path`, asking first when an ordinary file of
// that name exists. A failure is reported through `prompt` with the system's error number, and on
// a second line the file's full path and the reason; the file is replaced only when the new one
// is complete, so a failed save leaves the old file as it was. `resultFilePath` becomes `path`
// after a successful save.
SaveOutcome SaveParameterFile(const std::string& path, ParameterEntries& entries,
                              UserPrompt& prompt);

// Reads all 20 lines first, then gives each box its line as a change of its text, in file order,
// so that the box rules run as for the user's own edits, and at last gives the Δl box its line
// again: the db rule rewrites Δl while the lines are applied, and a saved case must load back
// as it was saved. Lines end with CR LF, or in a file without CR LF with LF or CR. Only an
// ordinary file is read, and no more than 4 MB of it. A file that cannot be read, or ends before
// its 20th line, is reported in one line naming its full path, and changes nothing. A file of
// which most numeric lines hold no number at all is loaded only if the user says so (No is the
// default). Returns whether the file was loaded.
bool LoadParameterFile(const std::string& path, ParameterEntries& entries,
                       ParameterFileLines& lines, UserPrompt& prompt);

}  // namespace kvt
