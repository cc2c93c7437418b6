// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "files/parameter_file.h"
#include "message_sink.h"
#include "params/parameter_entries.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kvt::ui {

class RunController;

// The parameter window "KVT Parameter": a box for every input, "Detail output", and the buttons
// Execute, Open, Save and Exit. Its boxes are bound to `ParameterEntries`, which runs each box's
// rule as the user types; "Execute" converts the entries into the shared record and starts a run.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  // "Open" and "Save": the file selection window (a test may put something else in its place).
  using FileCommand = std::function<void(Form1& form, bool saveMode)>;

  explicit Form1(AnalysisParameters& record, QWidget* parent = nullptr);
  ~Form1() override;

  ParameterEntries& entries() { return entries_; }
  QLineEdit* box(int number) const;
  QCheckBox* detailOutputBox() const { return check1_; }
  RunController* runController() const { return controller_.get(); }

  void setMessageSink(MessageSink sink) { messages_ = std::move(sink); }
  const MessageSink& messageSink() const { return messages_; }
  void setFileCommand(FileCommand command) { fileCommand_ = std::move(command); }
  // The overwrite question and the file routines' reports; message boxes unless replaced.
  UserPrompt& userPrompt() { return *prompt_; }
  void setUserPrompt(std::unique_ptr<UserPrompt> prompt) { prompt_ = std::move(prompt); }
  ParameterFileLines& parameterFileLines() { return parameterFileLines_; }

  // "Execute": commit the entries and start a run in the analysis windows.
  void execute();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildLayout();
  void bindEntries();
  void showBoxError(int number, const std::optional<NumericError>& error);

  ParameterEntries entries_;
  std::unique_ptr<RunController> controller_;
  MessageSink messages_;
  FileCommand fileCommand_;
  std::unique_ptr<UserPrompt> prompt_;
  ParameterFileLines parameterFileLines_;
  std::array<QLineEdit*, BoxTexts::kLast + 1> boxes_{};
  QCheckBox* check1_ = nullptr;
  QPushButton* execute_ = nullptr;
  bool loaded_ = false;
};

}  // namespace kvt::ui
