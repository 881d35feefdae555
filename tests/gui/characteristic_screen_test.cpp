#include "measure/characteristic_screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "measure/reading_cell.h"
#include "platform/picture_box.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

namespace {

const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255);

// The characteristic screen opened through the hub, its window active, as the student has it.
class CharacteristicScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    state.rnd = [] { return 0.5; };
    screen = hub.show(ScreenId::Characteristic);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    plot = screen->findChild<PictureBox*>(QStringLiteral("PicХар"));
    ASSERT_NE(plot, nullptr);
  }
  void TearDown() override { settleEvents(); }

  ReadingCell* cell(int row) const {
    return screen->findChild<ReadingCell*>(QStringLiteral("Text1(%1)").arg(row));
  }
  QString text(const char* name, int row) const {
    return screen
        ->findChild<QLabel*>(QStringLiteral("%1(%2)").arg(QString::fromUtf8(name)).arg(row))
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
  // The segment from the origin to (x, y) and its mirror, checked along their length.
  bool segmentAndMirror(double x, double y, const QColor& colour) const {
    for (double t : {0.35, 0.65, 1.0}) {
      if (!plotted(t * x, t * y, colour) || !plotted(-t * x, -t * y, colour)) return false;
    }
    return true;
  }
  static QString decimal(const char* number) {
    return QString::fromLatin1(number).replace(QLatin1Char('.'), QLocale::system().decimalPoint());
  }

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub hub{state, desktop};
  LabScreen* screen = nullptr;
  PictureBox* plot = nullptr;
};

TEST_F(CharacteristicScreen, FreshTableHasOneRedRowAndNoCurve) {
  EXPECT_TRUE(rowOpen(1));
  for (int row = 2; row <= 14; ++row) EXPECT_FALSE(rowOpen(row)) << row;
  EXPECT_EQ(colour(1), kRed);
  EXPECT_FALSE(button("CmdИХ")->isEnabled());
  EXPECT_EQ(screen->focusWidget(), cell(1));
  EXPECT_EQ(text("Label7", 3), QStringLiteral("5.52"));
  EXPECT_FALSE(plotted(0.01, 1, kBlue));
  EXPECT_EQ(screen->pos(), QPoint(0, 0));
}

TEST_F(CharacteristicScreen, FirstReadingComputesTheRowOpensTheNextAndPlots) {
  enter(1, QStringLiteral("10"));
  EXPECT_EQ(text("Label5", 1), decimal("14.1"));
  EXPECT_EQ(text("Label6", 1), decimal("1.2"));
  EXPECT_EQ(text("Label8", 1), decimal("85.39"));
  const Результат& рез = state.Рез;
  EXPECT_EQ(рез.Харuвх[1], 10.0f);
  EXPECT_FLOAT_EQ(рез.ХарUвх[1], 14.1f);
  EXPECT_FLOAT_EQ(рез.Харdf[1], 1.204f);
  EXPECT_NEAR(рез.ХарS[1], 85.39, 0.005);

  EXPECT_TRUE(rowOpen(2));
  EXPECT_FALSE(rowOpen(3));
  EXPECT_EQ(screen->focusWidget(), cell(2));
  EXPECT_EQ(colour(1), kGreen);  // left with a reading in it
  EXPECT_EQ(colour(2), kRed);
  EXPECT_TRUE(button("CmdИХ")->isEnabled());
  EXPECT_TRUE(segmentAndMirror(0.0141, 1.204, kBlue));
  EXPECT_FALSE(plotted(0.0141 * 3, 1.204 * 3, kBlue));  // the segment ends at the point
  EXPECT_FALSE(plotted(0.0141 * 5, 1.204 * 5, kRed));   // no idealized line yet
}

TEST_F(CharacteristicScreen, AnEmptyCellLeftStaysRed) {
  enter(1, QStringLiteral("10"));
  cell(1)->setFocus();  // from the empty row 2 back to row 1
  EXPECT_EQ(colour(2), kRed);
}

