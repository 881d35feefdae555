#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "platform/desktop.h"
#include "platform/page_printing.h"

namespace {

// "Files (*.res)|*.res|All (*.*)|*.*" -> the Qt filter list "Files (*.res);;All (*.*)".
QStringList qtFilters(const QString& vbFilter) {
  const QStringList parts = vbFilter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    filters << (description.contains(QLatin1Char('('))
                    ? description
                    : description + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')'));
  }
  return filters;
}

QMessageBox::Icon qtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Critical:
      return QMessageBox::Critical;
    case MsgIcon::Exclamation:
      return QMessageBox::Warning;
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// A message box. A Yes/No question is answered only by one of its buttons: Escape and the
// window's close button do nothing then, as the system's questions cannot be dismissed.
class MessageBox final : public QMessageBox {
 public:
  MessageBox(QWidget* parent, bool answerRequired)
      : QMessageBox(parent), answerRequired_(answerRequired) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (answerRequired_ && event->matches(QKeySequence::Cancel)) return;
    QMessageBox::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    if (answerRequired_) {
      event->ignore();
      return;
    }
    QMessageBox::closeEvent(event);
  }

 private:
  bool answerRequired_;
};

class SystemDesktop final : public Desktop {
 public:
  MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                    const std::optional<QString>& title) override {
    // A box over a window that is not shown yet (a load that fails) is centred on the desktop,
    // not over the place that window has before the window system puts it somewhere.
    if (parent && !parent->window()->isVisible()) parent = nullptr;
    MessageBox box(parent, buttons == MsgButtons::YesNo);
    box.setWindowModality(Qt::ApplicationModal);
    box.setIcon(qtIcon(icon));
    box.setText(text);
    box.setWindowTitle(title ? *title : QString::fromUtf8(kApplicationTitle));
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    switch (buttons) {
      case MsgButtons::Ok:
        ok = box.addButton(QStringLiteral("ОК"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
        break;
      case MsgButtons::OkCancel:
        ok = box.addButton(QStringLiteral("ОК"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        break;
      case MsgButtons::YesNo:
        yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        break;
    }
    box.setDefaultButton(ok ? ok : yes);
    // The reader says the box's title (or, when it has none to say, that it is a question), its
    // text (the box's own label) once, how to answer a question, then the focused button.
    const QString spokenTitle = box.windowTitle().trimmed();
    box.setAccessibleName(!spokenTitle.isEmpty()         ? spokenTitle
                          : buttons == MsgButtons::YesNo ? QStringLiteral("Вопрос")
                                                         : QStringLiteral("Сообщение"));
    if (buttons == MsgButtons::YesNo)
      box.setAccessibleDescription(
          QStringLiteral("Ответ: «Да» или «Нет», Tab и пробел или Enter."));
    box.exec();
    const auto* clicked = box.clickedButton();
    if (clicked == yes && yes) return MsgAnswer::Yes;
    if (clicked == no && no) return MsgAnswer::No;
    if (clicked == cancel && cancel) return MsgAnswer::Cancel;
    if (buttons == MsgButtons::YesNo) return MsgAnswer::No;
    return clicked == ok ? MsgAnswer::Ok : (cancel ? MsgAnswer::Cancel : MsgAnswer::Ok);
  }

  void beep() override { QApplication::beep(); }

  QString openFileName(QWidget* parent, const OpenFileRequest& request) override {
    QFileDialog dialog(parent, request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // speaks Russian with Qt's translations
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = qtFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
      dialog.selectNameFilter(filters[request.filterIndex - 1]);
    }
    QString suffix = request.defaultExtension;
    suffix.remove(QLatin1Char('*')).remove(QLatin1Char('.'));
    dialog.setDefaultSuffix(suffix);
    dialog.setDirectory(request.directory.isEmpty() ? QDir::current() : QDir(request.directory));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
  }

  PrintOutcome printPage(QWidget* parent, const QString& documentName, const QString& pdfPath,
                         const PagePainter& paint) override {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    if (!QPrinterInfo::defaultPrinter().isNull()) {
      if (printOnePage(printer, paint)) return PrintOutcome::Printed;
      message(parent, QStringLiteral("Не удалось напечатать отчет: принтер недоступен."),
              MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Ошибка!"));
      return PrintOutcome::Failed;
    }
    // Without a printer the report can still be kept: as a PDF file to print elsewhere.
    const MsgAnswer answer = message(
        parent,
        QStringLiteral(
            "Принтер в системе не найден. Сохранить отчет в файл PDF, чтобы напечатать его позже?"),
        MsgButtons::YesNo, MsgIcon::Question, std::nullopt);
    if (answer != MsgAnswer::Yes) return PrintOutcome::Cancelled;
    QFileDialog dialog(parent, QStringLiteral("Сохранить отчет в файл PDF"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // speaks Russian with Qt's translations
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Документ PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    const QFileInfo proposed(pdfPath);
    dialog.setDirectory(proposed.absolutePath());
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
      return PrintOutcome::Cancelled;
    }
    const QString fileName = dialog.selectedFiles().front();
    setUpPdfOutput(printer, fileName, documentName);
    if (printOnePage(printer, paint)) return PrintOutcome::SavedAsPdf;
    message(parent,
            QStringLiteral("Не удалось сохранить отчет в файл %1.")
                .arg(QDir::toNativeSeparators(fileName)),
            MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Ошибка!"));
    return PrintOutcome::Failed;
  }

  void endProgram() override { QCoreApplication::exit(0); }
};

}  // namespace

Desktop& systemDesktop() {
  static SystemDesktop desktop;
  return desktop;
}
