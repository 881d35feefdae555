// What the screens promise the student: every message box (text, title, icon, buttons), every
// typed input (key filter, bounds, what Enter stores), the controls' ranges and pointers, and
// the few states that the road itself does not show.

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <clocale>
#include <cmath>
#include <string>

#include "platform/pictures.h"
#include "records/results_file.h"
#include "support/assembly.h"
#include "support/lab.h"
#include "support/records.h"

namespace {
using enum ScreenId;
using enum MsgButtons;
using enum MsgIcon;
using A = MsgAnswer;
// A box of the program: what provokes it (a control used on a screen, earlier boxes answered),
// its place among the boxes that follow, and what it must show ("..." stands for text between
// a beginning and an end; no title: the application's).
struct Box {
  ScreenId screen;
  const char* control;
  std::vector<MsgAnswer> answers;
  size_t nth;
  const char *text, *title;
  MsgIcon icon;
  MsgButtons buttons;
};

// clang-format off
const Box kBoxes[] = {
    {Title, "CmdИнф", {}, 0, "Перед выполнением работы необходимо изучить следующие материалы:\r\n1. Раздел 4.1...", "Информация", Information, Ok},
    {PersonalData, "CmdОК", {}, 0, "Вы заполнили не все поля!", "Ошибка!", Critical, Ok},
    {PersonalData, "mnuOpen", {}, 0, "Файл результатов еще не сформирован!", nullptr, None, Ok},
    {PersonalData, "mnuИнф", {}, 0, "Если Вы уже работали с программой и заполняли поля на данном экране можно считать эту информацию из файла результатов Result7_Номер СБ.res", nullptr, None, Ok},
    {Assembly, "Lblинф", {}, 0, "1. Щелкнуть мышкой...", "Информация", Information, Ok},
    {Assembly, "CmdДальше", {}, 0, "Ошибка при монтаже! ", nullptr, None, OkCancel},
    {Bench, "mnuЭтап(1)", {}, 0, " Этап 1. ...", "Этап 1", Information, Ok},
    {Bench, "mnuЭтап(2)", {}, 0, " Этап 2. ...", "Этап 2", Information, Ok},
    {Bench, "mnuЭтап(3)", {}, 0, " Этап 3. ...", "Этап 3", Information, Ok},
    {Bench, "mnuВыход", {A::No}, 0, "Вы хотите окончить работу с программой?", "   ", None, YesNo},
    {Characteristic, "CmdДальше", {A::No, A::No}, 0, "  Для дальнейшей работы необходимо определить ширину линейного участка модуляционной характеристики.\r\n1.  Выведите...", "Информация", None, YesNo},
    {Characteristic, "CmdДальше", {A::No, A::No}, 1, " Пойдем дальше?", "Информация", None, YesNo},
    {Band, "mnuПорядок", {}, 0, "В этой части работы нужно провести...", "Порядок работы", Information, Ok},
    {Band, "CmdДальше", {A::No}, 0, "Сравните полученое значение девиации частоты с шириной линейного участка модуляционной характеристики.\r\n\r\n Подходит ли...", "Порядок работы", None, YesNo},
    {Band, "CmdДальше", {A::No}, 1, "Меняя значения граничных частот...\r\n\r\n Соответствующее значение N введите в окошко 'N ТЛФ.'", "Порядок работы", Information, Ok},
    {Band, "CmdДальше", {A::Yes, A::No}, 1, "Можно ли использовать данный модулятор для передачи большего количества каналов?", "Порядок работы", None, YesNo},
    {Band, "CmdДальше", {A::Yes, A::No}, 2, "Внимание! Вы закончили работу и ее результаты записаны в файл Result.res.\r\n\r\nЕсли Вы проделали...", "Внимание", Information, Ok},
    {Report, "mnuПеч", {A::No}, 0, "Готовы печатать?", "  ", None, YesNo},
};
// clang-format on

using ScreenContract = ScreenTest;

TEST_F(ScreenContract, EveryMessageBoxShowsItsTextTitleIconAndButtons) {
  for (const Box& row : kBoxes) {
    SCOPED_TRACE(std::string(row.control) + " #" + std::to_string(row.nth));
    restart();
    ASSERT_NE(reach(row.screen), nullptr);
    desktop.clear();
    desktop.answers.assign(row.answers.begin(), row.answers.end());
    click(row.screen, row.control);
    ASSERT_GT(desktop.messages().size(), row.nth);
    const DesktopCall box = desktop.messages()[row.nth];
    const QStringList parts = QString::fromUtf8(row.text).split("...");
    EXPECT_TRUE(parts.size() == 1 ? box.text == parts[0]
                                  : box.text.startsWith(parts[0]) && box.text.endsWith(parts[1]))
        << box.text.toStdString();
    EXPECT_EQ(box.text.count('\n') + box.text.count('\r'), 2 * box.text.count("\r\n"));  // CR LF
    const auto title = row.title ? std::optional<QString>(row.title) : std::nullopt;
    EXPECT_EQ(std::tuple(box.title, box.icon, box.buttons),
              std::tuple(title, row.icon, row.buttons));
  }
}

// The real desktop's boxes: a Yes/No question is answered only by "Да" or "Нет" (Escape and the
// window's close button leave it open); Escape on an OK box is OK, on an OK/Cancel box Cancel.
// A box over a window not shown yet (a load that fails) is centred on the desktop.
TEST_F(ScreenContract, OnlyAButtonAnswersAQuestionOfTheSystemDesktop) {
  QWidget notShown;
  notShown.setGeometry(0, 0, 200, 100);
  const std::tuple<MsgButtons, bool, const char*, MsgAnswer> rows[] = {
      {YesNo, true, "Да", A::Yes},
      {YesNo, true, "Нет", A::No},
      {OkCancel, false, "", A::Cancel},
      {Ok, false, "", A::Ok}};
  for (const auto& [buttons, staysOpen, clicked, answer] : rows) {
    SCOPED_TRACE(int(buttons));
    bool open[2] = {};  // after Escape, after the close button
    QPoint centre;
    QTimer::singleShot(0, [&open, &centre, clicked = clicked] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      centre = box->frameGeometry().center();
      QTest::keyClick(box, Qt::Key_Escape);
      if ((open[0] = box->isVisible())) box->close();
      open[1] = box->isVisible();
      for (QAbstractButton* b : box->buttons())
        if (open[1] && b->text() == QString::fromUtf8(clicked)) b->click();
      if (box->isVisible()) box->done(0);  // never left open
    });
    EXPECT_EQ(systemDesktop().message(&notShown, "?", buttons, None, std::nullopt), answer);
    EXPECT_EQ(std::pair(open[0], open[1]), std::pair(staysOpen, staysOpen));
    EXPECT_LE(
        (centre - QApplication::primaryScreen()->availableGeometry().center()).manhattanLength(),
        2);
  }
}

