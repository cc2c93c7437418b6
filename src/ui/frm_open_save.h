// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "files/parameter_file.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kvt::ui {

class DirListBox;
class DriveListBox;
class FileListBox;

// The file selection window, "KVT Open" or "KVT Save" by its caption: a name box, the files of
// the directory shown that match the pattern, the directory list and the drive list. While the
// user browses, the process's current directory follows the directory shown, so a bare name
// typed here (and the result file of a later run) lands where the user was looking.
//
// A new window is made for every opening, so each starts from the same state in the directory
// last browsed.
class frmOpenSave : public QDialog {
  Q_OBJECT

 public:
  frmOpenSave(ParameterEntries& entries, ParameterFileLines& lines, UserPrompt& prompt,
              QWidget* parent = nullptr);

  QLineEdit* nameBox() const { return txtOpenSave_; }
  FileListBox* fileList() const { return filOpenSave_; }
  DirListBox* directoryList() const { return dirOpenSave_; }
  DriveListBox* driveList() const { return drvOpenSave_; }
  QLabel* pathLabel() const { return pathLabel_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

  // "OK": apply the typed text to the file list, or else save to or open the name typed.
  void confirm();
  // A double click on a file: load it, or save over it after asking; the window closes.
  void choose();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildLayout();
  void connectRules();
  void onDriveChanged();
  void onDirectoryChanged();
  void onFileListDirectoryChanged();
  void onFileListPatternChanged();
  bool saveMode() const { return windowTitle() == "KVT Save"; }
  bool openMode() const { return windowTitle() == "KVT Open"; }

  ParameterEntries& entries_;
  ParameterFileLines& lines_;
  UserPrompt& prompt_;
  QLineEdit* txtOpenSave_ = nullptr;
  FileListBox* filOpenSave_ = nullptr;
  DirListBox* dirOpenSave_ = nullptr;
  DriveListBox* drvOpenSave_ = nullptr;
  QLabel* pathLabel_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// Caption and name box as "Open" and "Save" set them before the window is shown.
void prepareOpenSave(frmOpenSave& window, bool saveMode);

// "Open" and "Save" of the parameter window: the file selection window in its mode, modal.
void showOpenSave(ParameterEntries& entries, ParameterFileLines& lines, UserPrompt& prompt,
                  bool saveMode, QWidget* parent);

}  // namespace kvt::ui
