#pragma once

#include <QString>
#include <functional>
#include <optional>

class QPainter;
class QRectF;
class QWidget;

enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgIcon { None, Critical, Exclamation, Information, Question };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// The common open-file dialog. The filter is written as pairs "description|patterns|...".
struct OpenFileRequest {
  QString title;
  QString filter;
  int filterIndex = 1;
  QString defaultExtension;
  QString directory;  // where the dialog starts; empty: the current directory
};

// Draws one page of a printout: the painter is set up on the page, `page` is the printable area
// in the painter's coordinates.
using PagePainter = std::function<void(QPainter& painter, const QRectF& page)>;

enum class PrintOutcome { Printed, SavedAsPdf, Cancelled, Failed };

// The desktop the program runs on: everything that would block on the student or leave the
// process goes through here, so that tests can script it.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // A modal message box. No title (nullopt) shows the application's title.
  virtual MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                            const std::optional<QString>& title) = 0;
  virtual void beep() = 0;
  // The chosen file's path, or an empty text when the student cancels.
  virtual QString openFileName(QWidget* parent, const OpenFileRequest& request) = 0;
  // Prints one page on the default printer; when there is none, offers to save it as a PDF file,
  // the save dialog proposing `pdfPath` (its folder and its name).
  virtual PrintOutcome printPage(QWidget* parent, const QString& documentName,
                                 const QString& pdfPath, const PagePainter& paint) = 0;
  // Ends the process's event loop; the caller has already closed the screens.
  virtual void endProgram() = 0;
};

// The real desktop, through Qt.
Desktop& systemDesktop();

// The application's title, shown by boxes given no title of their own.
inline const char* const kApplicationTitle = "Исследование модуляционной характеристики";