TEST_F(CharacteristicScreen, DownArrowActsAsEnter) {
  enter(1, QStringLiteral("10"), Qt::Key_Down);
  EXPECT_EQ(text("Label8", 1), decimal("85.39"));
  EXPECT_TRUE(rowOpen(2));
  EXPECT_EQ(screen->focusWidget(), cell(2));
}

TEST_F(CharacteristicScreen, EnteringARowAgainReplacesItWithoutOpeningAnother) {
  enter(1, QStringLiteral("10"));
  enter(2, QStringLiteral("16"));
  ASSERT_TRUE(rowOpen(3));
  enter(1, QStringLiteral("20"));
  EXPECT_EQ(text("Label5", 1), decimal("28.2"));
  EXPECT_FLOAT_EQ(state.Рез.ХарUвх[1], 28.2f);
  EXPECT_FALSE(rowOpen(4));
  EXPECT_TRUE(plotted(0.0282, 1.204, kBlue));  // redrawn through the new point
  EXPECT_EQ(desktop.beepCount(), 0);
}

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
}

TEST_F(CharacteristicScreen, IdealizedLineStaysAndFollowsRowOne) {
  enter(1, QStringLiteral("10"));
  button("CmdИХ")->click();
  EXPECT_TRUE(plotted(0.0141 * 5, 1.204 * 5, kRed));
  EXPECT_TRUE(plotted(-0.0141 * 8, -1.204 * 8, kRed));
  enter(2, QStringLiteral("30"));
  enter(3, QStringLiteral("50"));
  EXPECT_TRUE(plotted(0.0141 * 5, 1.204 * 5, kRed));
  enter(1, QStringLiteral("20"));  // a new row 1 turns the line
  EXPECT_TRUE(plotted(0.0282 * 4, 1.204 * 4, kRed));
  EXPECT_FALSE(plotted(0.0141 * 8, 1.204 * 8, kRed));
}

struct TypingCase {
  const char* keys;
  const char* text;
};

class CharacteristicTyping : public CharacteristicScreen,
                             public ::testing::WithParamInterface<TypingCase> {};

