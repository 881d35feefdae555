#pragma once

#include <QString>

// The texts that name the institution that runs the course, its authors and the editions of the
// books: a university that uses the program puts its own here. The references keep the numbers
// that the required-reading message cites in brackets ([1] to [4]).
namespace institution_texts {

// Title screen.
inline QString labTitle() { return QStringLiteral("Лабораторная работа № 7. Частотный модулятор"); }
inline QString university() { return QStringLiteral("Отраслевой университет связи"); }
inline QString honoraryName() { return QStringLiteral("ордена Трудового Красного Знамени"); }
inline QString faculty() { return QStringLiteral("Факультет радиосвязи и телевидения"); }
inline QString authorPosition() { return QStringLiteral("Кафедра систем радиосвязи"); }
inline QString authorName() { return QStringLiteral("Авторский коллектив курса"); }
inline QString authorAddresses() { return QStringLiteral("www.example.org lab@example.org"); }

// Literature screen.
inline QString reference1() {
  return QStringLiteral(
      "1. Радиорелейные и спутниковые системы передачи. – М.: Радио и связь, 1986.");
}
inline QString reference2() {
  return QStringLiteral("2. Системы радиосвязи. – М.: Радио и связь, 1988.");
}
inline QString reference3() {
  return QStringLiteral("3. Справочник по радиорелейной связи. – М.: Радио и связь, 1981.");
}
inline QString reference4() {
  return QStringLiteral(
      "4. Методические указания к лабораторным работам по курсу «Аналоговые системы связи». "
      "Части 1 и 2. – Издательство университета, 2001.");
}
inline QString guideOnTheWeb() {
  return QStringLiteral(
      "Методические указания размещены на сайте кафедры www.example.org в разделе "
      "«Дистанционное обучение».");
}

}  // namespace institution_texts
