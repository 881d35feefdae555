// Faults of the file system met by the whole program: a program folder that cannot be written
// or is gone, a results file name taken by a folder or refused by the file system, results files
// of the wrong length, and each picture of the working screens missing in turn. Every fault ends
// with a Russian message (or the screen's documented behaviour) and loses nothing: the work record
// and an existing results file stay as they were.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <set>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "measure/image_box.h"
#include "records/results_file.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

namespace {

const QString kWriteFailure = QStringLiteral("Не удалось записать результаты работы в файл");
const QString kPersonalWriteFailure = QStringLiteral("Не удалось записать файл результатов");
const QString kMissingFiles = QStringLiteral(
    " В каталоге с программой отсутствуют все или некоторые сопровождающие графические файлы!");
const QString kMissingIcons = QStringLiteral(
    " В каталоге с программой отсутствуют все или некоторые сопровождающие графические значки с расширением *.ico!");

// A record with something in every kind of member, as a student's would be.
Результат sampleRecord(const QString& cardNumber) {
  Результат r;
  r.Фамилия = QStringLiteral("Петров");
  r.Имя = QStringLiteral("Пётр");
  r.Отчество = QStringLiteral("Петрович");
  r.Группа = QStringLiteral("РС-31");
  r.НомерСБ = cardNumber;
  r.EMail = QStringLiteral("petrov@example.ru");
  r.Вариант = QStringLiteral("53");
  r.Харuвх[1] = 40.5f;
  r.ХарUвх[1] = 57.1f;
  r.Харdf[1] = 1.204f;
  r.ХарS[1] = 21.08f;
  r.N = 300;
  r.F1 = 12;
  r.F2 = 1300;
  return r;
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

// A folder that nothing can be written into for as long as the object lives. Permission bits
// do not stop the superuser (tests run as root), so there the folder is made immutable.
class UnwritableFolder {
 public:
  explicit UnwritableFolder(const QString& path) : path_(path) {
    if (::geteuid() == 0) {
      immutable_ = setImmutable(true);
    } else {
      chmodded_ = ::chmod(QFile::encodeName(path_).constData(), 0555) == 0;
    }
  }
  ~UnwritableFolder() {
    if (immutable_) setImmutable(false);
    if (chmodded_) ::chmod(QFile::encodeName(path_).constData(), 0755);
  }
  // Whether a file really cannot be created there now.
  bool holds() const {
    QFile probe(QDir(path_).filePath(QStringLiteral("probe.tmp")));
    if (!probe.open(QIODevice::WriteOnly)) return true;
    probe.remove();
    return false;
  }

 private:
  bool setImmutable(bool on) const {
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
  }

  QString path_;
  bool immutable_ = false;
  bool chmodded_ = false;
};

// --- Writing the results file ------------------------------------------------------------------

enum class WriteFault { FolderReadOnly, NameIsAFolder, FolderGone, NameWithASlash };

// Where the results file is written: "Дальше..." of the personal data screen, and the end of
// the work on the band screen.
struct WriteCase {
  ScreenId screen;
  WriteFault fault;
  const char* name;
};

const WriteCase kWriteCases[] = {
    {ScreenId::PersonalData, WriteFault::FolderReadOnly, "PersonalData_FolderReadOnly"},
    {ScreenId::PersonalData, WriteFault::NameIsAFolder, "PersonalData_NameIsAFolder"},
    {ScreenId::PersonalData, WriteFault::FolderGone, "PersonalData_FolderGone"},
    {ScreenId::PersonalData, WriteFault::NameWithASlash, "PersonalData_NameWithASlash"},
    {ScreenId::Band, WriteFault::FolderReadOnly, "Band_FolderReadOnly"},
    {ScreenId::Band, WriteFault::NameIsAFolder, "Band_NameIsAFolder"},
    {ScreenId::Band, WriteFault::FolderGone, "Band_FolderGone"},
    {ScreenId::Band, WriteFault::NameWithASlash, "Band_NameWithASlash"},
};

// Types the text into a box key by key and confirms it with Enter.
void enterText(QWidget* box, const QString& text) {
  box->setFocus();
  for (const QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, box, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c),
                        Qt::NoModifier);
  }
  QTest::keyClick(box, Qt::Key_Return);
}

