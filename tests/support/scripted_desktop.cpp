#include "scripted_desktop.h"

#include <QPainter>

MsgAnswer ScriptedDesktop::message(QWidget*, const QString& text, MsgButtons buttons, MsgIcon icon,
                                   const std::optional<QString>& title) {
  DesktopCall call{DesktopCall::Kind::Message};
  call.text = text;
  call.defaultTitle = !title.has_value();
  call.title = title ? *title : QString::fromUtf8(kApplicationTitle);
  call.buttons = buttons;
  call.icon = icon;
  calls.push_back(call);
  if (onMessage) onMessage(call);
  if (!answers.empty()) {
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
}

void ScriptedDesktop::beep() { calls.push_back({DesktopCall::Kind::Beep}); }

QString ScriptedDesktop::openFileName(QWidget*, const OpenFileRequest& request) {
  DesktopCall call{DesktopCall::Kind::OpenFile};
  call.request = request;
  calls.push_back(call);
  if (fileNames.empty()) return {};
  const QString name = fileNames.front();
  fileNames.pop_front();
  return name;
}

PrintOutcome ScriptedDesktop::printPage(QWidget*, const QString& documentName,
                                        const PagePainter& paint) {
  DesktopCall call{DesktopCall::Kind::Print};
  call.text = documentName;
  calls.push_back(call);
  if (printOutcome != PrintOutcome::Printed && printOutcome != PrintOutcome::SavedAsPdf) {
    return printOutcome;
  }
  QImage page(pageSize, QImage::Format_ARGB32_Premultiplied);
  page.fill(Qt::white);
  QPainter painter(&page);
  paint(painter, QRectF(QPointF(0, 0), QSizeF(pageSize)));
  painter.end();
  printedPages.push_back(page);
  return printOutcome;
}

void ScriptedDesktop::endProgram() {
  calls.push_back({DesktopCall::Kind::End});
  ended = true;
}

std::vector<DesktopCall> ScriptedDesktop::messages() const {
  std::vector<DesktopCall> result;
  for (const DesktopCall& call : calls) {
    if (call.kind == DesktopCall::Kind::Message) result.push_back(call);
  }
  return result;
}

QString ScriptedDesktop::lastMessage() const {
  const auto shown = messages();
  return shown.empty() ? QString() : shown.back().text;
}

int ScriptedDesktop::beepCount() const {
  int count = 0;
  for (const DesktopCall& call : calls) count += call.kind == DesktopCall::Kind::Beep;
  return count;
}

void ScriptedDesktop::clear() {
  calls.clear();
  answers.clear();
  fileNames.clear();
  printedPages.clear();
}
