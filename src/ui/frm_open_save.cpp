// SPDX-License-Identifier: MIT
#include "frm_open_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cerrno>
#include <cstring>

#include "file_lists.h"
#include "twips.h"
#include "ui_style.h"
#include "window_placement.h"

namespace kvt::ui {

namespace {

constexpr const char* kDesignPattern = "*.kvt";

// The captions stand at the top of their rectangles: "File Name:" and "Directory:" reach into
// the boxes below them, and a centred caption would lose its descenders there.
QLabel* addLabel(QWidget* parent, int index, const QString& caption, const QRect& rect,
                 double pointSize) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString("lblOpenSave(%1)").arg(index));
  label->setGeometry(rect);
  label->setFont(japaneseUiFont(pointSize));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

frmOpenSave::frmOpenSave(ParameterEntries& entries, ParameterFileLines& lines, UserPrompt& prompt,
                         QWidget* parent)
    : QDialog(parent), entries_(entries), lines_(lines), prompt_(prompt) {
  setObjectName("frmOpenSave");
  setFixedSize(twipsSize(5760, 3975));
  useDesignPalette(*this, kLightGrey);
  setColors(this, Qt::black, kLightGrey);
  buildLayout();
  connectRules();

  // The lists open on the process's current directory.
  const QString start = QDir::currentPath();
  drvOpenSave_->setDrive(drvOpenSave_->driveOf(start));
  dirOpenSave_->setPath(start);
  pathLabel_->setText(dirOpenSave_->path());
}

void frmOpenSave::buildLayout() {
  const QFont font = japaneseUiFont(12);
  QLabel* nameLabel = addLabel(this, 0, "File Name:", twipsRect(120, 120, 1455, 315), 12);
  txtOpenSave_ = new QLineEdit(kDesignPattern, this);
  txtOpenSave_->setObjectName("txtOpenSave");
  txtOpenSave_->setGeometry(twipsRect(120, 360, 2055, 405));
  txtOpenSave_->setFont(font);
  filOpenSave_ = new FileListBox(this);
  filOpenSave_->setObjectName("filOpenSave");
  filOpenSave_->setGeometry(twipsRect(120, 840, 2055, 2490));
  filOpenSave_->setFont(font);
  QLabel* directoryLabel = addLabel(this, 1, "Directory:", twipsRect(2400, 120, 1455, 315), 12);
  dirOpenSave_ = new DirListBox(this);
  dirOpenSave_->setObjectName("dirOpenSave");
  dirOpenSave_->setGeometry(twipsRect(2280, 360, 3375, 2190));
  dirOpenSave_->setFont(font);
  // The path label sits inside the directory list's rectangle, beneath the list itself.
  pathLabel_ = addLabel(this, 2, "", twipsRect(2280, 480, 3375, 315), 9);
  pathLabel_->lower();
  addLabel(this, 3, "Drive:", twipsRect(2400, 2640, 1455, 315), 12);
  drvOpenSave_ = new DriveListBox(this);
  drvOpenSave_->setObjectName("drvOpenSave");
  drvOpenSave_->setGeometry(twipsRect(2280, 3000, 3375, 360));
  drvOpenSave_->setFont(font);
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("cmdOpenSave(0)");
  ok_->setGeometry(twipsRect(2640, 3480, 1095, 375));
  ok_->setFont(font);
  ok_->setDefault(true);
  ok_->setEnabled(false);
  // In front of the lists they reach into, so that nothing of them is hidden.
  nameLabel->raise();
  directoryLabel->raise();
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("cmdOpenSave(1)");
  cancel_->setGeometry(twipsRect(4200, 3480, 1095, 375));
  cancel_->setFont(font);

  setTabOrder(filOpenSave_, dirOpenSave_);
  setTabOrder(dirOpenSave_, txtOpenSave_);
  setTabOrder(txtOpenSave_, drvOpenSave_);
  setTabOrder(drvOpenSave_, ok_);
  setTabOrder(ok_, cancel_);
}

void frmOpenSave::connectRules() {
  connect(drvOpenSave_, &DriveListBox::driveChanged, this, &frmOpenSave::onDriveChanged);
  connect(dirOpenSave_, &DirListBox::pathChanged, this, &frmOpenSave::onDirectoryChanged);
  connect(filOpenSave_, &FileListBox::pathChanged, this, &frmOpenSave::onFileListDirectoryChanged);
  connect(filOpenSave_, &FileListBox::patternChanged, this, &frmOpenSave::onFileListPatternChanged);
  // Once enabled, "OK" stays enabled until the window closes.
  connect(txtOpenSave_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (text != kDesignPattern) ok_->setEnabled(true);
  });
  connect(filOpenSave_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { txtOpenSave_->setText(item->text()); });
  connect(filOpenSave_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    filOpenSave_->setCurrentItem(item);
    choose();
  });
  connect(ok_, &QPushButton::clicked, this, &frmOpenSave::confirm);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void frmOpenSave::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  centreOnScreen(*this);
  filOpenSave_->setFocus();
}

