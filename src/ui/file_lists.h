// SPDX-License-Identifier: MIT
//
// The three list components of the file selection window: the files of a directory that match
// a pattern, the directory path with its subdirectories, and the file-system roots ("drives").
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QString>

namespace kvt::ui {

// Ordinary files (not hidden) of `path` whose names match `pattern` ("*.kvt"; several patterns
// separated by ";"), sorted by name. Names match without regard to letter case, as files that
// came from Windows often carry "BEAM1.KVT".
class FileListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent = nullptr);

  const QString& path() const { return path_; }
  const QString& pattern() const { return pattern_; }
  void setPath(const QString& path);
  void setPattern(const QString& pattern);
  QString selectedName() const;

  // Applies a typed text as the list's file name: a directory moves the list there, a wildcard
  // becomes its pattern (both at once for "dir/*.txt"), the name of a file the list would show
  // selects it (its directory becoming the list's). Anything else cannot be applied.
  enum class Applied { Moved, FileSelected, NotApplicable };
  Applied applyFileName(const QString& text);

 signals:
  void pathChanged();
  void patternChanged();

 private:
  void refresh();
  QString resolve(const QString& name) const;

  QString path_;
  QString pattern_ = "*.kvt";
};

// The directory path from the root down, each level one step further in, followed by the
// subdirectories of the current directory. A double click moves there.
class DirListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit DirListBox(QWidget* parent = nullptr);

  const QString& path() const { return path_; }
  void setPath(const QString& path);

 signals:
  void pathChanged();

 private:
  void refresh();

  QString path_;
};

// The file-system roots and mounted volumes, standing in for drives: "/" and, for example,
// "/media/usb". A directory's drive is the volume whose root is the longest prefix of its path.
class DriveListBox : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveListBox(QWidget* parent = nullptr);

  QString drive() const { return currentText(); }
  // Selects the drive (adding it when the volume list did not have it).
  void setDrive(const QString& drive);
  QString driveOf(const QString& path) const;

 signals:
  void driveChanged();
};

}  // namespace kvt::ui
