// What the screens promise the student: every message box (text, title, icon, buttons), every
// typed input (key filter, bounds, what Enter stores), the controls' ranges and pointers, and
// the few states that the road itself does not show.

#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <cmath>

#include "platform/pictures.h"
#include "support/assembly.h"
#include "support/lab.h"

namespace {

using enum ScreenId;
using enum MsgButtons;
using A = MsgAnswer;

// A box of the program: what provokes it (a control used on a screen, with earlier boxes
// answered), the box's place in what follows, and what it must look like.
struct Box {
  ScreenId screen;
  const char* control;
  std::vector<MsgAnswer> answers;
  size_t nth;
  const char* text;  // the whole text, or its beginning when it ends with "..."
  std::optional<const char*> title;
  MsgIcon icon;
  MsgButtons buttons;
};

const Box kBoxes[] = {
    {Title, "CmdИнф", {}, 0, "Перед выполнением работы необходимо изучить следующие материалы:\r\n1. Раздел 4.1...", "Информация", MsgIcon::Information, Ok},
    {Literature, "CmdИнф", {}, 0, "Перед выполнением работы необходимо изучить...", "Информация", MsgIcon::Information, Ok},
    {PersonalData, "CmdОК", {}, 0, "Вы заполнили не все поля!", "Ошибка!", MsgIcon::Critical, Ok},
    {PersonalData, "mnuOpen", {}, 0, "Файл результатов еще не сформирован!", std::nullopt, MsgIcon::None, Ok},
    {PersonalData, "mnuИнф", {}, 0, "Если Вы уже работали с программой и заполняли поля на данном экране можно считать эту информацию из файла результатов Result7_Номер СБ.res", std::nullopt, MsgIcon::None, Ok},
    {Assembly, "Lblинф", {}, 0, "1. Щелкнуть мышкой...", "Информация", MsgIcon::Information, Ok},
    {Assembly, "CmdДальше", {}, 0, "Ошибка при монтаже! ", std::nullopt, MsgIcon::None, OkCancel},
    {Bench, "mnuЭтап(1)", {}, 0, " Этап 1. ...", "Этап 1", MsgIcon::Information, Ok},
    {Bench, "mnuЭтап(2)", {}, 0, " Этап 2. ...", "Этап 2", MsgIcon::Information, Ok},
    {Bench, "mnuЭтап(3)", {}, 0, " Этап 3. ...", "Этап 3", MsgIcon::Information, Ok},
    {Bench, "mnuВыход", {A::No}, 0, "Вы хотите окончить работу с программой?", "   ", MsgIcon::None, YesNo},
    {Characteristic, "CmdДальше", {A::No, A::No}, 0, "  Для дальнейшей работы необходимо определить ширину линейного участка модуляционной характеристики.\r\n1.  Выведите...", "Информация", MsgIcon::None, YesNo},
    {Characteristic, "CmdДальше", {A::No, A::No}, 1, " Пойдем дальше?", "Информация", MsgIcon::None, YesNo},
    {Band, "mnuПорядок", {}, 0, "В этой части работы нужно провести...", "Порядок работы", MsgIcon::Information, Ok},
    {Band, "CmdДальше", {A::No}, 0, "Сравните полученое значение девиации частоты с шириной линейного участка модуляционной характеристики.\r\n\r\n Подходит ли...", "Порядок работы", MsgIcon::None, YesNo},
    {Band, "CmdДальше", {A::No}, 1, "Меняя значения граничных частот...\r\n\r\n Соответствующее значение N введите в окошко 'N ТЛФ.'", "Порядок работы", MsgIcon::Information, Ok},
    {Band, "CmdДальше", {A::Yes, A::No}, 1, "Можно ли использовать данный модулятор для передачи большего количества каналов?", "Порядок работы", MsgIcon::None, YesNo},
    {Band, "CmdДальше", {A::Yes, A::No}, 2, "Внимание! Вы закончили работу и ее результаты записаны в файл Result.res.\r\n\r\nЕсли Вы проделали...", "Внимание", MsgIcon::Information, Ok},
    {Report, "mnuПеч", {A::No}, 0, "Готовы печатать?", "  ", MsgIcon::None, YesNo},
};

using ScreenContract = ScreenTest;

TEST_F(ScreenContract, EveryMessageBoxShowsItsTextTitleIconAndButtons) {
  for (const Box& row : kBoxes) {
    SCOPED_TRACE(std::string(row.control) + " #" + std::to_string(row.nth));
    restart();
    ASSERT_NE(reach(row.screen), nullptr);
    desktop.clear();
    desktop.answers.assign(row.answers.begin(), row.answers.end());
    click(row.screen, row.control);
    const auto shown = desktop.messages();
    ASSERT_GT(shown.size(), row.nth);
    const DesktopCall& box = shown[row.nth];
    // Several texts are given by their ends too: "..." stands for what lies between.
    const QStringList parts = QString::fromUtf8(row.text).split("...");
    EXPECT_TRUE(box.text.startsWith(parts.front()) && box.text.endsWith(parts.back()))
        << box.text.toStdString();
    EXPECT_EQ(box.text.count('\n'), box.text.count("\r\n"));  // lines joined by CR LF
    EXPECT_EQ(box.text.count('\r'), box.text.count("\r\n"));
    EXPECT_EQ(box.title, row.title ? std::optional(QString::fromUtf8(*row.title)) : std::nullopt);
    EXPECT_EQ(box.icon, row.icon);
    EXPECT_EQ(box.buttons, row.buttons);
  }
}

// A typed input: what the box holds after the keys, whether Enter kept the value (nothing: the
// value in force stays and the box's refusal shows), beeps of refused keys.
struct Input {
  ScreenId screen;
  const char* box;
  const char* keys;
  const char* shown;
  std::optional<double> stored;
  int beeps = 0;
};

double storedValue(const ModЧМ& s, const QString& box) {
  const Результат& r = s.Рез;
  const std::map<QString, double> values{
      {"txtГрЧаст(1)", r.F1.toDouble()}, {"txtГрЧаст(2)", r.F2.toDouble()}, {"Txtрк", r.pk},
      {"Txtdfk", r.dfk.toDouble()},      {"TxtN", r.NИтог},                {"Text1(1)", r.Харuвх[1]},
      {"TxtФИО(0)", r.Фамилия.toQString().trimmed().size()},
      {"Txt№(2)", r.EMail.toQString().trimmed().size()}};
  return values.at(box);
}

const std::map<QString, const char*> kRefusals{
    {"txtГрЧаст(1)", "Неверное значение нижней частоты ГС !"},
    {"txtГрЧаст(2)", "Неверное значение верхней частоты ГС !"},
    {"Txtрк", "Неверное значение средней мощности в ТЛФ канале !"},
    {"Txtdfk", "Неверное значение девиации частоты в ТЛФ канале !"},
    {"TxtN", "Неверное значение количества ТЛФ каналов !"}};

const Input kInputs[] = {
    // Names refuse blanks, points and * + , / : ; < > ? [ \ ] | with two beeps each.
    {PersonalData, "TxtФИО(0)", "Ж@-.1 *+,/:;<>?[\\]|", "Ж@-1", 4, 30},
    {PersonalData, "Txt№(2)", "a.b@c d/e", "a.b@cde", 7, 4},
    {PersonalData, "TxtФИО(0)", "Абвгдежзийклмнопрстуфхцч", "Абвгдежзийклмнопрстуфхцч", 20},
    // The readings keep digits and points; a comma becomes a point.
    {Characteristic, "Text1(1)", "1a,5 мВ", "1.5", 1.5},
    {Characteristic, "Text1(1)", "2.5e3", "2.53", 2.53},
    {Band, "txtГрЧаст(1)", "60", "60", 60},
    {Band, "txtГрЧаст(1)", "320", "320", 320},
    {Band, "txtГрЧаст(1)", "59", "59", {}},
    {Band, "txtГрЧаст(1)", "321", "321", {}},
    {Band, "txtГрЧаст(2)", "252", "252", 252},
    {Band, "txtГрЧаст(2)", "9000", "9000", 9000},
    {Band, "txtГрЧаст(2)", "251", "251", {}},
    {Band, "txtГрЧаст(2)", "9001", "9001", {}},
    {Band, "Txtрк", "32.5", "32.5", 32},  // halves to even
    {Band, "Txtрк", "33,5", "33.5", 34},
    {Band, "Txtрк", "32767", "32767", 32767},
    {Band, "Txtрк", "32768", "32768", {}},
    {Band, "Txtрк", "-5", "-5", {}},
    {Band, "Txtdfk", "a2 ,x5+", "2.5", 2.5},
    {Band, "Txtdfk", "-200", "-200", {}},
    {Band, "Txtdfk", "99999999999999999999", "99999999999999999999", {}},
    {Band, "TxtN", "", "", 0},
    {Band, "TxtN", "40000", "40000", {}},
};

TEST_F(ScreenContract, EveryTypedInputFiltersItsKeysAndStoresOnlyWhatItsBoundsAllow) {
  for (const Input& row : kInputs) {
    SCOPED_TRACE(std::string(row.box) + " \"" + row.keys + "\"");
    restart();
    ASSERT_NE(reach(row.screen), nullptr);
    auto* box = child<QLineEdit>(row.screen, row.box);
    ASSERT_NE(box, nullptr);
    const double before = storedValue(state, row.box);
    desktop.clear();
    typeInto(box, QString::fromUtf8(row.keys), false);
    EXPECT_EQ(box->text(), QString::fromUtf8(row.shown));
    EXPECT_EQ(desktop.beepCount(), row.beeps);
    typeInto(box, {});
    EXPECT_FLOAT_EQ(storedValue(state, row.box), row.stored.value_or(before));
    const auto told = desktop.messages();
    if (row.stored) {
      EXPECT_TRUE(told.empty());
    } else {
      ASSERT_EQ(told.size(), 1u);
      EXPECT_EQ(told[0].text, QString::fromUtf8(kRefusals.at(row.box)));
      EXPECT_EQ(std::tuple(told[0].title, told[0].icon, told[0].buttons),
                std::tuple(std::optional<QString>(), MsgIcon::None, Ok));
      EXPECT_EQ(box->text(), QString::fromUtf8(row.shown));  // kept for correcting
    }
  }
}

TEST_F(ScreenContract, ScrollbarsHaveTheirRangesAndSteps) {
  struct Bar {
    ScreenId screen;
    const char* name;
    int minimum, maximum, single, page;
  };
  const Bar bars[] = {{Bench, "HScrUвх", 0, 2500, 10, 100},
                      {Bench, "HScrFmod", 100, 1000, 0, 0},
                      {Bessel, "HScrlПорядок", 0, 10, 0, 0}};
  for (const Bar& row : bars) {
    SCOPED_TRACE(row.name);
    auto* bar = reach(row.screen)->findChild<QScrollBar*>(row.name);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(std::pair(bar->minimum(), bar->maximum()), std::pair(row.minimum, row.maximum));
    if (row.single) {
      EXPECT_EQ(std::pair(bar->singleStep(), bar->pageStep()), std::pair(row.single, row.page));
    }
  }
}

// The pointers: the grabbing hand over what can be dragged on the table, the pointing hand over
// "Порядок работы", a hand over the instruments' power switches.
TEST_F(ScreenContract, PointersShowWhatCanBeTakenOrPressed) {
  const auto sameIcon = [](const QCursor& pointer, const char* file) {
    return pointer.pixmap().toImage() ==
           QIcon(picturePath(QString::fromUtf8(file))).pixmap(32, 32).toImage();
  };
  AssemblyDriver table(dynamic_cast<FrmМонтаж*>(reach(Assembly)), state);
  for (int i = 1; i <= 5; ++i) {
    EXPECT_TRUE(sameIcon(table.instrument(i)->cursor(), "РукаВз.ico")) << i;
    EXPECT_TRUE(sameIcon(table.plug(i, 1)->cursor(), "РукаВз.ico")) << i;
    EXPECT_TRUE(sameIcon(table.plug(i, 2)->cursor(), "РукаВз.ico")) << i;
  }
  EXPECT_TRUE(sameIcon(child(Assembly, "Lblинф")->cursor(), "Рука.ICO"));
  reach(Bench);
  for (const char* power : {"LblВклНЧ", "LblвклВЧ", "LblвклСА"}) {
    EXPECT_EQ(child(Bench, power)->cursor().shape(), Qt::PointingHandCursor) << power;
  }
}

// Right after its load every instrument of the bench is off (light green) and Порядок is back at
// 0; each amplitude change runs the spectrum loop, which leaves Порядок at 5 and Jn at |J4(mf)|.
TEST_F(ScreenContract, TheBenchAfterLoadHasEveryPowerOffAndTheSpectrumLoopLeavesItsCells) {
  reach(Bench);
  EXPECT_EQ(state.Порядок, 0);
  for (const char* power : {"LblВклНЧ", "LblвклВЧ", "LblвклСА"}) {
    EXPECT_EQ(child<QLabel>(Bench, power)->palette().color(QPalette::Window), QColor(0x80, 0xFF, 0x80))
        << power;
  }
  child<QScrollBar>(Bench, "HScrUвх")->setValue(500);
  EXPECT_NEAR(state.Jn, std::abs(std::cyl_bessel_j(4, 5.0)), 1e-9);
  EXPECT_EQ(state.Порядок, 5);
}

// "Дальше..." answered No twice, before any channel count is confirmed, asks each time; only a
// confirmed count lets it end the work.
TEST_F(ScreenContract, NextOnTheBandScreenAsksAgainUntilACountIsConfirmed) {
  reach(Band);
  desktop.clear();
  click(Band, "CmdДальше");
  click(Band, "CmdДальше");
  ASSERT_EQ(desktop.messages().size(), 4u);
  EXPECT_EQ(desktop.messages()[2].text, desktop.messages()[0].text);
  EXPECT_FALSE(desktop.ended);
  enter(Band, "TxtN", "600");
  click(Band, "CmdДальше");
  EXPECT_TRUE(desktop.ended);
}

// Enter in a row opens the row after the rows already opened, even in a row already entered.
TEST_F(ScreenContract, EnterTwiceInRowOneOpensRowThree) {
  reach(Characteristic);
  enter(Characteristic, "Text1(1)", "10");
  enter(Characteristic, "Text1(1)", "12");
  for (int row = 1; row <= 4; ++row) {
    EXPECT_EQ(child(Characteristic, QStringLiteral("Text1(%1)").arg(row))->isVisible(), row <= 3)
        << row;
  }
  EXPECT_EQ(hub->find(Characteristic)->focusWidget(), child(Characteristic, "Text1(3)"));
  EXPECT_EQ(state.Рез.Харuвх[1], 12.0f);
}

}  // namespace