class WriteFaults : public ::testing::TestWithParam<WriteCase> {
 protected:
  void SetUp() override {
    state.rnd = [] { return 0.5; };
    const WriteCase& c = GetParam();
    const QString card =
        c.fault == WriteFault::NameWithASlash ? QStringLiteral("12/345") : QStringLiteral("12345");
    const Результат filled = sampleRecord(card);
    if (c.screen == ScreenId::PersonalData) {
      hub.show(ScreenId::Title);
      ASSERT_NE(hub.show(ScreenId::PersonalData), nullptr);
      if (c.fault == WriteFault::NameWithASlash) {
        // Such a card number cannot be typed, but an earlier results file may hold one.
        const QString earlier = programDir.filePath(QStringLiteral("earlier.res"));
        writeBytes(earlier, encodeResultRecord(filled));
        desktop.fileNames = {earlier};
        screen()->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
        ASSERT_EQ(state.Рез.НомерСБ.toQString().trimmed(), card);
      } else {
        const QStringList boxes{QStringLiteral("TxtФИО(0)"), QStringLiteral("TxtФИО(1)"),
                                QStringLiteral("TxtФИО(2)"), QStringLiteral("Txt№(0)"),
                                QStringLiteral("Txt№(1)"),   QStringLiteral("Txt№(2)")};
        const QString texts[] = {filled.Фамилия.toQString(),  filled.Имя.toQString(),
                                 filled.Отчество.toQString(), filled.Группа.toQString(),
                                 filled.НомерСБ.toQString(),  filled.EMail.toQString()};
        for (int i = 0; i < 6; ++i) {
          enterText(screen()->findChild<QLineEdit*>(boxes[i]), texts[i].trimmed());
        }
        ASSERT_EQ(state.Рез.EMail, filled.EMail);
      }
    } else {
      ASSERT_NE(hub.show(ScreenId::Band), nullptr);
      // The personal data and the table, as the earlier screens left them.
      Результат& r = state.Рез;
      r.Фамилия = filled.Фамилия;
      r.Имя = filled.Имя;
      r.Отчество = filled.Отчество;
      r.Группа = filled.Группа;
      r.НомерСБ = filled.НомерСБ;
      r.EMail = filled.EMail;
      r.Харuвх[1] = filled.Харuвх[1];
      r.ХарUвх[1] = filled.ХарUвх[1];
      r.Харdf[1] = filled.Харdf[1];
      r.ХарS[1] = filled.ХарS[1];
    }
    settleEvents();
    desktop.clear();
    resultsPath = programDir.filePath(resultsFileName(state.Рез));
  }
  void TearDown() override {
    QDir::setCurrent(programDir.path());
    settleEvents();
  }

  LabScreen* screen() const { return hub.find(GetParam().screen); }

  // The record as it stands once the screen has done its part before writing.
  Результат recordToWrite() const {
    Результат expected = state.Рез;
    if (GetParam().screen == ScreenId::Band) {
      expected.Ответ1 = QStringLiteral("Да");
      expected.Ответ2 = QStringLiteral("Нет");
    }
    return expected;
  }
  // "Дальше...". On the band screen: the characteristic suits (Yes), no more channels (No).
  void goOn() {
    if (GetParam().screen == ScreenId::Band) desktop.answers = {MsgAnswer::Yes, MsgAnswer::No};
    const char* button = GetParam().screen == ScreenId::Band ? "CmdДальше" : "CmdОК";
    auto* next = screen()->findChild<QPushButton*>(QString::fromUtf8(button));
    ASSERT_NE(next, nullptr);
    next->click();
    settleEvents();
  }
  bool wentOn() const {
    return GetParam().screen == ScreenId::Band ? desktop.ended
                                               : hub.find(ScreenId::MainWindow) != nullptr;
  }

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub hub{state, desktop};
  QString resultsPath;
};

