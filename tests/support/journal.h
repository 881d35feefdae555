#pragma once

#include <QPrinter>
#include <QStringList>

#include "tools/fmlab-journal/journal_dialogs.h"

// The journal's dialogs answered by the test.
class ScriptedDialogs final : public JournalDialogs {
 public:
  QStringList folders, saveNames;  // the answers, first first
  QString printTo;                 // the print dialog sends the pages to this PDF
  QStringList told;
  QString chooseFolder(QWidget*, const QString&) override { return take(folders); }
  QStringList chooseFiles(QWidget*, const QString&) override { return {}; }
  QString chooseSaveName(QWidget*, const QString&, const QString&) override {
    return take(saveNames);
  }
  bool choosePrinter(QWidget*, QPrinter& printer) override {
    printer.setOutputFileName(printTo);  // a .pdf name makes it a PDF printer
    return true;
  }
  void tell(QWidget*, const QString& text) override { told << text; }
  static QString take(QStringList& answers) {
    return answers.isEmpty() ? QString() : answers.takeFirst();
  }
};