// A drive chosen in the drive list: the directory list moves to it. A drive that cannot be read
// is reported, and the drive list returns to the drive of the directory shown.
void frmOpenSave::onDriveChanged() {
  const QString drive = drvOpenSave_->drive();
  if (drive.isEmpty()) return;
  if (::faccessat(AT_FDCWD, drive.toLocal8Bit().constData(), R_OK | X_OK, AT_EACCESS) != 0) {
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    prompt_.warning("KVT",
                    QString("The drive %1 cannot be read: %2.").arg(drive, reason).toStdString());
    drvOpenSave_->setDrive(drvOpenSave_->driveOf(dirOpenSave_->path()));
    return;
  }
  // Moving to a place on this drive already (a directory typed into the name box): stay there;
  // otherwise start at the drive's root.
  const QString listed = filOpenSave_->path();
  const bool onDrive = !listed.isEmpty() && drvOpenSave_->driveOf(listed) == drive;
  dirOpenSave_->setPath(onDrive ? listed : drive);
}

void frmOpenSave::onDirectoryChanged() {
  const QString path = dirOpenSave_->path();
  filOpenSave_->setPath(path);
  pathLabel_->setText(path);
  QDir::setCurrent(path);
}

void frmOpenSave::onFileListDirectoryChanged() {
  txtOpenSave_->setText(filOpenSave_->pattern());
  drvOpenSave_->setDrive(drvOpenSave_->driveOf(filOpenSave_->path()));
  dirOpenSave_->setPath(filOpenSave_->path());
}

void frmOpenSave::onFileListPatternChanged() {
  drvOpenSave_->setDrive(drvOpenSave_->driveOf(filOpenSave_->path()));
  dirOpenSave_->setPath(filOpenSave_->path());
}

void frmOpenSave::choose() {
  const QString directory = filOpenSave_->path();
  const QString name = filOpenSave_->selectedName();
  if (name.isEmpty()) return;
  // A root directory already ends with its separator.
  const std::string path =
      (directory.endsWith('/') ? directory : directory + '/').toStdString() + name.toStdString();
  // Named before the mode is looked at: it names the file even if the save is declined.
  entries_.record().parameterFilePath = path;
  if (openMode()) LoadParameterFile(path, entries_, lines_, prompt_);
  if (saveMode()) SaveParameterFile(path, entries_, prompt_);
  accept();
}

void frmOpenSave::confirm() {
  const QString text = txtOpenSave_->text();
  switch (filOpenSave_->applyFileName(text)) {
    case FileListBox::Applied::Moved:
      return;
    case FileListBox::Applied::FileSelected:
      // A name the list shows, confirmed: the same as double-clicking it.
      choose();
      return;
    case FileListBox::Applied::NotApplicable:
      break;
  }
  const std::string name = text.toStdString();
  struct stat info {};
  if (::stat(name.c_str(), &info) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) {
      // The platform's reason, with the full path it concerns: a relative name is taken in the
      // directory shown, which the user may not have in mind.
      const QString reason = QString::fromLocal8Bit(std::strerror(errno));
      const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(text));
      prompt_.warning("KVT",
                      QString("%1 could not be checked: %2").arg(path, reason).toStdString());
      return;
    }
    if (saveMode()) {
      SaveParameterFile(name, entries_, prompt_);
      accept();
    } else if (openMode()) {
      prompt_.warning("KVT", "ファイルが存在しません。");
    }
  }
}

void prepareOpenSave(frmOpenSave& window, bool saveMode) {
  window.setWindowTitle(saveMode ? "KVT Save" : "KVT Open");
  window.nameBox()->setText(kDesignPattern);
  // The whole pattern selected, so that typing replaces it.
  window.nameBox()->setSelection(0, 5);
}

void showOpenSave(ParameterEntries& entries, ParameterFileLines& lines, UserPrompt& prompt,
                  bool saveMode, QWidget* parent) {
  frmOpenSave window(entries, lines, prompt, parent);
  prepareOpenSave(window, saveMode);
  window.exec();
}

}  // namespace kvt::ui