TEST_P(CharacteristicTyping, KeepsDigitsAndPointsAndTurnsCommasIntoPoints) {
  for (const QChar c : QString::fromUtf8(GetParam().keys)) {
    // One key press per character, Cyrillic letters included.
    QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
    QApplication::sendEvent(cell(1), &press);
  }
  EXPECT_EQ(cell(1)->text(), QString::fromUtf8(GetParam().text));
  EXPECT_EQ(desktop.beepCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, CharacteristicTyping,
                         ::testing::Values(TypingCase{"1,5", "1.5"}, TypingCase{"1a-5 мВ", "15"},
                                           TypingCase{"2.5e3", "2.53"}, TypingCase{",,7", "..7"}));

TEST_F(CharacteristicScreen, PastedTextIsFilteredTheSameWay) {
  QApplication::clipboard()->setText(QStringLiteral("12,5 мВ"));
  QTest::keyClick(cell(1), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(cell(1)->text(), QStringLiteral("12.5"));
  cell(1)->clear();
  cell(1)->paste();  // as the context menu does
  EXPECT_EQ(cell(1)->text(), QStringLiteral("12.5"));
}

class CharacteristicZeroReading : public CharacteristicScreen,
                                  public ::testing::WithParamInterface<const char*> {};

TEST_P(CharacteristicZeroReading, ShowsNoSlopeAndStoresOnlyFiniteValues) {
  enter(1, QString::fromLatin1(GetParam()));
  EXPECT_EQ(text("Label8", 1), QString());
  EXPECT_EQ(text("Label5", 1), QString(QLocale::system().decimalPoint()));
  EXPECT_EQ(text("Label6", 1), decimal("1.2"));
  const Результат& рез = state.Рез;
  EXPECT_EQ(рез.ХарS[1], 0.0f);
  for (float value : {рез.Харuвх[1], рез.ХарUвх[1], рез.Харdf[1]}) {
    EXPECT_TRUE(std::isfinite(value));
  }
  EXPECT_TRUE(rowOpen(2));
  EXPECT_TRUE(plotted(0, 1.204 / 2, kBlue));  // straight up the axis to the deviation
}

INSTANTIATE_TEST_SUITE_P(Texts, CharacteristicZeroReading,
                         ::testing::Values("0", "", ".", "000.000",
                                           // more than a single holds
                                           "1000000000000000000000000000000000000000000"));

struct NextCase {
  std::vector<MsgAnswer> answers;
  size_t boxes;
  bool bandOpens;
};

class CharacteristicNext : public CharacteristicScreen,
                           public ::testing::WithParamInterface<NextCase> {};

TEST_P(CharacteristicNext, OnlyNoThenYesOpensTheBandCalculation) {
  desktop.answers.assign(GetParam().answers.begin(), GetParam().answers.end());
  button("CmdДальше")->click();
  settleEvents();
  const auto boxes = desktop.messages();
  ASSERT_EQ(boxes.size(), GetParam().boxes);
  const QString crlf = QStringLiteral("\r\n");
  EXPECT_EQ(
      boxes[0].text,
      QStringLiteral(
          "  Для дальнейшей работы необходимо определить ширину линейного участка модуляционной характеристики.") +
          crlf +
          QStringLiteral(
              "1.  Выведите на график идеализированную характеристику, нажав клавишу 'Идеализированная характеристика'. ") +
          crlf +
          QStringLiteral(
              "2.  Cравните ее c измеренной характеристикой и запишите на бумаге значения размаха входного напряжения (U вх, В) и соответствующего размаха отклонения частоты (МГц) для линейного (на Ваш взгляд) участка характеристики.") +
          crlf +
          QStringLiteral(" (Можно распечатать результаты работы выбрав пункт меню 'Печать')") +
          crlf + crlf +
          QStringLiteral(
              " Если Вы уже выполнили вышеуказанные действия, нажмите клавишу 'No', в противном случае - клавишу 'Yes'."));
  for (const DesktopCall& box : boxes) {
    EXPECT_EQ(box.title, QStringLiteral("Информация"));
    EXPECT_EQ(box.buttons, MsgButtons::YesNo);
    EXPECT_EQ(box.icon, MsgIcon::None);
  }
  if (boxes.size() > 1) {
    EXPECT_EQ(boxes[1].text, QStringLiteral(" Пойдем дальше?"));
  }
  EXPECT_EQ(hub.find(ScreenId::Band) != nullptr, GetParam().bandOpens);
  EXPECT_NE(hub.find(ScreenId::Characteristic), nullptr);  // stays open behind
}

INSTANTIATE_TEST_SUITE_P(Answers, CharacteristicNext,
                         ::testing::Values(NextCase{{MsgAnswer::Yes}, 1, false},
                                           NextCase{{MsgAnswer::No, MsgAnswer::No}, 2, false},
                                           NextCase{{MsgAnswer::No, MsgAnswer::Yes}, 2, true}));

TEST_F(CharacteristicScreen, NewEmptiesTheTableButKeepsTheRecord) {
  enter(1, QStringLiteral("10"));
  enter(2, QStringLiteral("16"));
  dynamic_cast<frmХарЧМ1*>(screen)->Новый();
  for (int row = 1; row <= 14; ++row) {
    EXPECT_TRUE(cell(row)->text().isEmpty()) << row;
    EXPECT_TRUE(text("Label5", row).isEmpty()) << row;
    EXPECT_EQ(rowOpen(row), row == 1) << row;
  }
  EXPECT_EQ(colour(1), kRed);
  EXPECT_EQ(state.Рез.Харuвх[2], 16.0f);
  enter(1, QStringLiteral("12"));
  EXPECT_TRUE(rowOpen(2));  // counting starts again from one row
  EXPECT_FALSE(rowOpen(3));
}

TEST_F(CharacteristicScreen, MenusOpenTheLiteratureAndThePreview) {
  screen->findChild<QAction*>(QStringLiteral("mnuЛит"))->trigger();
  EXPECT_NE(hub.find(ScreenId::Literature), nullptr);
  screen->findChild<QAction*>(QStringLiteral("mnuПредв"))->trigger();
  EXPECT_NE(hub.find(ScreenId::MainWindow), nullptr);
  EXPECT_NE(hub.find(ScreenId::Report), nullptr);
}

}  // namespace
