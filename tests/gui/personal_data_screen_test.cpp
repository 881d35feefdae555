#include "records/personal_data_screen.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/screen_hub.h"
#include "app/work_state.h"
#include "records/results_file.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

namespace {

const QColor kGreen(192, 255, 192);

const char* const kBoxNames[] = {"TxtФИО(0)", "TxtФИО(1)", "TxtФИО(2)",
                                 "Txt№(0)",   "Txt№(1)",   "Txt№(2)"};

class PersonalDataScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    state.rnd = [] { return 0.5; };
    hub.show(ScreenId::Title);
    screen = hub.show(ScreenId::PersonalData);
    ASSERT_NE(screen, nullptr);
    settleEvents();
  }
  void TearDown() override { settleEvents(); }

  QLineEdit* box(int index) const {
    auto* edit = screen->findChild<QLineEdit*>(QString::fromUtf8(kBoxNames[index]));
    EXPECT_NE(edit, nullptr) << kBoxNames[index];
    return edit;
  }
  // Typed key by key (keyClicks takes Latin-1 only); a letter's key code is its capital.
  void type(int index, const QString& text) {
    for (QChar c : text) {
      QTest::sendKeyEvent(QTest::Click, box(index), static_cast<Qt::Key>(c.toUpper().unicode()),
                          QString(c), Qt::NoModifier);
    }
  }
  void typeAndConfirm(int index, const QString& text) {
    type(index, text);
    QTest::keyClick(box(index), Qt::Key_Return);
  }
  void fillAll(const QString& card = QStringLiteral("12345")) {
    const QString texts[] = {QStringLiteral("Иванов"),
                             QStringLiteral("Пётр"),
                             QStringLiteral("Сергеевич"),
                             QStringLiteral("РТ-21"),
                             card,
                             QStringLiteral("ivanov@mail.ru")};
    for (int i = 0; i < 6; ++i) typeAndConfirm(i, texts[i]);
  }
  void clickNext() {
    screen->findChild<QPushButton*>(QStringLiteral("CmdОК"))->click();
    settleEvents();
  }
  void trigger(const char* action) {
    auto* item = screen->findChild<QAction*>(QString::fromUtf8(action));
    ASSERT_NE(item, nullptr) << action;
    item->trigger();
    settleEvents();
  }
  // The only message shown: its text, icon and title.
  void expectMessage(const QString& text, MsgIcon icon, const char* title) {
    ASSERT_EQ(desktop.messages().size(), 1u);
    const DesktopCall box = desktop.messages().front();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.icon, icon);
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
    EXPECT_EQ(box.defaultTitle, title == nullptr);
    if (title) {
      EXPECT_EQ(box.title, QString::fromUtf8(title));
    }
  }
  QStringList boxTexts() const {
    QStringList texts;
    for (int i = 0; i < 6; ++i) texts << box(i)->text();
    return texts;
  }

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub hub{state, desktop};
  LabScreen* screen = nullptr;
};

// The load closes the title screen, makes the program's folder current, draws the variant and
// blanks the personal fields, also those left from before.
TEST_F(PersonalDataScreen, LoadDrawsTheVariantAndBlanksThePersonalFields) {
  EXPECT_EQ(hub.find(ScreenId::Title), nullptr);
  EXPECT_EQ(QDir::current().canonicalPath(), QDir(programDir.path()).canonicalPath());
  EXPECT_EQ(state.Рез.Вариант.toQString(), QStringLiteral("55"));
  EXPECT_EQ(boxTexts(), QStringList(6, QString()));

  hub.show(ScreenId::Title);  // keeps the program running while the screen is gone
  hub.unload(ScreenId::PersonalData);
  settleEvents();
  state.Рез.Фамилия = QStringLiteral("Старая");
  state.Рез.EMail = QStringLiteral("old@mail.ru");
  hub.show(ScreenId::PersonalData);
  EXPECT_TRUE(state.Рез.Фамилия.isBlank());
  EXPECT_TRUE(state.Рез.EMail.isBlank());
}

