#include "tools/fmlab-journal/journal_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class SystemDialogs final : public JournalDialogs {
 public:
  QString chooseFolder(QWidget* parent, const QString& start) override {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Папка с файлами результатов"),
                                             start);
  }
  QStringList chooseFiles(QWidget* parent, const QString& start) override {
    return QFileDialog::getOpenFileNames(
        parent, QStringLiteral("Файлы результатов"), start,
        QStringLiteral("Файлы результатов (*.res);;Все файлы (*)"));
  }
  QString chooseSaveName(QWidget* parent, const QString& proposed, const QString& filter) override {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить"), proposed, filter);
  }
  bool choosePrinter(QWidget* parent, QPrinter& printer) override {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
  }
  void tell(QWidget* parent, const QString& text) override {
    // A path in the text is the student's: it is shown as typed, never as markup.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Журнал преподавателя"), text,
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
  }
};

}  // namespace

JournalDialogs& systemJournalDialogs() {
  static SystemDialogs dialogs;
  return dialogs;
}
