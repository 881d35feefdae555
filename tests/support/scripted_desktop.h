#pragma once

#include <QImage>
#include <deque>
#include <functional>
#include <vector>

#include "platform/desktop.h"

// One thing the program asked of the desktop.
struct DesktopCall {
  enum class Kind { Message, Beep, OpenFile, Print, End };
  DesktopCall(Kind k, QString t = {}, std::optional<QString> caption = {},
              MsgButtons b = MsgButtons::Ok, MsgIcon i = MsgIcon::None, OpenFileRequest r = {})
      : kind(k), text(t), title(caption), buttons(b), icon(i), request(r) {}
  Kind kind;
  QString text;                  // message text, or the printed document's name
  std::optional<QString> title;  // none: the application's title
  MsgButtons buttons;
  MsgIcon icon;
  OpenFileRequest request;
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
  QSize pageSize{1240, 1754};  // each printed page is drawn into an image of this size
  std::vector<QImage> printedPages;
  PrintOutcome printOutcome = PrintOutcome::Printed;
  bool ended = false;

  MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                    const std::optional<QString>& title) override;
  void beep() override { calls.push_back({DesktopCall::Kind::Beep}); }
  QString openFileName(QWidget* parent, const OpenFileRequest& request) override;
  PrintOutcome printPage(QWidget* parent, const QString& documentName,
                         const PagePainter& paint) override;
  void endProgram() override;

  std::vector<DesktopCall> messages() const;
  QString lastMessage() const;  // empty when none was shown
  int beepCount() const;
  void clear();
};
