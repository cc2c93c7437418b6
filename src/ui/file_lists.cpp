// SPDX-License-Identifier: MIT
#include "file_lists.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <algorithm>

namespace kvt::ui {

namespace {

bool hasWildcard(const QString& text) {
  return text.contains('*') || text.contains('?');
}

// "*.*" means every file, with or without an extension, as users have always typed it.
QStringList patterns(const QString& pattern) {
  QStringList list = pattern.split(';', Qt::SkipEmptyParts);
  for (QString& item : list)
    if (item == "*.*") item = "*";
  return list;
}

}  // namespace

namespace {
// A little room above the first entry, which would otherwise touch the list's border.
constexpr int kTopPadding = 2;
}  // namespace

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setViewportMargins(0, kTopPadding, 0, 0);
}

void FileListBox::setPath(const QString& path) {
  const QString clean = QDir::cleanPath(QDir(path_).absoluteFilePath(path));
  if (clean == path_) return;
  path_ = clean;
  refresh();
  emit pathChanged();
}

void FileListBox::setPattern(const QString& pattern) {
  if (pattern == pattern_) return;
  pattern_ = pattern;
  refresh();
  emit patternChanged();
}

QString FileListBox::selectedName() const {
  const QListWidgetItem* item = currentItem();
  return item ? item->text() : QString();
}

void FileListBox::refresh() {
  clear();
  QDir dir(path_);
  dir.setNameFilters(patterns(pattern_));
  dir.setFilter(QDir::Files | QDir::NoDotAndDotDot);
  dir.setSorting(QDir::Name);
  addItems(dir.entryList());
}

QString FileListBox::resolve(const QString& name) const {
  return QDir::cleanPath(QDir(path_).absoluteFilePath(name));
}

FileListBox::Applied FileListBox::applyFileName(const QString& text) {
  if (text.isEmpty()) return Applied::NotApplicable;
  const QFileInfo whole(resolve(text));
  if (whole.isDir()) {
    setPath(whole.absoluteFilePath());
    return Applied::Moved;
  }
  const qsizetype slash = text.lastIndexOf('/');
  const QString directory = slash < 0 ? QString() : (slash == 0 ? "/" : text.left(slash));
  const QString name = text.mid(slash + 1);
  const QString target = directory.isEmpty() ? path_ : resolve(directory);
  if (!QFileInfo(target).isDir()) return Applied::NotApplicable;
  if (hasWildcard(name)) {
    setPath(target);
    setPattern(name);
    return Applied::Moved;
  }
  // A file the list would show: ordinary, not hidden, matching the pattern.
  QDir dir(target);
  dir.setNameFilters(patterns(pattern_));
  dir.setFilter(QDir::Files | QDir::NoDotAndDotDot);
  if (!dir.entryList().contains(name)) return Applied::NotApplicable;
  setPath(target);
  const auto found = findItems(name, Qt::MatchExactly);
  if (!found.isEmpty()) setCurrentItem(found.first());
  return Applied::FileSelected;
}

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
  setViewportMargins(0, kTopPadding, 0, 0);
  connect(this, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { setPath(item->data(Qt::UserRole).toString()); });
}

void DirListBox::setPath(const QString& path) {
  const QString clean = QDir::cleanPath(QDir(path_).absoluteFilePath(path));
  if (clean == path_) return;
  path_ = clean;
  refresh();
  emit pathChanged();
}

void DirListBox::refresh() {
  clear();
  const auto add = [this](const QString& text, const QString& target, int depth) {
    auto* item = new QListWidgetItem(QString(depth * 2, ' ') + text, this);
    item->setData(Qt::UserRole, target);
  };
  // The path from the root down; the current directory is the selected entry.
  QStringList parts = path_.split('/', Qt::SkipEmptyParts);
  add("/", "/", 0);
  QString walked;
  for (int k = 0; k < parts.size(); ++k) {
    walked += '/' + parts[k];
    add(parts[k], walked, k + 1);
  }
  setCurrentRow(count() - 1);
  QDir dir(path_);
  const QStringList subdirectories = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& sub : subdirectories)
    add(sub, QDir::cleanPath(path_ + '/' + sub), static_cast<int>(parts.size()) + 1);
}

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
  QStringList roots{"/"};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && !roots.contains(volume.rootPath())) roots << volume.rootPath();
  std::sort(roots.begin() + 1, roots.end());
  addItems(roots);
  setCurrentIndex(-1);
  connect(this, &QComboBox::currentTextChanged, this, &DriveListBox::driveChanged);
}

void DriveListBox::setDrive(const QString& drive) {
  if (drive == currentText()) return;
  if (findText(drive) < 0) addItem(drive);
  setCurrentIndex(findText(drive));
}

QString DriveListBox::driveOf(const QString& path) const {
  QString best = "/";
  for (int k = 0; k < count(); ++k) {
    const QString root = itemText(k);
    const bool contains = path == root || path.startsWith(root.endsWith('/') ? root : root + '/');
    if (contains && root.size() > best.size()) best = root;
  }
  return best;
}

}  // namespace kvt::ui
