#include "scripted_desktop.h"

#include <QPainter>

MsgAnswer ScriptedDesktop::message(QWidget*, const QString& text, MsgButtons buttons, MsgIcon icon,
                                   const std::optional<QString>& title) {
  DesktopCall call{DesktopCall::Kind::Message, text, title, buttons, icon, {}};
  calls.push_back(call);
  if (onMessage) onMessage(call);
  if (answers.empty()) return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
  const MsgAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

QString ScriptedDesktop::openFileName(QWidget*, const OpenFileRequest& request) {
  calls.push_back({DesktopCall::Kind::OpenFile, {}, {}, MsgButtons::Ok, MsgIcon::None, request});
  if (fileNames.empty()) return {};
  const QString name = fileNames.front();
  fileNames.pop_front();
  return name;
}

PrintOutcome ScriptedDesktop::printPage(QWidget*, const QString& documentName,
                                        const PagePainter& paint) {
  calls.push_back({DesktopCall::Kind::Print, documentName});
  if (printOutcome == PrintOutcome::Printed || printOutcome == PrintOutcome::SavedAsPdf) {
    QImage page(pageSize, QImage::Format_ARGB32_Premultiplied);
    page.fill(Qt::white);
    QPainter painter(&page);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(pageSize)));
    painter.end();
    printedPages.push_back(page);
  }
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
  return static_cast<int>(std::ranges::count_if(
      calls, [](const DesktopCall& c) { return c.kind == DesktopCall::Kind::Beep; }));
}

void ScriptedDesktop::clear() {
  calls.clear();
  answers.clear();
  fileNames.clear();
  printedPages.clear();
}