// A typed input: the keys, what the box then holds and the beeps of refused keys; what Enter
// stores, or, where the value is out of bounds, the refusal (the value in force stays). With
// `pasted`, the box was first filled by "Открыть" with what typing could not put there (a blank,
// the field's padding): an edit keeps it, and only what is pasted in (⎘) is filtered.
struct Input {
  ScreenId screen;
  const char *box, *keys, *shown;
  int beeps;
  double stored;
  const char *refusal = nullptr, *pasted = nullptr;
};

double storedValue(const Результат& r, const QString& box) {
  // clang-format off
  const std::map<QString, double> values{
      {"txtГрЧаст(1)", r.F1.toDouble()}, {"txtГрЧаст(2)", r.F2.toDouble()}, {"Txtрк", r.pk},
      {"Txtdfk", r.dfk.toDouble()}, {"TxtN", r.NИтог}, {"Text1(1)", r.Харuвх[1]},
      {"TxtФИО(0)", r.Фамилия.toQString().trimmed().size()}, {"Txt№(2)", r.EMail.toQString().trimmed().size()},
      {"Txt№(1)", r.НомерСБ.toQString().trimmed().size()}};
  // clang-format on
  return values.at(box);
}

const char* const kF1 = "Неверное значение нижней частоты ГС !";
const char* const kF2 = "Неверное значение верхней частоты ГС !";
const char* const kPk = "Неверное значение средней мощности в ТЛФ канале !";
const char* const kDfk = "Неверное значение девиации частоты в ТЛФ канале !";