TEST_P(WriteFaults, TheStudentIsToldNothingIsLostAndTheStepCanBeDoneAgain) {
  const WriteCase& c = GetParam();
  const QByteArray earlier = encodeResultRecord(sampleRecord(QStringLiteral("старое")));
  // The student's documents, where an unwritable program folder sends the file, cannot take it
  // either.
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", "/proc");
  const auto restoreHome = qScopeGuard([&home] { qputenv("HOME", home); });
  std::unique_ptr<UnwritableFolder> readOnly;
  QString goneFolder;
  switch (c.fault) {
    case WriteFault::FolderReadOnly:
      writeBytes(resultsPath, earlier);  // the file of an earlier session is there
      readOnly = std::make_unique<UnwritableFolder>(programDir.path());
      if (!readOnly->holds()) GTEST_SKIP() << "this file system lets every folder be written";
      break;
    case WriteFault::NameIsAFolder:
      ASSERT_TRUE(QDir().mkpath(resultsPath));
      break;
    case WriteFault::FolderGone:
      goneFolder = programDir.filePath(QStringLiteral("gone"));
      ASSERT_TRUE(QDir().mkpath(goneFolder));
      ASSERT_TRUE(QDir::setCurrent(goneFolder));
      ASSERT_TRUE(QDir().rmdir(goneFolder));
      break;
    case WriteFault::NameWithASlash:
      break;
  }

  Результат expected = recordToWrite();
  goOn();

  ASSERT_FALSE(desktop.messages().empty());
  const DesktopCall told = desktop.messages().back();
  const QString failure = c.screen == ScreenId::Band ? kWriteFailure : kPersonalWriteFailure;
  EXPECT_TRUE(told.text.startsWith(failure)) << told.text.toStdString();
  EXPECT_TRUE(told.text.contains(resultsFileName(state.Рез))) << told.text.toStdString();
  EXPECT_EQ(std::tuple(told.title, told.icon, told.buttons),
            std::tuple(QStringLiteral("Ошибка!"), MsgIcon::Critical, MsgButtons::Ok));
  if (c.screen == ScreenId::Band) {
    // The end's three beeps come first; the closing message never shows.
    EXPECT_EQ(desktop.beepCount(), 3);
    for (const DesktopCall& call : desktop.messages())
      EXPECT_NE(call.title, QStringLiteral("Внимание"));
  } else {
    auto* card = screen()->findChild<QLineEdit*>(QStringLiteral("Txt№(1)"));
    EXPECT_EQ(card->text().trimmed(), state.Рез.НомерСБ.toQString().trimmed());
  }
  EXPECT_FALSE(wentOn());
  EXPECT_FALSE(desktop.ended);
  ASSERT_NE(screen(), nullptr);
  EXPECT_TRUE(screen()->isVisible());
  EXPECT_EQ(encodeResultRecord(state.Рез), encodeResultRecord(expected));

  // Nothing was written anywhere, and the file of the earlier session is as it was.
  readOnly.reset();
  QDir::setCurrent(programDir.path());
  switch (c.fault) {
    case WriteFault::FolderReadOnly:
      EXPECT_EQ(fileBytes(resultsPath), earlier);
      break;
    case WriteFault::NameIsAFolder:
      EXPECT_TRUE(QDir(resultsPath).isEmpty());
      ASSERT_TRUE(QDir().rmdir(resultsPath));
      break;
    case WriteFault::FolderGone:
      EXPECT_FALSE(QFileInfo::exists(goneFolder));
      break;
    case WriteFault::NameWithASlash:
      EXPECT_FALSE(QFileInfo::exists(programDir.filePath(QStringLiteral("Result7_12"))));
      // With a card number that makes a file name, the step goes through.
      state.Рез.НомерСБ = QStringLiteral("12345");
      resultsPath = programDir.filePath(QStringLiteral("Result7_12345.res"));
      expected.НомерСБ = state.Рез.НомерСБ;
      break;
  }
  EXPECT_EQ(QDir(programDir.path())
                .entryList({QStringLiteral("*.tmp"), QStringLiteral("*.res.*")},
                           QDir::Files | QDir::Hidden),
            QStringList());

  // With the fault gone, "Дальше..." goes on and the file holds the record.
  goOn();
  EXPECT_TRUE(wentOn());
  EXPECT_EQ(fileBytes(resultsPath), encodeResultRecord(expected));
}

