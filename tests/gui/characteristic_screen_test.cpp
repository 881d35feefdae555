#include "measure/characteristic_screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "measure/reading_cell.h"
#include "platform/picture_box.h"
#include "support/screen_fixture.h"

namespace {

const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255);

// The characteristic screen opened through the hub, its window active, as the student has it.
class CharacteristicScreen : public ScreenShots {
 protected:
  void SetUp() override {
    screen = hub.show(ScreenId::Characteristic);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
  }

  ReadingCell* cell(int row) const {
    return screen->findChild<ReadingCell*>(QStringLiteral("Text1(%1)").arg(row));
  }
  QString text(const char* name, int row) const {
    return screen->findChild<QLabel*>(QString::fromUtf8(name) + QStringLiteral("(%1)").arg(row))
        ->text();
  }
  bool rowOpen(int row) const { return cell(row)->isVisible(); }
  QColor colour(int row) const { return cell(row)->palette().color(QPalette::Base); }
  QPushButton* button(const char* name) const {
    return screen->findChild<QPushButton*>(QString::fromUtf8(name));
  }
  // Types the keys into a row's cell (replacing its text) and presses Enter.
  void enter(int row, const QString& keys, Qt::Key confirm = Qt::Key_Return) {
    cell(row)->clear();
    QTest::keyClicks(cell(row), keys);
    QTest::keyClick(cell(row), confirm);
  }
  // A pixel of the colour within one pixel of the user point (x V, y MHz) of the plot.
  bool plotted(double x, double y, const QColor& colour) const {
    const auto* plot = screen->findChild<PictureBox*>(QStringLiteral("PicХар"));
    const QImage image = plot->image();
    const QPointF at = plot->toPixels(x, y);
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        const QPoint p(int(std::floor(at.x())) + dx, int(std::floor(at.y())) + dy);
        if (image.valid(p) && image.pixelColor(p) == colour) return true;
      }
    }
    return false;
  }
  static QString decimal(const char* number) {
    return QString::fromLatin1(number).replace(QLatin1Char('.'), QLocale::system().decimalPoint());
  }

  LabScreen* screen = nullptr;
};

// The down arrow confirms a reading as Enter does (the other tests press Enter).
TEST_F(CharacteristicScreen, FirstReadingComputesTheRowOpensTheNextAndPlots) {
  for (int row = 1; row <= 14; ++row) EXPECT_EQ(rowOpen(row), row == 1) << row;
  EXPECT_EQ(colour(1), kRed);
  EXPECT_FALSE(button("CmdИХ")->isEnabled());
  EXPECT_EQ(screen->focusWidget(), cell(1));
  EXPECT_FALSE(plotted(0.01, 1, kBlue));

  enter(1, QStringLiteral("10"), Qt::Key_Down);
  EXPECT_EQ(text("Label5", 1), decimal("14.1"));
  EXPECT_EQ(text("Label6", 1), decimal("1.2"));
  EXPECT_EQ(text("Label8", 1), decimal("85.39"));
  EXPECT_NEAR(state.Рез.ХарS[1], 85.39, 0.005);
  EXPECT_TRUE(rowOpen(2));
  EXPECT_FALSE(rowOpen(3));
  EXPECT_EQ(screen->focusWidget(), cell(2));
  EXPECT_EQ(colour(1), kGreen);  // left with a reading in it
  EXPECT_EQ(colour(2), kRed);
  EXPECT_TRUE(button("CmdИХ")->isEnabled());
  // The segment from the origin to the point and its mirror, and nothing beyond.
  for (double t : {0.35, 0.65, 1.0}) {
    EXPECT_TRUE(plotted(t * 0.0141, t * 1.204, kBlue) && plotted(-t * 0.0141, -t * 1.204, kBlue));
  }
  EXPECT_FALSE(plotted(0.0141 * 3, 1.204 * 3, kBlue));
  EXPECT_FALSE(plotted(0.0141 * 5, 1.204 * 5, kRed));  // no idealized line yet
  cell(1)->setFocus();                                 // an empty cell left stays red
  EXPECT_EQ(colour(2), kRed);
}

// "Новый" empties a full table but keeps the record, and counting starts again from one row.
TEST_F(CharacteristicScreen, FourteenRowsAtMostAndARefusedFifteenthBeepsTwice) {
  for (int row = 1; row <= 14; ++row) enter(row, QString::number(10 * row));
  EXPECT_EQ(desktop.beepCount(), 0);  // Enter in row 14 opens nothing and is silent
  for (int row = 1; row <= 14; ++row) EXPECT_TRUE(rowOpen(row)) << row;
  EXPECT_EQ(text("Label5", 14), decimal("197.4"));
  // Row 14 is the row still waiting for input, so the curve stops at row 13.
  const double u13 = 1.41 * 130 / 1000, u14 = 1.41 * 140 / 1000;
  EXPECT_TRUE(plotted(u13, 0.5 * 20.10, kBlue));
  EXPECT_FALSE(plotted(u14, 0.5 * 20.82, kBlue));
  // With row 5 emptied, Enter in row 4 tries to open a fifteenth row.
  cell(5)->clear();
  enter(4, QStringLiteral("40"));
  EXPECT_EQ(desktop.beepCount(), 2);
  enter(4, QStringLiteral("40"));
  EXPECT_EQ(desktop.beepCount(), 4);
  EXPECT_TRUE(plotted(u14, 0.5 * 20.82, kBlue));  // now all 14 rows are drawn

  dynamic_cast<frmХарЧМ1*>(screen)->Новый();
  for (int row = 1; row <= 14; ++row) {
    EXPECT_TRUE(cell(row)->text().isEmpty() && text("Label5", row).isEmpty()) << row;
    EXPECT_EQ(rowOpen(row), row == 1) << row;
  }
  EXPECT_EQ(colour(1), kRed);
  EXPECT_EQ(state.Рез.Харuвх[2], 20.0f);
  enter(1, QStringLiteral("12"));
  EXPECT_TRUE(rowOpen(2));
  EXPECT_FALSE(rowOpen(3));
}

