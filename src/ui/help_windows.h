// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace kvt::ui {

// A window that shows a text: the manual, or what kvt is and under which licences. One of each
// kind per owner; asking again brings it to the front.
class DocumentWindow : public QWidget {
  Q_OBJECT

 public:
  DocumentWindow(const QString& title, const QString& markdown, QWidget* owner);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_ = nullptr;
};

// Help, "kvt manual" (F1): the README's sections for users, from "Using it" to the worked study,
// with their pictures. The README is built into the program, so the manual is the one that came
// with it, installed or not.
DocumentWindow* openManual(QWidget* owner);
// Help, "About kvt": its version, what it does, and the licences of kvt and of the libraries.
DocumentWindow* openAbout(QWidget* owner);

// The part of a README in Markdown from the level-2 heading `from` up to (not including) the
// level-2 heading `to`, or to its end; empty when `from` is not there.
QString markdownSections(const QString& readme, const QString& from, const QString& to = {});

}  // namespace kvt::ui
