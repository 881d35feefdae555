#include "frame/required_reading.h"

#include "platform/desktop.h"

QString requiredReadingText() {
  // Every line starts with CR LF; an empty line sets the lab's own manual apart.
  const QString newLine = QStringLiteral("\r\n");
  return QStringLiteral("Перед выполнением работы необходимо изучить следующие материалы:") +
         newLine + QStringLiteral("1. Раздел 4.1, стр. 105-116 [1] ") + newLine +
         QStringLiteral("2. Раздел 4.2, стр. 80-90 [2] ") + newLine +
         QStringLiteral("3. Раздел 8.3, стр. 204-206, раздел 5.11, стр.148-152 [3] ") + newLine +
         newLine + QStringLiteral("4. Лабораторная работа 7, стр. 36-48 [4]");
}

void showRequiredReading(Desktop& desktop, QWidget* parent) {
  desktop.message(parent, requiredReadingText(), MsgButtons::Ok, MsgIcon::Information,
                  QStringLiteral("Информация"));
}