// A row entered again is replaced without opening another, and row 1 turns the idealized line.
TEST_F(CharacteristicScreen, IdealizedLineStaysAndFollowsRowOne) {
  enter(1, QStringLiteral("10"));
  button("CmdИХ")->click();
  EXPECT_TRUE(plotted(0.0141 * 5, 1.204 * 5, kRed));
  EXPECT_TRUE(plotted(-0.0141 * 8, -1.204 * 8, kRed));
  enter(2, QStringLiteral("30"));
  enter(3, QStringLiteral("50"));
  EXPECT_TRUE(plotted(0.0141 * 5, 1.204 * 5, kRed));
  enter(1, QStringLiteral("20"));
  EXPECT_EQ(text("Label5", 1), decimal("28.2"));
  EXPECT_FLOAT_EQ(state.Рез.ХарUвх[1], 28.2f);
  EXPECT_FALSE(rowOpen(5));
  EXPECT_EQ(desktop.beepCount(), 0);
  EXPECT_TRUE(plotted(0.0282, 1.204, kBlue));  // the curve goes through the new point
  EXPECT_TRUE(plotted(0.0282 * 4, 1.204 * 4, kRed));
  EXPECT_FALSE(plotted(0.0141 * 8, 1.204 * 8, kRed));
}

// Typed key by key (Cyrillic letters included), pasted with Ctrl+V or as the context menu does.
TEST_F(CharacteristicScreen, CellsKeepDigitsAndPointsAndTurnCommasIntoPoints) {
  const std::pair<const char*, const char*> rows[] = {
      {"1,5", "1.5"}, {"1a-5 мВ", "15"}, {"2.5e3", "2.53"}, {",,7", "..7"}, {"12,5 мВ", "12.5"}};
  for (const auto& [keys, kept] : rows) {
    const QString typed = QString::fromUtf8(keys), expected = QString::fromUtf8(kept);
    cell(1)->clear();
    for (const QChar c : typed) {
      QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
      QApplication::sendEvent(cell(1), &press);
    }
    EXPECT_EQ(cell(1)->text(), expected) << keys;
    QApplication::clipboard()->setText(typed);
    cell(1)->clear();
    QTest::keyClick(cell(1), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(1)->text(), expected) << keys;
    cell(1)->clear();
    cell(1)->paste();
    EXPECT_EQ(cell(1)->text(), expected) << keys;
  }
  EXPECT_EQ(desktop.beepCount(), 0);
}

// Each reading enters row 1 again; the last one is more than a single holds.
TEST_F(CharacteristicScreen, AZeroReadingShowsNoSlopeAndStoresOnlyFiniteValues) {
  for (const char* reading :
       {"0", "", ".", "000.000", "1000000000000000000000000000000000000000000"}) {
    enter(1, QString::fromLatin1(reading));
    EXPECT_EQ(text("Label8", 1), QString()) << reading;
    EXPECT_EQ(text("Label5", 1), QString(QLocale::system().decimalPoint())) << reading;
    EXPECT_EQ(state.Рез.ХарS[1], 0.0f) << reading;
    EXPECT_TRUE(std::isfinite(state.Рез.Харuвх[1])) << reading;
    EXPECT_TRUE(plotted(0, 1.204 / 2, kBlue)) << reading;  // straight up the axis
  }
  EXPECT_TRUE(rowOpen(2));
}

// Yes: the student goes back to the plot; No, No: stays; only No, Yes opens the band screen.
TEST_F(CharacteristicScreen, NextOpensTheBandCalculationOnlyAfterNoThenYes) {
  using enum MsgAnswer;
  for (const std::deque<MsgAnswer>& answers :
       {std::deque<MsgAnswer>{Yes}, std::deque<MsgAnswer>{No, No},
        std::deque<MsgAnswer>{No, Yes}}) {
    desktop.clear();
    desktop.answers = answers;
    button("CmdДальше")->click();
    settleEvents();
    const auto boxes = desktop.messages();
    ASSERT_EQ(boxes.size(), answers.size());
    EXPECT_EQ(
        boxes[0].text,
        QStringLiteral(
            "  Для дальнейшей работы необходимо определить ширину линейного участка модуляционной характеристики.\r\n"
            "1.  Выведите на график идеализированную характеристику, нажав клавишу 'Идеализированная характеристика'. \r\n"
            "2.  Cравните ее c измеренной характеристикой и запишите на бумаге значения размаха входного напряжения (U вх, В) и соответствующего размаха отклонения частоты (МГц) для линейного (на Ваш взгляд) участка характеристики.\r\n"
            " (Можно распечатать результаты работы выбрав пункт меню 'Печать')\r\n\r\n"
            " Если Вы уже выполнили вышеуказанные действия, нажмите клавишу 'No', в противном случае - клавишу 'Yes'."));
    for (const DesktopCall& box : boxes) {
      EXPECT_EQ(std::tuple(box.title, box.buttons, box.icon),
                std::tuple(QStringLiteral("Информация"), MsgButtons::YesNo, MsgIcon::None));
    }
    EXPECT_EQ(boxes.back().text,
              boxes.size() == 1 ? boxes[0].text : QStringLiteral(" Пойдем дальше?"));
    EXPECT_EQ(hub.find(ScreenId::Band) != nullptr, answers.back() == Yes && answers.size() == 2);
  }
  EXPECT_NE(hub.find(ScreenId::Characteristic), nullptr);  // stays open behind
}

}  // namespace
