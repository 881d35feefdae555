#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <map>
#include <optional>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "records/results_file.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

namespace {

const QColor kAcceptedGreen(0, 255, 0);

// A number as the screen shows it: the point of the texts below is the system's separator.
QString shown(const char* text) {
  return QString::fromUtf8(text).replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

// The band calculation screen, opened through the hub with a variant draw that gives the
// channel count wanted (every draw returns `draw`: 0.1 gives 60 channels).
class BandScreen : public ::testing::Test {
 protected:
  void open(double draw = 0.1) {
    state.rnd = [draw] { return draw; };
    screen = hub.show(ScreenId::Band);
    ASSERT_NE(screen, nullptr);
  }
  void TearDown() override { settleEvents(); }

  template <class T = QWidget>
  T* child(const char* name) const {
    T* found = screen->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QLineEdit* box(const char* name) const { return child<QLineEdit>(name); }
  QString text(const char* label) const { return child<QLabel>(label)->text(); }
  bool green(const char* name) const {
    return box(name)->palette().color(QPalette::Base) == kAcceptedGreen;
  }
  // Types the text into a cleared box and presses Enter.
  void enter(const char* name, const QString& typed) {
    QLineEdit* edit = box(name);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  void click(const char* button) {
    child<QPushButton>(button)->click();
    settleEvents();
  }
  std::vector<QString> messageTexts() const {
    std::vector<QString> texts;
    for (const DesktopCall& call : desktop.messages()) texts.push_back(call.text);
    return texts;
  }

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub hub{state, desktop};
  LabScreen* screen = nullptr;
};

// ---- the worked examples, as the labels show them --------------------------------------------

struct ShownExample {
  double draw;
  const char* channels;
  const char* power;
  const char* effective;
  const char* peak;
  const char* index;
  const char* band;
};

class BandScreenExamples : public BandScreen, public ::testing::WithParamInterface<ShownExample> {};

TEST_P(BandScreenExamples, LoadShowsTheDefaultsResultsInTheirFormats) {
  const ShownExample& e = GetParam();
  open(e.draw);
  EXPECT_EQ(text("LblN"), QString::fromUtf8(e.channels));
  EXPECT_EQ(text("LblРср"), shown(e.power));
  EXPECT_EQ(text("Lbldfэ"), shown(e.effective));
  EXPECT_EQ(text("Lbldfп"), shown(e.peak));
  EXPECT_EQ(text("Lblmf"), shown(e.index));
  EXPECT_EQ(text("LblП"), shown(e.band));
  // Computed at once, kept hidden until "Расчет"; the inputs stay empty.
  EXPECT_FALSE(child("Frame2")->isVisibleTo(screen));
  EXPECT_FALSE(child("FraN")->isVisibleTo(screen));
  EXPECT_FALSE(child("Command2")->isEnabled());
  EXPECT_FALSE(child("CmdEnd")->isEnabled());
  EXPECT_TRUE(box("Txtрк")->text().isEmpty());
  EXPECT_TRUE(desktop.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Channels, BandScreenExamples,
                         ::testing::Values(ShownExample{0.1, " 60", "1.9 мВт", ".28 МГц", ".92 МГц",
                                                        ".36 ", "10.13 МГц"},
                                           ShownExample{0.7, " 1320", "42.2 мВт", "1.3 МГц",
                                                        "4.33 МГц", "1.67 ", "20.55 МГц"},
                                           ShownExample{0.8, " 1920", "61.4 мВт", "1.57 МГц",
                                                        "5.22 МГц", "2.01 ", "23. МГц"}));

// ---- the inputs: bounds accepted, values beyond them or beyond the cell refused --------------

struct InputCase {
  const char* box;
  const char* typed;
  std::optional<double> stored;  // nothing: refused, the value in force stays
  friend void PrintTo(const InputCase& c, std::ostream* os) {
    *os << c.box << " \"" << c.typed << '"';
  }
};

// The value a box stores, read back from the record, and the message that refuses it.
double storedValue(const Результат& r, const QByteArray& box) {
  if (box == "txtГрЧаст(1)") return r.F1.toDouble();
  if (box == "txtГрЧаст(2)") return r.F2.toDouble();
  if (box == "Txtрк") return r.pk;
  if (box == "Txtdfk") return r.dfk.toDouble();
  return r.NИтог;
}

const std::map<QByteArray, QString> kRefusals{
    {"txtГрЧаст(1)", QStringLiteral("Неверное значение нижней частоты ГС !")},
    {"txtГрЧаст(2)", QStringLiteral("Неверное значение верхней частоты ГС !")},
    {"Txtрк", QStringLiteral("Неверное значение средней мощности в ТЛФ канале !")},
    {"Txtdfk", QStringLiteral("Неверное значение девиации частоты в ТЛФ канале !")},
    {"TxtN", QStringLiteral("Неверное значение количества ТЛФ каналов !")}};

class Inputs : public BandScreen, public ::testing::WithParamInterface<InputCase> {};

TEST_P(Inputs, AreStoredAsTheCellHoldsThemOrRefused) {
  const InputCase& c = GetParam();
  state.Рез.F1 = 100;  // F1 and NИтог keep their values through the load
  state.Рез.NИтог = 7;
  open();
  const double before = storedValue(state.Рез, c.box);
  const Currency band = state.Рез.Пчм;
  enter(c.box, QString::fromUtf8(c.typed));
  EXPECT_EQ(storedValue(state.Рез, c.box), c.stored.value_or(before));
  EXPECT_EQ(green(c.box), c.stored.has_value());
  EXPECT_FALSE(text("LblП").contains(QStringLiteral("nan"), Qt::CaseInsensitive));
  if (c.stored) {
    EXPECT_TRUE(desktop.messages().empty());
    return;
  }
  EXPECT_EQ(box(c.box)->text(), QString::fromUtf8(c.typed));
  EXPECT_EQ(screen->focusWidget(), box(c.box));
  EXPECT_EQ(state.Рез.Пчм, band);
  ASSERT_EQ(desktop.messages().size(), 1u);
  const DesktopCall refusal = desktop.messages()[0];
  EXPECT_EQ(refusal.text, kRefusals.at(c.box));
  EXPECT_EQ(refusal.buttons, MsgButtons::Ok);
  EXPECT_EQ(refusal.icon, MsgIcon::None);
  EXPECT_TRUE(refusal.defaultTitle);
}

using In = InputCase;
INSTANTIATE_TEST_SUITE_P(
    Bounds, Inputs,
    ::testing::Values(In{"txtГрЧаст(1)", "60", 60}, In{"txtГрЧаст(1)", "320", 320},
                      In{"txtГрЧаст(1)", "59", {}}, In{"txtГрЧаст(1)", "321", {}},
                      In{"txtГрЧаст(2)", "252", 252}, In{"txtГрЧаст(2)", "9000", 9000},
                      In{"txtГрЧаст(2)", "251", {}}, In{"txtГрЧаст(2)", "9001", {}},
                      In{"Txtрк", "32.5", 32}, In{"Txtрк", "33.5", 34}, In{"Txtрк", "32767", 32767},
                      In{"Txtрк", "0", 0}, In{"Txtрк", "32768", {}}, In{"Txtрк", "-5", {}},
                      In{"Txtdfk", "2,5", 2.5}, In{"Txtdfk", "-200", {}},
                      In{"Txtdfk", "99999999999999999999", {}}, In{"TxtN", "", 0},
                      In{"TxtN", "-60", -60}, In{"TxtN", "40000", {}}));

// F1 is only stored; F2, pk and Δfk are followed by the calculation. Enter moves on to the next
// box, except from Δfk.
TEST_F(BandScreen, AcceptedValuesMoveTheFocusOnAndAreFollowedByTheCalculation) {
  open(0.7);  // 1320 channels
  enter("txtГрЧаст(1)", QStringLiteral("300"));
  EXPECT_EQ(screen->focusWidget(), box("txtГрЧаст(2)"));
  EXPECT_EQ(text("LblП"), shown("20.55 МГц"));
  enter("txtГрЧаст(2)", QStringLiteral("3000"));
  EXPECT_EQ(screen->focusWidget(), box("Txtрк"));
  EXPECT_NE(text("LblП"), shown("20.55 МГц"));
  enter("Txtрк", QStringLiteral("64"));
  EXPECT_EQ(screen->focusWidget(), box("Txtdfk"));
  EXPECT_EQ(text("LblРср"), shown("84.5 мВт"));
  enter("Txtdfk", QStringLiteral("100"));
  EXPECT_EQ(screen->focusWidget(), box("Txtdfk"));
  EXPECT_EQ(state.Рез.dfэфф, Currency(0.9191));  // 100 kHz x sqrt(84.48) / 1000
  EXPECT_EQ(text("Lbldfэ"), shown(".92 МГц"));
}

// ---- the key filter --------------------------------------------------------------------------

TEST_F(BandScreen, OnlyNumberCharactersCanBeTypedOrPastedAndACommaBecomesAPoint) {
  open();
  QLineEdit* edit = box("Txtdfk");
  QTest::keyClicks(edit, QStringLiteral("a2 ,x5+"));
  QKeyEvent cyrillic(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("е"));
  QApplication::sendEvent(edit, &cyrillic);
  EXPECT_EQ(edit->text(), QStringLiteral("2.5"));
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->text(), QStringLiteral("2."));

  edit->clear();
  QApplication::clipboard()->setText(QStringLiteral("-1,5 кГц"));
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), QStringLiteral("-1.5"));
  edit->end(false);
  QTest::keyClicks(edit, QStringLiteral("0"));
  EXPECT_EQ(edit->text(), QStringLiteral("-1.50"));
}

// ---- "Расчет" ------------------------------------------------------------------------------

TEST_F(BandScreen, CalculationIsEnabledWhenTheFourInputsHoldTextAtACalculation) {
  open();
  QTest::keyClicks(box("txtГрЧаст(1)"), QStringLiteral("1000"));  // typed, never confirmed
  QTest::keyClicks(box("Txtрк"), QStringLiteral("32"));
  enter("txtГрЧаст(2)", QStringLiteral("2596"));
  EXPECT_FALSE(child("Command2")->isEnabled());  // Δfk still empty
  QTest::keyClicks(box("Txtdfk"), QStringLiteral("-"));
  EXPECT_FALSE(child("Command2")->isEnabled());  // nothing shown the results since
  enter("Txtdfk", QStringLiteral("200"));
  EXPECT_TRUE(child("Command2")->isEnabled());
  click("Command2");
  EXPECT_TRUE(child("Frame2")->isVisibleTo(screen));
}

// ---- "Дальше...": the two questions and the end of the work ----------------------------------

const QString kFirstQuestion = QStringLiteral(
    "Сравните полученое значение девиации частоты с шириной линейного участка модуляционной характеристики.\r\n\r\n Подходит ли измеренная характеристика для передачи заданного количества ТЛФ каналов?");
const QString kSecondQuestion = QStringLiteral(
    "Можно ли использовать данный модулятор для передачи большего количества каналов?");
const QString kHint = QStringLiteral(
    "Меняя значения граничных частот и девиации частоты в ТЛФ канале для других занчений количества каналов, подберите наиболее приемлемый вариант N для модулятора с измеренной характеристикой.\r\n\r\n Соответствующее значение N введите в окошко 'N ТЛФ.'");
const QString kFinal = QStringLiteral(
    "Внимание! Вы закончили работу и ее результаты записаны в файл Result.res.\r\n\r\nЕсли Вы проделали все этапы работы и уверены, что все выполнено правильно, вышлите этот файл электронной почтой по месту учебы. Если такая уверенность отсутствует, проделайте работу повторно! ");

struct QuestionPath {
  std::vector<MsgAnswer> answers;
  const char* answer1;
  const char* answer2;  // "Нет" was held before: a question not asked keeps it
  std::vector<QString> messages;
};

class Questions : public BandScreen, public ::testing::WithParamInterface<QuestionPath> {};

TEST_P(Questions, AnswersAreStoredAndLeadToTheChannelBoxOrTheEnd) {
  const QuestionPath& p = GetParam();
  const bool ended = p.messages.back() == kFinal;
  std::vector<QString> messages = p.messages;  // the final box ends with the file's full path
  if (ended)
    messages.back() +=
        QStringLiteral("\r\n\r\nФайл результатов: ") +
        QDir::toNativeSeparators(programDir.filePath(QStringLiteral("Result7_12345.res")));
  state.Рез.НомерСБ = QStringLiteral("12345");
  state.Рез.Ответ2 = QStringLiteral("Нет");
  open();
  desktop.answers.assign(p.answers.begin(), p.answers.end());
  click("CmdДальше");
  EXPECT_EQ(state.Рез.Ответ1.toQString(), QString::fromUtf8(p.answer1).leftJustified(5));
  EXPECT_EQ(state.Рез.Ответ2.toQString(), QString::fromUtf8(p.answer2).leftJustified(5));
  EXPECT_EQ(messageTexts(), messages);
  EXPECT_EQ(desktop.ended, ended);
  EXPECT_EQ(QFile::exists(programDir.filePath(QStringLiteral("Result7_12345.res"))), ended);
  if (ended) return;
  EXPECT_TRUE(child("FraN")->isVisibleTo(screen));
  for (const DesktopCall& box : desktop.messages()) {
    EXPECT_EQ(box.title, QStringLiteral("Порядок работы"));
    EXPECT_EQ(box.icon, box.text == kHint ? MsgIcon::Information : MsgIcon::None);
    EXPECT_EQ(box.buttons, box.text == kHint ? MsgButtons::Ok : MsgButtons::YesNo);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Questions,
    ::testing::Values(QuestionPath{{MsgAnswer::No}, "Нет", "Нет", {kFirstQuestion, kHint}},
                      QuestionPath{{MsgAnswer::Yes, MsgAnswer::Yes},
                                   "Да",
                                   "Да",
                                   {kFirstQuestion, kSecondQuestion, kHint}},
                      QuestionPath{{MsgAnswer::Yes, MsgAnswer::No},
                                   "Да",
                                   "Нет",
                                   {kFirstQuestion, kSecondQuestion, kFinal}}));

// The student confirms a channel count: the band values of that moment are kept with it, and
// the next "Дальше..." ends the work without asking again: three beeps, the file, the final
// message, the end.
TEST_F(BandScreen, ConfirmedChannelCountKeepsTheBandAndTheNextStepEndsTheWork) {
  state.Рез.НомерСБ = QStringLiteral(" 12345 ");
  open(0.7);
  click("CmdДальше");  // No: the channel box opens
  enter("txtГрЧаст(1)", QStringLiteral("300"));
  enter("txtГрЧаст(2)", QStringLiteral("3400"));
  enter("Txtрк", QStringLiteral("50"));
  enter("Txtdfk", QStringLiteral("150"));
  enter("TxtN", QString());
  const Результат& r = state.Рез;
  EXPECT_EQ(std::tie(r.NИтог, r.N, r.F2Итог, r.pkИтог),
            std::make_tuple(0, 1320, Currency(3400), 50));
  EXPECT_EQ(std::tie(r.dfkИтог, r.dfэффИтог, r.dfпикИтог, r.ПчмИтог, r.F1Итог, r.F2Итог, r.pkИтог,
                     r.РсрИтог, r.mfИтог),
            std::tie(r.dfk, r.dfэфф, r.dfпик, r.Пчм, r.F1, r.F2, r.pk, r.Рср, r.mf));

  desktop.calls.clear();
  click("CmdДальше");
  ASSERT_EQ(desktop.calls.size(), 5u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(desktop.calls[i].kind, DesktopCall::Kind::Beep);
  EXPECT_EQ(desktop.calls[3].text,
            kFinal + QStringLiteral("\r\n\r\nФайл результатов: ") +
                QDir::toNativeSeparators(programDir.filePath(QStringLiteral("Result7_12345.res"))));
  EXPECT_EQ(desktop.calls[3].title, QStringLiteral("Внимание"));
  EXPECT_EQ(desktop.calls[3].icon, MsgIcon::Information);
  EXPECT_EQ(desktop.calls[4].kind, DesktopCall::Kind::End);
  settleEvents();
  EXPECT_EQ(hub.find(ScreenId::Band), nullptr);
  QFile file(programDir.filePath(QStringLiteral("Result7_12345.res")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), encodeResultRecord(state.Рез));
}

// ---- the menus -----------------------------------------------------------------------------

TEST_F(BandScreen, MenusShowTheWorkOrderAndTheLiterature) {
  open();
  child<QAction>("mnuПорядок")->trigger();
  ASSERT_EQ(desktop.messages().size(), 1u);
  const DesktopCall order = desktop.messages()[0];
  EXPECT_TRUE(order.text.startsWith(QStringLiteral("В этой части работы нужно провести")));
  EXPECT_EQ(order.title, QStringLiteral("Порядок работы"));
  EXPECT_EQ(order.icon, MsgIcon::Information);

  child<QAction>("mnuЛит")->trigger();
  EXPECT_NE(hub.find(ScreenId::Literature), nullptr);
  EXPECT_EQ(hub.find(ScreenId::Band), screen);
}

}  // namespace
