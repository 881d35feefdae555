#pragma once

#include <QImage>
#include <deque>
#include <functional>
#include <vector>

#include "platform/desktop.h"

// One thing the program asked of the desktop.
struct DesktopCall {
  enum class Kind { Message, Beep, OpenFile, Print, End };
  Kind kind;
  QString text;   // message text
  QString title;  // message title as shown (the application's title when none was given)
  bool defaultTitle = false;
  MsgButtons buttons = MsgButtons::Ok;
  MsgIcon icon = MsgIcon::None;
  OpenFileRequest request;  // open-file dialog
};

// A desktop for tests: message boxes are answered from a queue, file dialogs from another, and
// every call is recorded, so that a test reads like the student's road and never blocks.
class ScriptedDesktop : public Desktop {
 public:
  std::deque<MsgAnswer> answers;  // a box with no queued answer gets OK, or No for Yes/No
  std::deque<QString> fileNames;  // an empty queue means the student cancels
  std::vector<DesktopCall> calls;
  // Runs when a message box is shown, before it is answered (the box is "open" then).
  std::function<void(const DesktopCall&)> onMessage;
  // Printing: each printed page is drawn into an image of this size (pixels).
  QSize pageSize{1240, 1754};
  std::vector<QImage> printedPages;
  PrintOutcome printOutcome = PrintOutcome::Printed;
  bool ended = false;

  MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                    const std::optional<QString>& title) override;
  void beep() override;
  QString openFileName(QWidget* parent, const OpenFileRequest& request) override;
  PrintOutcome printPage(QWidget* parent, const QString& documentName,
                         const PagePainter& paint) override;
  void endProgram() override;

  std::vector<DesktopCall> messages() const;
  // The text of the last message box, or an empty text when none was shown.
  QString lastMessage() const;
  int beepCount() const;
  void clear();
};