INSTANTIATE_TEST_SUITE_P(EveryFault, WriteFaults, ::testing::ValuesIn(kWriteCases),
                         [](const ::testing::TestParamInfo<WriteCase>& info) {
                           return std::string(info.param.name);
                         });

// --- Reading a results file --------------------------------------------------------------------

struct ReadCase {
  const char* name;
  int size;          // bytes in the file; -1: the name is a folder; -2: there is no such file
  const char* says;  // a part of the message; nullptr: the record is read
};

const ReadCase kReadCases[] = {
    {"Empty", 0, "короче 554 байт"},
    {"OneByteShort", 553, "короче 554 байт"},
    {"Whole", 554, nullptr},
    {"LongerThanARecord", 600, nullptr},
    {"Folder", -1, "Не удалось прочитать файл"},
    {"Missing", -2, "Не удалось прочитать файл"},
};

class ReadFaults : public ::testing::TestWithParam<ReadCase> {
 protected:
  // Lays out the file of the case; returns its path.
  QString prepare() {
    const ReadCase& c = GetParam();
    const QString path = programDir.filePath(QStringLiteral("Result7_777.res"));
    if (c.size == -1) {
      EXPECT_TRUE(QDir().mkpath(path));
    } else if (c.size >= 0) {
      QByteArray bytes = encodeResultRecord(stored);
      bytes.append(QByteArray(46, 'x'));  // what lies past the record is never read
      writeBytes(path, bytes.left(c.size));
    }
    return path;
  }

  TempProgramDir programDir;
  Результат stored = sampleRecord(QStringLiteral("777"));
};

// Files of every length chosen in the personal data screen's "Открыть": a whole record fills the
// boxes; anything else is named in a message, and the boxes and the record stay as they were.
TEST_P(ReadFaults, OpenFromThePersonalDataScreenFillsTheBoxesOrSaysWhy) {
  ModЧМ state;
  state.rnd = [] { return 0.5; };
  ScriptedDesktop desktop;
  ScreenHub hub(state, desktop);
  hub.show(ScreenId::Title);
  LabScreen* screen = hub.show(ScreenId::PersonalData);
  ASSERT_NE(screen, nullptr);
  auto* surname = screen->findChild<QLineEdit*>(QStringLiteral("TxtФИО(0)"));
  auto* card = screen->findChild<QLineEdit*>(QStringLiteral("Txt№(1)"));
  ASSERT_TRUE(surname && card);
  enterText(surname, QStringLiteral("Сидоров"));
  QTest::keyClicks(card, QStringLiteral("55"));  // typed, not confirmed
  const QByteArray before = encodeResultRecord(state.Рез);

  const QString chosen = prepare();
  desktop.clear();
  desktop.fileNames = {chosen};
  screen->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
  settleEvents();

  if (!GetParam().says) {
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_EQ(encodeResultRecord(state.Рез), encodeResultRecord(stored));
    EXPECT_EQ(surname->text(), stored.Фамилия.toQString());
    EXPECT_EQ(card->text(), stored.НомерСБ.toQString());
  } else {
    ASSERT_EQ(desktop.messages().size(), 1u);
    const DesktopCall told = desktop.messages().front();
    EXPECT_TRUE(told.text.contains(QString::fromUtf8(GetParam().says))) << told.text.toStdString();
    EXPECT_TRUE(told.text.contains(QStringLiteral("Result7_777.res"))) << told.text.toStdString();
    EXPECT_TRUE(told.text.endsWith(QStringLiteral("Данные на экране не изменились.")));
    EXPECT_EQ(std::tuple(told.title, told.icon, told.buttons),
              std::tuple(QStringLiteral("Ошибка!"), MsgIcon::Critical, MsgButtons::Ok));
    EXPECT_EQ(encodeResultRecord(state.Рез), before);
    EXPECT_EQ(surname->text(), QStringLiteral("Сидоров"));
    EXPECT_EQ(card->text(), QStringLiteral("55"));
  }
  EXPECT_NE(hub.find(ScreenId::PersonalData), nullptr);
  settleEvents();
}

INSTANTIATE_TEST_SUITE_P(EveryLength, ReadFaults, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) {
                           return std::string(info.param.name);
                         });

// --- Missing pictures --------------------------------------------------------------------------