// clang-format off
const Input kInputs[] = {
    // Names refuse blanks, points and * + , / : ; < > ? [ \ ] | with two beeps each; stored: length.
    {PersonalData, "TxtФИО(0)", "Ж@-.1 *+,/:;<>?[\\]|", "Ж@-1", 30, 4},
    {PersonalData, "Txt№(2)", "a.b@c d/e", "a.b@cde", 4, 7},
    {PersonalData, "TxtФИО(0)", "Абвгдежзийклмнопрстуфхцч", "Абвгдежзийклмнопрстуфхцч", 0, 20},
    {PersonalData, "TxtФИО(0)", "⇥⌫", "Ван Дейк           ", 0, 8, nullptr, ""},  // 11 blanks
    {PersonalData, "TxtФИО(0)", "⇤⎘", "иДВан Дейк            ", 2, 10, nullptr, "и. Д"},
    {PersonalData, "Txt№(1)", "⇤⌦⎘", "6.2 345              ", 2, 7, nullptr, " 6."},
    // Readings keep digits and points; a comma becomes a point.
    {Characteristic, "Text1(1)", "1a,5 мВ", "1.5", 0, 1.5},
    {Characteristic, "Text1(1)", "2.5e3", "2.53", 0, 2.53},
    {Characteristic, "Text1(1)", "400000000000000000000000000000000000000000000", "400000000000000000000000000000000000000000000", 1, 0, ""},  // no single holds it
    {Band, "txtГрЧаст(1)", "60", "60", 0, 60}, {Band, "txtГрЧаст(1)", "320", "320", 0, 320},
    {Band, "txtГрЧаст(1)", "59", "59", 0, 0, kF1}, {Band, "txtГрЧаст(1)", "321", "321", 0, 0, kF1},
    {Band, "txtГрЧаст(2)", "252", "252", 0, 252}, {Band, "txtГрЧаст(2)", "9000", "9000", 0, 9000},
    {Band, "txtГрЧаст(2)", "251", "251", 0, 0, kF2}, {Band, "txtГрЧаст(2)", "9001", "9001", 0, 0, kF2},
    {Band, "Txtрк", "32.5", "32.5", 0, 32}, {Band, "Txtрк", "33,5", "33.5", 0, 34},  // halves to even
    {Band, "Txtрк", "32767", "32767", 0, 32767}, {Band, "Txtрк", "32768", "32768", 0, 0, kPk},
    {Band, "Txtрк", "-5", "-5", 0, 0, kPk},
    {Band, "Txtdfk", "a2 ,x5+", "2.5", 0, 2.5}, {Band, "Txtdfk", "-200", "-200", 0, 0, kDfk},
    {Band, "Txtdfk", "0,00025", "0.00025", 0, 0.0002},  // the fifth decimal's half to even
    {Band, "Txtdfk", "99999999999999999999", "99999999999999999999", 0, 0, kDfk},
    {Band, "TxtN", "", "", 0, 0}, {Band, "TxtN", "40000", "40000", 0, 0, "Неверное значение количества ТЛФ каналов !"},
};
// clang-format on

