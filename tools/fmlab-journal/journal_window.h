#pragma once

#include <QMainWindow>
#include <vector>

#include "tools/fmlab-journal/class_export.h"
#include "tools/fmlab-journal/class_filter.h"
#include "tools/fmlab-journal/class_reader.h"
#include "tools/fmlab-journal/class_table.h"

class JournalDialogs;
class PageView;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QSettings;
class QTableView;

// The teacher's journal: the class's results files as a table (filtered by group and by a
// searched text, sorted by any column), the chosen student's page beside it with its card as
// text, the folders watched; exports and printing of the whole table or the chosen rows.
class JournalWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `settings` keeps the last folders opened.
  JournalWindow(JournalDialogs& dialogs, QSettings& settings, QWidget* parent = nullptr);
  // Folders and files, as given on the command line or dropped on the window.
  void open(const QStringList& paths, bool add = false);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void makeMenus();
  void makeRecentMenu();
  void remember(const QStringList& paths);
  void showCurrent();
  void showCounts();
  void showGroups();
  void stepStudent(int rows);
  void exportRows(ExportFormat format, bool chosenOnly);
  void printChosen();
  std::vector<ResultsFileReport> rows(bool chosenOnly) const;

  JournalDialogs& dialogs_;
  QSettings& settings_;
  ClassReader reader_;
  ClassTable table_;
  ClassFilter filter_;
  QComboBox* group_;
  QLineEdit* search_;
  QTableView* view_;
  PageView* page_;
  QPlainTextEdit* card_;
  QLabel* counts_;
  QProgressBar* progress_;
  QMenu* recent_ = nullptr;
};
