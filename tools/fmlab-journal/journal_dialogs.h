#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// What the journal asks the teacher in a dialog of its own, so that tests can answer for them.
class JournalDialogs {
 public:
  virtual ~JournalDialogs() = default;
  // Empty answers: the teacher cancelled.
  virtual QString chooseFolder(QWidget* parent, const QString& start) = 0;
  virtual QStringList chooseFiles(QWidget* parent, const QString& start) = 0;
  virtual QString chooseSaveName(QWidget* parent, const QString& proposed,
                                 const QString& filter) = 0;
  // The print dialog, with the printer set up for the pages; false when cancelled.
  virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
  // What went wrong, as plain text.
  virtual void tell(QWidget* parent, const QString& text) = 0;
};

// The desktop's own dialogs.
JournalDialogs& systemJournalDialogs();