TEST_F(ScreenContract, EveryTypedInputFiltersItsKeysAndStoresOnlyWhatItsBoundsAllow) {
  Результат earlier = filledRecord("12 345");
  earlier.Фамилия = QStringLiteral("Ван Дейк");
  ASSERT_TRUE(writeBytes(programDir.filePath("earlier.res"), encodeResultRecord(earlier)));
  for (const Input& row : kInputs) {
    SCOPED_TRACE(std::string(row.box) + " \"" + row.keys + "\"");
    restart();
    ASSERT_NE(reach(row.screen), nullptr);
    if (row.pasted) {
      desktop.fileNames = {programDir.filePath("earlier.res")};
      click(PersonalData, "mnuOpen");
      QApplication::clipboard()->setText(QString::fromUtf8(row.pasted));
    }
    auto* box = child<QLineEdit>(row.screen, row.box);
    ASSERT_NE(box, nullptr);
    state.Рез.Харuвх[1] = 7;  // a reading in force, which a refusal keeps
    const double before = storedValue(state.Рез, row.box);
    desktop.clear();
    typeInto(box, QString::fromUtf8(row.keys));
    EXPECT_EQ(box->text(), QString::fromUtf8(row.shown));
    typeInto(box, "\r");
    EXPECT_EQ(desktop.beepCount(), row.beeps);  // a refusal without a message ("") beeps
    EXPECT_FLOAT_EQ(storedValue(state.Рез, row.box), row.refusal ? before : row.stored);
    EXPECT_EQ(box->text(), QString::fromUtf8(row.shown));  // a refused value stays to be corrected
    const auto told = desktop.messages();
    ASSERT_EQ(told.size(), row.refusal && *row.refusal ? 1u : 0u);
    for (const DesktopCall& refused : told)
      EXPECT_EQ(std::tuple(refused.text, refused.title, refused.icon, refused.buttons),
                std::tuple(QString(row.refusal), std::optional<QString>(), None, Ok));
  }
}

// The last screen ends the program however it goes (close box "×", button, menu, unloaded).
TEST_F(ScreenContract, TheProgramEndsWithItsLastScreenHoweverItGoes) {
  // clang-format off
  const std::tuple<std::vector<ScreenId>, ScreenId, const char*, std::vector<ScreenId>> rows[] = {
      // closed first with their close boxes, the screen that goes (reached first), how, what stays
      {{}, Title, "×", {}}, {{}, Literature, "CmdОК", {Title}}, {{Title}, Literature, "CmdОК", {}}, {{Title}, Literature, "×", {}},
      {{Bench}, Bessel, "CmdОК", {}}, {{}, Report, "×", {Bench, Characteristic}}, {{Characteristic, Bench}, Report, "×", {}},
      {{Characteristic, Bench}, Report, "mnuOK", {}}, {{Bench, Characteristic}, MainWindow, "×", {}}};
  // clang-format on
  // The close box of a screen inside the main window is that of its inner window.
  const auto closeBox = [](QWidget* s) { (s->parentWidget() ? s->parentWidget() : s)->close(); };
  for (const auto& [closedFirst, goes, how, staying] : rows) {
    SCOPED_TRACE(std::to_string(int(goes)) + how);
    restart(), reach(goes == MainWindow ? Report : goes);
    for (ScreenId id : closedFirst) closeBox(hub->find(id)), settleEvents();
    std::string(how) == "×" ? closeBox(hub->find(goes)) : click(goes, how);
    settleEvents();
    EXPECT_EQ(std::pair(loaded(), desktop.ended), std::pair(staying, staying.empty()));
  }
}

// The pointers: the grabbing hand over the table's things, the hand over "Порядок работы".
TEST_F(ScreenContract, PointersShowWhatCanBeTakenOrPressed) {
  const auto sameIcon = [](const QCursor& pointer, const char* file) {
    return pointer.pixmap().toImage() ==
           QIcon(picturePath(QString::fromUtf8(file))).pixmap(32, 32).toImage();
  };
  AssemblyDriver table(dynamic_cast<FrmМонтаж*>(reach(Assembly)), state);
  for (int i = 1; i <= 5; ++i)
    for (QWidget* w : {table.instrument(i), table.plug(i, 1), table.plug(i, 2)})
      EXPECT_TRUE(sameIcon(w->cursor(), "РукаВз.ico")) << w->objectName().toStdString();
  EXPECT_TRUE(sameIcon(child(Assembly, "Lblинф")->cursor(), "Рука.ICO"));
}

