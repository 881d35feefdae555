// Faults of the file system met by the screens: the results file cannot be written, a chosen
// file is no results file, a picture is missing. Each ends with the screen's message (or its
// documented behaviour) and loses nothing.

#include <QLineEdit>

#include "measure/image_box.h"
#include "platform/pictures.h"
#include "records/results_file.h"
#include "support/lab.h"
#include "support/records.h"

namespace {
using enum ScreenId;
using FileFaults = ScreenTest;
// The personal data as typed (a card number no one can type comes from an opened file).
void typePersonalData(Результат& r, const Результат& from) {
  std::tie(r.Фамилия, r.Имя, r.Отчество, r.Группа, r.НомерСБ, r.EMail) =
      std::tie(from.Фамилия, from.Имя, from.Отчество, from.Группа, from.НомерСБ, from.EMail);
}
// The error box of a file that cannot be read or written: its text has `says` and the name.
void expectFileError(const DesktopCall& told, const QString& says, const QString& name) {
  EXPECT_TRUE(told.text.contains(says) && told.text.contains(name)) << told.text.toStdString();
  EXPECT_EQ(std::tuple(told.title, told.icon, told.buttons),
            std::tuple(std::optional<QString>("Ошибка!"), MsgIcon::Critical, MsgButtons::Ok));
}
enum class Fault { FoldersClosed, NameIsAFolder, NameWithASlash };

// Where the results file is written: the personal data screen's "Дальше...", and the end of the
// work on the band screen. Each fault is met (the program's folder and the home closed to new
// files, a folder under the file's name, a card number that names a folder), then gone, and the
// same button writes the file.
TEST_F(FileFaults, AFailedWriteSaysSoKeepsEverythingAndTheStepCanBeDoneAgain) {
  const QString path = programDir.filePath("Result7_12345.res");
  for (const ScreenId screen : {PersonalData, Band}) {
    for (const Fault fault : {Fault::FoldersClosed, Fault::NameIsAFolder, Fault::NameWithASlash}) {
      SCOPED_TRACE(std::to_string(int(screen)) + " fault " + std::to_string(int(fault)));
      restart();
      const Результат filled = filledRecord(fault == Fault::NameWithASlash ? "12/345" : "12345");
      ASSERT_NE(reach(screen), nullptr);
      typePersonalData(state.Рез, filled);
      QFile::remove(path);  // the previous row's
      std::optional<UnwritableFolder> closed[2];
      if (fault == Fault::FoldersClosed) {
        closed[0].emplace(programDir.path()), closed[1].emplace(home.path());
        ASSERT_TRUE(closed[0]->holds && closed[1]->holds);
      }
      ASSERT_TRUE(fault != Fault::NameIsAFolder || QDir().mkpath(path));
      const QByteArray before = encodeResultRecord(state.Рез);
      const char* next = screen == Band ? "CmdДальше" : "CmdОК";
      desktop.clear();
      desktop.answers = {MsgAnswer::Yes, MsgAnswer::No};  // the band's two questions
      click(screen, next);
      ASSERT_FALSE(desktop.messages().empty());
      const DesktopCall told = desktop.messages().back();
      EXPECT_TRUE(told.text.startsWith(screen == Band ? "Не удалось записать результаты работы"
                                                      : "Не удалось записать файл результатов"));
      expectFileError(told, "", resultsFileName(state.Рез));
      EXPECT_EQ(std::pair(desktop.beepCount(), desktop.ended),
                std::pair(screen == Band ? 3 : 0, false));
      EXPECT_TRUE(loaded().back() == screen && hub->find(screen)->isVisible());  // nothing went on
      EXPECT_TRUE(screen == Band || encodeResultRecord(state.Рез) == before);
      EXPECT_EQ(QDir(programDir.path()).entryList({"*.tmp", "*.res.*"}, QDir::Files | QDir::Hidden),
                QStringList());
      // The fault gone, the same button goes on and the file holds the record.
      closed[1].reset(), closed[0].reset();  // the reverse order of closing
      if (fault == Fault::NameIsAFolder) QDir().rmdir(path);
      if (fault == Fault::NameWithASlash) state.Рез.НомерСБ = QStringLiteral("12345");
      desktop.answers = {MsgAnswer::Yes, MsgAnswer::No};
      click(screen, next);
      EXPECT_TRUE(screen == Band ? desktop.ended : hub->find(MainWindow) != nullptr);
      EXPECT_EQ(fileBytes(path).size(), 554);
      EXPECT_EQ(decodeResultRecord(fileBytes(path)).Фамилия, filled.Фамилия);
    }
  }
}

// A program folder that takes no new files (an installed program): a results file already there
// is updated in place, what follows its record kept; a new one goes to the lab's folder in the
// student's documents.
TEST_F(FileFaults, AClosedProgramFolderUpdatesItsOwnFileOrSendsANewOneToTheDocuments) {
  const QString inDocuments =
      home.filePath("Documents/Исследование модуляционной характеристики/Result7_12345.res");
  const QString inProgram = programDir.filePath("Result7_12345.res");
  for (const bool exists : {true, false}) {
    SCOPED_TRACE(exists);
    restart();
    reach(PersonalData);
    typePersonalData(state.Рез, filledRecord());
    QFile::remove(inProgram);
    ASSERT_TRUE(!exists || writeBytes(inProgram, QByteArray(554, 'x') + "kept"));
    {
      UnwritableFolder closed(programDir.path());
      ASSERT_TRUE(closed.holds);
      click(PersonalData, "CmdОК");
    }
    EXPECT_TRUE(desktop.messages().empty() && hub->find(MainWindow));  // no message, gone on
    const QByteArray bytes = fileBytes(exists ? inProgram : inDocuments);
    EXPECT_EQ(bytes.mid(70, 20), QByteArray("12345").leftJustified(20, ' '));  // the card number
    EXPECT_EQ(bytes.mid(554), exists ? "kept" : "");
    EXPECT_EQ(QFile::exists(inDocuments), !exists);
  }
}

// The report kept as a PDF where no printer is: the dialog proposes Отчет_<card>.pdf where the
// results file goes, in the student's documents for an installed program.
TEST_F(FileFaults, TheReportsPdfIsProposedWhereTheResultsFileGoes) {
  for (const bool installed : {false, true}) {
    SCOPED_TRACE(installed);
    restart();
    reach(Report);
    state.Рез.НомерСБ = QStringLiteral("12345");
    desktop.answers = {MsgAnswer::Yes};
    {
      std::optional<UnwritableFolder> closed;
      if (installed) {
        ASSERT_TRUE(closed.emplace(programDir.path()).holds);
      }
      click(Report, "mnuПеч");
    }
    ASSERT_EQ(desktop.calls.back().kind, DesktopCall::Kind::Print);
    EXPECT_EQ(desktop.calls.back().path.toStdString(),
              (installed ? home.filePath("Documents/Исследование модуляционной характеристики/"
                                         "Отчет_12345.pdf")
                         : programDir.filePath("Отчет_12345.pdf"))
                  .toStdString());
  }
}

// Files of every length chosen with "Открыть" of the personal data screen: a whole record (or
// more) fills the boxes; anything else is named in a message and changes nothing.
TEST_F(FileFaults, OpeningAFileThatIsNoRecordChangesNothing) {
  // Bytes in the file (-1: the name is a folder, -2: no such file) and what the message says.
  const std::pair<int, const char*> rows[] = {
      {0, "короче 554 байт"}, {553, "короче 554 байт"},          {554, nullptr},
      {600, nullptr},         {-1, "Не удалось прочитать файл"}, {-2, "Не удалось прочитать файл"}};
  const Результат stored = filledRecord("777");
  for (const auto& [size, says] : rows) {
    SCOPED_TRACE(size);
    restart();
    reach(PersonalData);
    const QString path = programDir.filePath("Result7_777.res");
    QFile::remove(path), QDir().rmdir(path);
    if (size == -1) QDir().mkpath(path);
    if (size >= 0) writeBytes(path, (encodeResultRecord(stored) + QByteArray(46, 'x')).left(size));
    enter(PersonalData, "TxtФИО(0)", "Сидоров");
    const QByteArray before = encodeResultRecord(state.Рез);
    desktop.clear();
    desktop.fileNames = {path};
    click(PersonalData, "mnuOpen");
    EXPECT_EQ(encodeResultRecord(state.Рез), says ? before : encodeResultRecord(stored));
    EXPECT_EQ(child<QLineEdit>(PersonalData, "TxtФИО(0)")->text(),
              says ? QString("Сидоров") : stored.Фамилия.toQString());
    ASSERT_EQ(desktop.messages().size(), says ? 1u : 0u);
    if (!says) continue;
    expectFileError(desktop.messages()[0], says, "Result7_777.res");
    EXPECT_TRUE(desktop.messages()[0].text.endsWith("Данные на экране не изменились."));
  }
}

// Each picture taken away in turn just before its screen loads: the main window (icons and the
// table's pictures) says so and ends the program before anything shows; the title and the band
// screens say so and work on; the characteristic works on in silence.
TEST_F(FileFaults, AMissingPictureIsToldAndTheScreenGoesOnOrEndsAsItShould) {
  const char* files =
      " В каталоге с программой отсутствуют все или некоторые сопровождающие графические файлы!";
  const char* icons =
      " В каталоге с программой отсутствуют все или некоторые сопровождающие графические значки с расширением *.ico!";
  // clang-format off
  const std::tuple<ScreenId, QStringList, const char*> rows[] = {
      {Title, {"Demo.wmf", "Logo1.wmf"}, files},
      {MainWindow, {"Гсс.ico", "Мв.ico", "Осц.ICO", "СпАнализ.ICO", "ОсцВЧ.ICO", "Ичх.ico", "Генератор.wmf", "Мв.wmf",
                    "Осцил.wmf", "СпектрАн.wmf", "ОсцВЧ.wmf", "РазъемЛев.wmf", "РазъемПр.wmf", "ЧМ.wmf", "Сзема1.wmf",
                    "ВклРазъемЛев.wmf", "ВклРазъемПр.wmf", "ВхРазъем.wmf", "ВыхРазъем.wmf", "Рука.ICO", "РукаВз.ico"}, icons},
      {Characteristic, {"МодХар.wmf", "МодХар1.wmf"}, nullptr},
      {Band, {"ф5-4.wmf", "ф5-5.wmf", "ф5-6.wmf", "ф5-7.wmf", "ф5-8.wmf"}, files}};
  // clang-format on
  const std::map<ScreenId, ScreenId> before{
      {MainWindow, PersonalData}, {Characteristic, Bench}, {Band, Characteristic}};
  for (const auto& [screen, pictures, message] : rows) {
    const bool ends = screen == MainWindow;
    for (const QString& picture : pictures) {
      SCOPED_TRACE(picture.toStdString());
      restart();
      if (screen != Title) reach(before.at(screen));
      desktop.clear();
      ASSERT_TRUE(QFile::rename(picturePath(picture), programDir.filePath("aside")));
      bool shownBeforeTheEnd = false;
      desktop.onMessage = [&](const DesktopCall&) {
        for (ScreenId id : {MainWindow, Assembly})
          shownBeforeTheEnd |= hub->find(id) && hub->find(id)->isVisible();
      };
      reach(screen);
      QFile::rename(programDir.filePath("aside"), picturePath(picture));
      const auto told = desktop.messages();
      ASSERT_EQ(told.size(), message ? 1u : 0u);
      for (const DesktopCall& box : told)
        EXPECT_EQ(std::tuple(box.text, box.title, box.icon),
                  std::tuple(QString(message), std::optional<QString>("Ошибка загрузки"),
                             MsgIcon::Critical));
      EXPECT_EQ(std::tuple(desktop.ended, loaded().empty(), shownBeforeTheEnd),
                std::tuple(ends, ends, false));
      // Only the missing formula is blank ("ф5-7.wmf": "Img57").
      for (int n = 54; screen == Band && n <= 58; ++n) {
        auto* box = dynamic_cast<ImageBox*>(child(Band, QStringLiteral("Img%1").arg(n)));
        EXPECT_TRUE(box && box->hasPicture() == (n != picture.mid(1, 3).remove('-').toInt())) << n;
      }
    }
  }
}
}  // namespace