// Remembers the names of the windows that were shown while it lived.
class ShowSpy : public QObject {
 public:
  ShowSpy() { qApp->installEventFilter(this); }
  ~ShowSpy() override { qApp->removeEventFilter(this); }
  std::set<QString> shown;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) shown.insert(watched->objectName());
    return false;
  }
};

// What the program does when one picture is missing: the screen's message (if any), whether the
// program ends, and a check that the screen still works where it goes on.
struct PictureCase {
  const char* name;
  ScreenId screen;
  const char* picture;
  const QString* message;  // nullptr: no message
  bool ends;
};

const PictureCase kPictureCases[] = {
    {"Main_Gss", ScreenId::MainWindow, "Гсс.ico", &kMissingIcons, true},
    {"Main_Mv", ScreenId::MainWindow, "Мв.ico", &kMissingIcons, true},
    {"Main_Osc", ScreenId::MainWindow, "Осц.ICO", &kMissingIcons, true},
    {"Main_SpAnaliz", ScreenId::MainWindow, "СпАнализ.ICO", &kMissingIcons, true},
    {"Main_OscVch", ScreenId::MainWindow, "ОсцВЧ.ICO", &kMissingIcons, true},
    {"Main_Ichh", ScreenId::MainWindow, "Ичх.ico", &kMissingIcons, true},
    {"Assembly_Generator", ScreenId::MainWindow, "Генератор.wmf", &kMissingIcons, true},
    {"Assembly_Mv", ScreenId::MainWindow, "Мв.wmf", &kMissingIcons, true},
    {"Assembly_Oscil", ScreenId::MainWindow, "Осцил.wmf", &kMissingIcons, true},
    {"Assembly_SpektrAn", ScreenId::MainWindow, "СпектрАн.wmf", &kMissingIcons, true},
    {"Assembly_OscVch", ScreenId::MainWindow, "ОсцВЧ.wmf", &kMissingIcons, true},
    {"Assembly_PlugLeft", ScreenId::MainWindow, "РазъемЛев.wmf", &kMissingIcons, true},
    {"Assembly_PlugRight", ScreenId::MainWindow, "РазъемПр.wmf", &kMissingIcons, true},
    {"Assembly_Modulator", ScreenId::MainWindow, "ЧМ.wmf", &kMissingIcons, true},
    {"Assembly_Scheme", ScreenId::MainWindow, "Сзема1.wmf", &kMissingIcons, true},
    {"Assembly_PluggedLeft", ScreenId::MainWindow, "ВклРазъемЛев.wmf", &kMissingIcons, true},
    {"Assembly_PluggedRight", ScreenId::MainWindow, "ВклРазъемПр.wmf", &kMissingIcons, true},
    {"Assembly_InputPlug", ScreenId::MainWindow, "ВхРазъем.wmf", &kMissingIcons, true},
    {"Assembly_OutputPlug", ScreenId::MainWindow, "ВыхРазъем.wmf", &kMissingIcons, true},
    {"Assembly_Hand", ScreenId::MainWindow, "Рука.ICO", &kMissingIcons, true},
    {"Assembly_HandGrab", ScreenId::MainWindow, "РукаВз.ico", &kMissingIcons, true},
    {"Characteristic_Panel", ScreenId::Characteristic, "МодХар.wmf", nullptr, false},
    {"Characteristic_Plot", ScreenId::Characteristic, "МодХар1.wmf", nullptr, false},
    {"Band_F54", ScreenId::Band, "ф5-4.wmf", &kMissingFiles, false},
    {"Band_F55", ScreenId::Band, "ф5-5.wmf", &kMissingFiles, false},
    {"Band_F56", ScreenId::Band, "ф5-6.wmf", &kMissingFiles, false},
    {"Band_F57", ScreenId::Band, "ф5-7.wmf", &kMissingFiles, false},
    {"Band_F58", ScreenId::Band, "ф5-8.wmf", &kMissingFiles, false},
};

class MissingPicture : public ::testing::TestWithParam<PictureCase> {
 protected:
  void SetUp() override {
    state.rnd = [] { return 0.5; };
  }
  void TearDown() override { settleEvents(); }