// What lies on what on the table, from the bottom up: the instruments, the one put down last on
// top, then every plug on the table (a free one dropped over a plug in an instrument too), and the
// keyboard's cross over all.
TEST_F(ScreenContract, PlugsLieAboveTheInstrumentsAndTheLastInstrumentPutDownOnTop) {
  AssemblyDriver t(dynamic_cast<FrmМонтаж*>(reach(Assembly)), state);
  const QPoint stack = t.plug(3, 1)->geometry().center();
  t.place(1, stack), t.place(2, stack), t.place(1, stack + QPoint(40, 0)), t.plugInto(4, 1, 2);
  t.drag(t.plug(5, 1), {10, 8}, t.plug(4, 1), {20, 8});
  tabTo(t.table()), QTest::keyClick(t.table(), Qt::Key_Return);
  QStringList pile;
  for (QWidget* w : t.table()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (w->isVisible() && w->objectName().startsWith("Pic") && !w->objectName().endsWith("focus"))
      pile << w->objectName();
  EXPECT_EQ(
      pile.join(' '),
      "PicИссл4п(0) PicПрибор(2) PicПрибор(1) PicРазъем1(5) PicРазъем2(5) PicРазъем2(4) "
      "PicРазъем1(3) PicРазъем2(3) PicРазъем1(2) PicРазъем2(2) PicРазъем1(1) PicРазъем2(1) PicСтол.point");
}

// The menu bar's focus (F10 and Escape, "Печать" opened by the mouse and closed by Escape) does
// not leave a reading cell, and the next key reaches it; a click from the menu bar on a button
// does.
TEST_F(ScreenContract, OnlyAnotherControlLeavesAReadingCellForTheMenuBar) {
  auto* window = static_cast<QMainWindow*>(reach(Characteristic));
  auto* cell = child<QLineEdit>(Characteristic, "Text1(1)");
  QMenuBar* bar = window->menuBar();
  QApplication::setActiveWindow(window), typeInto(cell, "7");
  QTest::keyClick(cell, Qt::Key_F10), QTest::keyClick(bar, Qt::Key_Escape);
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions()[1]).center());
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape), settleEvents();
  QApplication::setActiveWindow(window);  // offscreen, a closed menu leaves it inactive
  QTest::keyClick(window->focusWidget(), Qt::Key_8);
  EXPECT_EQ(std::pair(cell->text(), cell->palette().color(QPalette::Base)),
            std::pair(QString("78"), QColor(255, 0, 0)));
  QTest::keyClick(cell, Qt::Key_F10);
  QTest::mouseClick(child(Characteristic, "CmdEnd"), Qt::LeftButton);
  EXPECT_EQ(cell->palette().color(QPalette::Base), QColor(0, 255, 0));
}

