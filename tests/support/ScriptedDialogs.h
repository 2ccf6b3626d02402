#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <stdexcept>

#include "app/dialogs/UserDialogs.h"
#include "support/QtPrinters.h"

namespace telvoran::test {

// Answers every dialog from a script and records what was asked, one line each:
// "open:<title>|<filter>|<index>", "save:<title>|<filter>|<suffix>", "print", "setup:<title>",
// "date:<title>|<label>|<initial, ISO>", "message:<caption>|<text>", "yesno:<caption>|<text>",
// "error:<caption>|<text>", "beep". A dialog without a scripted answer fails the test instead of
// waiting for a person; the printer set-up without one is cancelled.
class ScriptedDialogs : public UserDialogs {
 public:
  std::deque<std::optional<QString>> openAnswers;    // a path, or nothing for Cancel
  std::deque<std::optional<QString>> folderAnswers;  // a folder, or nothing for Cancel
  std::deque<QStringList> saveAnswers;  // the names the user confirms in turn; empty = Cancel
  // The file type (filter entry, from 1) chosen in each save dialog; the first when none is.
  std::deque<int> saveTypeAnswers;
  std::deque<bool> printAnswers;
  // What the user chooses in a print dialog answered with yes (page range, copies...), in turn.
  std::deque<std::function<void(QPrinter&)>> printChoices;
  // What the user chooses in the printer set-up, made on the printer; none: Cancel.
  std::deque<std::function<void(QPrinter&)>> setupAnswers;
  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<QDateTime>> dateAnswers;  // a moment, or nothing for Cancel
  QStringList asked;
  // Run while a message box is up, to look at the windows behind it.
  std::function<void()> whileMessageShown;
  // Run while an open, save, print or printer set-up dialog is up.
  std::function<void()> whileDialogShown;

  std::optional<QString> OpenFileName(QWidget*, const QString& title, const QString& filter,
                                      int filterIndex) override {
    asked << "open:" + title + "|" + filter + "|" + QString::number(filterIndex);
    if (whileDialogShown) whileDialogShown();
    return Take(openAnswers, "open dialog");
  }

  std::optional<QString> FolderName(QWidget*, const QString& title) override {
    asked << "folder:" + title;
    if (whileDialogShown) whileDialogShown();
    return Take(folderAnswers, "folder dialog");
  }

  std::optional<SaveChoice> SaveFileName(
      QWidget*, const QString& title, const QString& filter, const QString& defaultSuffix,
      const std::function<bool(const QString&)>& acceptName) override {
    asked << "save:" + title + "|" + filter + "|" + defaultSuffix;
    if (whileDialogShown) whileDialogShown();
    const QStringList names = Take(saveAnswers, "save dialog");
    int type = 1;
    if (!saveTypeAnswers.empty()) {
      type = saveTypeAnswers.front();
      saveTypeAnswers.pop_front();
    }
    for (const QString& name : names)
      if (acceptName(name)) return SaveChoice{name, type};
    return std::nullopt;
  }

  bool PrintDialog(QWidget*, QPrinter& printer) override {
    asked << "print";
    if (whileDialogShown) whileDialogShown();
    const bool confirmed = Take(printAnswers, "print dialog");
    if (confirmed && !printChoices.empty()) {
      printChoices.front()(printer);
      printChoices.pop_front();
    }
    return confirmed;
  }
  void PrintSetupDialog(QWidget*, QPrinter& printer, const PrinterSetupTexts& texts) override {
    asked << "setup:" + texts.title;
    if (whileDialogShown) whileDialogShown();
    if (setupAnswers.empty()) return;
    setupAnswers.front()(printer);
    setupAnswers.pop_front();
  }

  std::optional<QDateTime> DateTime(QWidget*, const QString& title, const QString& label,
                                    const QDateTime& initial) override {
    asked << "date:" + title + "|" + label + "|" + initial.toString(Qt::ISODate);
    return Take(dateAnswers, "date dialog");
  }

  void Message(QWidget*, const QString& caption, const QString& text) override {
    asked << "message:" + caption + "|" + text;
    if (whileMessageShown) whileMessageShown();
  }
  bool YesNo(QWidget*, const QString& caption, const QString& text) override {
    asked << "yesno:" + caption + "|" + text;
    return Take(yesNoAnswers, "question");
  }
  void Error(QWidget*, const QString& caption, const QString& text) override {
    asked << "error:" + caption + "|" + text;
    if (whileMessageShown) whileMessageShown();
  }
  void Beep() override { asked << "beep"; }

 private:
  template <typename T>
  static T Take(std::deque<T>& answers, const char* what) {
    if (answers.empty()) throw std::logic_error(std::string("no scripted answer for the ") + what);
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
};

}  // namespace telvoran::test