// The key filters: each box refuses its characters with two beeps and takes everything else.
class PersonalDataKeys : public PersonalDataScreen, public ::testing::WithParamInterface<int> {};

TEST_P(PersonalDataKeys, RefusedCharactersBeepTwiceAndNeverReachTheBox) {
  const int index = GetParam();
  const bool nameBox = index < 3;
  const QString refused =
      nameBox ? QStringLiteral(" *+,./:;<>?[\\]|") : QStringLiteral(" *+,/:;<>?[\\]|");
  for (QChar c : refused) {
    const int beeps = desktop.beepCount();
    type(index, QString(c));
    EXPECT_EQ(desktop.beepCount(), beeps + 2) << QString(c).toStdString();
  }
  EXPECT_EQ(box(index)->text(), QString());
  type(index, QStringLiteral("Ж@-.1"));
  EXPECT_EQ(box(index)->text(), nameBox ? QStringLiteral("Ж@-1") : QStringLiteral("Ж@-.1"));
  EXPECT_EQ(desktop.beepCount(), 2 * refused.size() + (nameBox ? 2 : 0));
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_P(PersonalDataKeys, PastedTextLosesWhatTypingWouldRefuse) {
  const int index = GetParam();
  QGuiApplication::clipboard()->setText(QStringLiteral("a b.c/d\te"));
  box(index)->setFocus();
  QTest::keyClick(box(index), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box(index)->text(), index < 3 ? QStringLiteral("abcde") : QStringLiteral("ab.cde"));
  EXPECT_EQ(desktop.beepCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(EachBox, PersonalDataKeys, ::testing::Range(0, 6));

TEST_F(PersonalDataScreen, EnterStoresTheFieldTurnsItGreenAndMovesOn) {
  const QColor normal = box(0)->palette().color(QPalette::Base);
  ASSERT_NE(normal, kGreen);
  const QString texts[] = {"Иванов", "Пётр", "Сергеевич", "РТ-21", "12345", "a@b.ru"};
  for (int i = 0; i < 6; ++i) {
    type(i, texts[i]);
    EXPECT_EQ(box(i)->palette().color(QPalette::Base), normal) << i;  // typing alone: no colour
    QTest::keyClick(box(i), Qt::Key_Return);
    EXPECT_EQ(box(i)->palette().color(QPalette::Base), kGreen) << i;
    EXPECT_EQ(screen->focusWidget(), box(std::min(i + 1, 5))) << i;  // the last box keeps it
  }
  const Результат& r = state.Рез;
  EXPECT_EQ((QStringList{r.Фамилия.toQString(), r.Имя.toQString(), r.Отчество.toQString(),
                         r.Группа.toQString(), r.НомерСБ.toQString(), r.EMail.toQString()}),
            (QStringList{"Иванов" + QString(14, u' '), "Пётр" + QString(16, u' '),
                         "Сергеевич" + QString(11, u' '), "РТ-21     ", "12345" + QString(15, u' '),
                         "a@b.ru" + QString(14, u' ')}));
}

TEST_F(PersonalDataScreen, ALongSurnameIsCutToTwentyCharacters) {
  typeAndConfirm(0, QStringLiteral("Абвгдежзийклмнопрстуфхцч"));
  EXPECT_EQ(state.Рез.Фамилия.toQString(), QStringLiteral("Абвгдежзийклмнопрсту"));
  typeAndConfirm(1, QStringLiteral("Я"));  // one character is a filled field
  EXPECT_FALSE(state.Рез.Имя.isBlank());
}

TEST_F(PersonalDataScreen, AFieldTypedButNotConfirmedCountsAsBlank) {
  for (int i = 0; i < 5; ++i) typeAndConfirm(i, QStringLiteral("x"));
  type(5, QStringLiteral("a@b.ru"));
  clickNext();
  expectMessage(QStringLiteral("Вы заполнили не все поля!"), MsgIcon::Critical, "Ошибка!");
  EXPECT_EQ(desktop.beepCount(), 1);
  EXPECT_EQ(desktop.calls.front().kind, DesktopCall::Kind::Beep);  // the beep comes first
  EXPECT_TRUE(QDir().entryList(QStringList{"*.res"}).isEmpty());
  EXPECT_EQ(hub.find(ScreenId::MainWindow), nullptr);
  EXPECT_EQ(hub.find(ScreenId::PersonalData), screen);
}

TEST_F(PersonalDataScreen, NextWritesTheResultsFileAndOpensTheMainWindow) {
  fillAll();
  const QByteArray expected = encodeResultRecord(state.Рез);
  clickNext();
  EXPECT_TRUE(desktop.messages().empty());
  QFile file(QStringLiteral("Result7_12345.res"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), expected);
  EXPECT_NE(hub.find(ScreenId::MainWindow), nullptr);
  EXPECT_EQ(hub.find(ScreenId::PersonalData), nullptr);  // closed by the main window's load
}

TEST_F(PersonalDataScreen, CancelledOpenDialogSaysTheFileIsNotThereYet) {
  typeAndConfirm(0, QStringLiteral("Иванов"));
  const QByteArray before = encodeResultRecord(state.Рез);
  trigger("mnuOpen");
  ASSERT_EQ(desktop.calls.size(), 2u);
  const OpenFileRequest& request = desktop.calls[0].request;
  EXPECT_EQ(request.title, QStringLiteral("Поиск файла результатов"));
  EXPECT_EQ(request.filter, QStringLiteral("Файлы контроля (*.res)|*.res|All Files (* *)|* *"));
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_EQ(request.defaultExtension, QStringLiteral("*.res"));
  expectMessage(QStringLiteral("Файл результатов еще не сформирован!"), MsgIcon::None, nullptr);
  EXPECT_EQ(encodeResultRecord(state.Рез), before);
}

TEST_F(PersonalDataScreen, OpenReadsTheWholeRecordAndFillsTheBoxes) {
  Результат stored;
  stored.Фамилия = QStringLiteral("Петрова");
  stored.Имя = QStringLiteral("Анна");
  stored.Отчество = QStringLiteral("Ивановна");
  stored.Группа = QStringLiteral("Р-11");
  stored.НомерСБ = QStringLiteral("9876");
  stored.EMail = QStringLiteral("anna@mail.ru");
  stored.Вариант = QStringLiteral("13");
  stored.N = 1920;
  stored.Харuвх[3] = 37.5f;
  stored.ХарS[20] = 7.25f;
  QDir().mkdir(QStringLiteral("почта"));
  const QString path = QDir::current().filePath(QStringLiteral("почта/Result7_9876.res"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(encodeResultRecord(stored));
  }
  typeAndConfirm(0, QStringLiteral("Иванов"));  // a confirmed box keeps its green
  desktop.fileNames = {path};
  trigger("mnuOpen");
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(state.ИмяФайла, path);
  EXPECT_EQ(encodeResultRecord(state.Рез), encodeResultRecord(stored));
  EXPECT_EQ(boxTexts(), (QStringList{"Петрова" + QString(13, u' '), "Анна" + QString(16, u' '),
                                     "Ивановна" + QString(12, u' '), "Р-11      ",
                                     "9876" + QString(16, u' '), "anna@mail.ru        "}));
  EXPECT_EQ(box(0)->palette().color(QPalette::Base), kGreen);
  EXPECT_NE(box(1)->palette().color(QPalette::Base), kGreen);

  clickNext();  // no retyping needed
  EXPECT_TRUE(QFile::exists(QStringLiteral("Result7_9876.res")));
  EXPECT_NE(hub.find(ScreenId::MainWindow), nullptr);
}

TEST_F(PersonalDataScreen, QuestionMarkMenuSaysWhereTheFileComesFrom) {
  trigger("mnuИнф");
  expectMessage(
      QStringLiteral(
          "Если Вы уже работали с программой и заполняли поля на данном экране можно считать эту информацию из файла результатов Result7_Номер СБ.res"),
      MsgIcon::None, nullptr);
}

}  // namespace