// Right after its load every instrument of the bench is off (light green) and Порядок is back at
// 0; each amplitude change runs the spectrum loop, which leaves Порядок at 5 and Jn at |J4(mf)|.
// The scrollbars have their ranges and steps.
TEST_F(ScreenContract, TheBenchAfterLoadAndItsScrollbars) {
  reach(Bench);
  EXPECT_EQ(state.Порядок, 0);
  for (const char* power : {"LblВклНЧ", "LblвклВЧ", "LblвклСА"})
    EXPECT_EQ(child<QLabel>(Bench, power)->palette().color(QPalette::Window), QColor(0x80FF80u));
  child<QScrollBar>(Bench, "HScrUвх")->setValue(500);
  EXPECT_NEAR(state.Jn, std::abs(std::cyl_bessel_j(4, 5.0)), 1e-9);
  EXPECT_EQ(state.Порядок, 5);
  // clang-format off
  const std::tuple<ScreenId, const char*, int, int, int, int> bars[] = {
      {Bench, "HScrUвх", 0, 2500, 10, 100}, {Bench, "HScrFmod", 100, 1000, 0, 0}, {Bessel, "HScrlПорядок", 0, 10, 0, 0}};
  // clang-format on
  for (const auto& [screen, name, minimum, maximum, single, page] : bars) {
    auto* bar = reach(screen)->findChild<QScrollBar*>(name);
    ASSERT_NE(bar, nullptr) << name;
    EXPECT_EQ(std::pair(bar->minimum(), bar->maximum()), std::pair(minimum, maximum)) << name;
    EXPECT_TRUE(!single ||
                std::pair(bar->singleStep(), bar->pageStep()) == std::pair(single, page));
  }
  // The order acts on the thumb's release only where it was moved to a new value.
  auto* order = child<QScrollBar>(Bessel, "HScrlПорядок");
  for (const auto& [dragged, after] : {std::pair(std::vector{3, 0}, 7), {std::vector{1, 3}, 3}}) {
    order->setValue(0), state.Порядок = 7;
    order->setSliderDown(true);
    for (const int value : dragged) order->setValue(value);
    EXPECT_EQ(state.Порядок, 7);  // nothing while it is dragged
    order->setSliderDown(false);
    EXPECT_EQ(state.Порядок, after);
  }
}

// "Дальше..." answered No twice, before any channel count is confirmed, asks each time; only a
// confirmed count lets it end the work.
TEST_F(ScreenContract, NextOnTheBandScreenAsksAgainUntilACountIsConfirmed) {
  reach(Band);
  desktop.clear();
  for (int press = 0; press < 2; ++press) click(Band, "CmdДальше");
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
  for (int row = 1; row <= 4; ++row)
    EXPECT_EQ(child(Characteristic, QString("Text1(%1)").arg(row))->isVisible(), row <= 3) << row;
  EXPECT_EQ(hub->find(Characteristic)->focusWidget(), child(Characteristic, "Text1(3)"));
  EXPECT_EQ(state.Рез.Харuвх[1], 12.0f);
  EXPECT_EQ(child<QLabel>(Characteristic, "Label5(1)")->text(), localeNumber("16.92"));  // x 1.41
  enter(Characteristic, "Text1(3)", "0"), reach(Report);  // no slope: S shows the 0 stored
  for (QLabel* s : {child<QLabel>(Characteristic, "Label8(3)"), child<QLabel>(Report, "Label6(3)")})
    EXPECT_EQ(s->text(), localeNumber("."));
}

// On a Russian desktop the C library reads a comma as the decimal separator; typed numbers (a
// comma turns into a point as it is typed) and the mf column's own captions are read with the
// point all the same, and the computed cells show the desktop's separator.
TEST_F(ScreenContract, TypedDecimalsAreReadWholeOnARussianDesktop) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr) << "ru_RU.UTF-8 is not installed";
  reach(Characteristic);
  enter(Characteristic, "Text1(1)", "17,9");
  EXPECT_EQ(child<QLineEdit>(Characteristic, "Text1(1)")->text(), "17.9");
  EXPECT_EQ(state.Рез.Харuвх[1], 17.9f);
  // U = 17.9 x 1.41 = 25.239; Δf = 2.408 x 0.5 = 1.204; S = 1.204 / 0.025239 = 47.70.
  const std::pair<const char*, const char*> cells[] = {
      {"Label5(1)", "25.24"}, {"Label6(1)", "1.2"}, {"Label8(1)", "47.7"}};
  for (const auto& [cell, shown] : cells)
    EXPECT_EQ(child<QLabel>(Characteristic, cell)->text(), localeNumber(shown)) << cell;
  reach(Band);
  enter(Band, "txtГрЧаст(1)", "60,5");
  enter(Band, "Txtdfk", "150,25");
  EXPECT_EQ(state.Рез.F1.raw(), 605000);
  EXPECT_EQ(state.Рез.dfk.raw(), 1502500);
  std::setlocale(LC_ALL, before.c_str());
}
}  // namespace