  // The road to the screen, with the picture taken away just before the screen loads.
  void open() {
    const PictureCase& c = GetParam();
    hub.show(ScreenId::Title);
    hub.show(ScreenId::PersonalData);
    if (c.screen != ScreenId::MainWindow) {
      hub.show(ScreenId::MainWindow);
      hub.unload(ScreenId::Assembly);
      hub.show(ScreenId::Bench);
      if (c.screen == ScreenId::Band) hub.show(ScreenId::Characteristic);
    }
    settleEvents();
    desktop.clear();
    desktop.onMessage = [this](const DesktopCall&) { endedAtMessage = desktop.ended; };
    programDir.removePicture(QString::fromUtf8(c.picture));
    ShowSpy spy;
    hub.show(c.screen);
    settleEvents();
    shown = spy.shown;
  }
  void type(ScreenId id, const char* box, const char* text) {
    auto* edit = hub.find(id)->findChild<QLineEdit*>(QString::fromUtf8(box));
    ASSERT_NE(edit, nullptr) << box;
    edit->setFocus();
    QTest::keyClicks(edit, QString::fromUtf8(text));
    QTest::keyClick(edit, Qt::Key_Return);
  }

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub hub{state, desktop};
  bool endedAtMessage = false;
  std::set<QString> shown;  // the windows shown while the screen loaded
};

TEST_P(MissingPicture, TheScreenSaysSoAndGoesOnOrEndsAsItShould) {
  const PictureCase& c = GetParam();
  open();
  const auto told = desktop.messages();
  if (c.message) {
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(std::tuple(told[0].text, told[0].title, told[0].icon, told[0].buttons),
              std::tuple(*c.message, QStringLiteral("Ошибка загрузки"), MsgIcon::Critical,
                         MsgButtons::Ok));
  } else {
    EXPECT_TRUE(told.empty());
  }
  EXPECT_FALSE(endedAtMessage);
  EXPECT_EQ(desktop.ended, c.ends);
  EXPECT_EQ(hub.programEnded(), c.ends);
  if (c.ends) {
    // Nothing of the main window was ever on show.
    EXPECT_EQ(hub.find(ScreenId::Assembly), nullptr);
    EXPECT_EQ(hub.find(c.screen), nullptr);
    EXPECT_EQ(shown.count(QStringLiteral("MDIFrmАнМод")), 0u);
    EXPECT_EQ(shown.count(QStringLiteral("FrmМонтаж")), 0u);
    for (QWidget* w : QApplication::topLevelWidgets()) {
      EXPECT_FALSE(w->isVisible() && dynamic_cast<LabScreen*>(w)) << w->objectName().toStdString();
    }
    return;
  }
  ASSERT_NE(hub.find(c.screen), nullptr);
  // The screen works on without the picture.
  switch (c.screen) {
    case ScreenId::Characteristic:
      type(c.screen, "Text1(1)", "40");
      EXPECT_FLOAT_EQ(state.Рез.Харuвх[1], 40.0f);
      EXPECT_FLOAT_EQ(state.Рез.ХарUвх[1], 56.4f);
      break;
    case ScreenId::Band: {
      // Only the missing formula is blank: "ф5-7.wmf" belongs to "Img57".
      const int missing = QString::fromUtf8(c.picture).mid(1, 3).remove(QChar('-')).toInt();
      for (int n = 54; n <= 58; ++n) {
        const auto* box = dynamic_cast<ImageBox*>(
            hub.find(c.screen)->findChild<QWidget*>(QStringLiteral("Img%1").arg(n)));
        ASSERT_NE(box, nullptr) << n;
        EXPECT_EQ(box->hasPicture(), n != missing) << n;
      }
      type(c.screen, "txtГрЧаст(1)", "100");
      EXPECT_EQ(state.Рез.F1, Currency(100));
      EXPECT_TRUE(hub.find(c.screen)
                      ->findChild<QLabel*>(QStringLiteral("LblП"))
                      ->text()
                      .endsWith(QStringLiteral("МГц")));
      break;
    }
    default:
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryPicture, MissingPicture, ::testing::ValuesIn(kPictureCases),
                         [](const ::testing::TestParamInfo<PictureCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
