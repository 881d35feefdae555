#pragma once

#include <QString>
#include <QStringList>

class ScriptedDesktop;
struct ModЧМ;

// What the student types on the road, screen by screen.
struct StudentInput {
  QStringList personal{QStringLiteral("Иванов"),    QStringLiteral("Пётр"),
                       QStringLiteral("Сергеевич"), QStringLiteral("РТ-21"),
                       QStringLiteral("123456"),    QStringLiteral("ivanov@example.org")};
  // Millivoltmeter readings typed into the characteristic table, row by row.
  QStringList readings{QStringLiteral("20,5"), QStringLiteral("32.6"), QStringLiteral("46.9"),
                       QStringLiteral("59.6"), QStringLiteral("73.6")};
  QString f1 = QStringLiteral("300");
  QString f2 = QStringLiteral("2596");
  QString pk = QStringLiteral("32");
  QString dfk = QStringLiteral("200");
  QString channels = QStringLiteral("600");  // typed into "N ТЛФ"
};

// The student's whole road through the real screens, from Main to the end of the work: reads
// the information message, enters the personal data with Enter in each box, assembles the
// circuit with the mouse, works the three stages of the bench, enters the readings and asks
// for the idealized line, calculates the band, answers Yes to both questions, confirms a
// channel count and ends the work. Message boxes are answered by their texts. The hub that Main
// made is deleted at the end. Returns the path of the results file the work wrote (empty when
// the road could not be walked; the failure is reported through GoogleTest).
QString walkStudentRoad(ModЧМ& state, ScriptedDesktop& desktop,
                        const StudentInput& input = StudentInput());
