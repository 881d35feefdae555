// Every screen in a typical state, written to build/screens/<name>.png to be looked at: the road's
// screens as the student leaves them, the side screens, the mounting table on a dark desktop.

#include <QApplication>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>

#include "platform/text_label.h"
#include "records/results_file.h"
#include "support/journal.h"
#include "support/lab.h"
#include "support/records.h"
#include "teacher/readings_check.h"
#include "teacher/results_check.h"
#include "tools/fmlab-journal/journal_window.h"
#include "types/number_text.h"

namespace {
using enum ScreenId;

TEST_F(ScreenTest, EveryScreenInATypicalState) {
  // Long captions typed with a hyphen at a line end break there only at the end of a line.
  const std::map<ScreenId, std::pair<const char*, QString>> softened{
      {Title, {"Label3", QStringLiteral("лабо\u00ADраторной")}},
      {PersonalData, {"Label10", QStringLiteral("изме\u00ADнится")}}};
  walkRoad([&](ScreenId screen) {
    EXPECT_TRUE(saveScreenPng(hub->find(screen))) << int(screen);
    if (const auto soft = softened.find(screen); soft != softened.end()) {
      auto* label = dynamic_cast<WrappedLabel*>(child(screen, soft->second.first));
      EXPECT_TRUE(label && label->shownText().contains(soft->second.second) &&
                  !label->text().contains(QChar::SoftHyphen))
          << soft->second.first;
    }
  });
  restart();
  fillTable(state.Рез);
  for (const ScreenId screen : {Literature, Bessel, Report}) {
    ASSERT_NE(reach(screen), nullptr);
    if (screen == Bessel) child<QScrollBar>(Bessel, "HScrlПорядок")->setValue(5);
    EXPECT_TRUE(saveScreenPng(hub->find(screen))) << int(screen);
  }
}

// A dark desktop leaves the mounting table, its two captions and the plugs white: a quarter of
// their pixels at least is white, none has the desktop's colours.
TEST_F(ScreenTest, TheMountingTableStaysWhiteOnADarkDesktop) {
  const QPalette original = QApplication::palette();
  QPalette dark = original;
  const QColor base(10, 20, 30), window(11, 21, 31);
  dark.setColor(QPalette::Base, base), dark.setColor(QPalette::Window, window);
  dark.setColor(QPalette::Text, Qt::white), dark.setColor(QPalette::WindowText, Qt::white);
  QApplication::setPalette(dark);
  restart();
  reach(Assembly);
  EXPECT_TRUE(saveScreenPng(hub->find(Assembly), "FrmМонтаж-тёмный"));
  for (const char* name : {"PicСтол", "Label16", "Label17", "PicРазъем1(1)", "PicРазъем2(4)"}) {
    const QImage image = child(Assembly, name)->grab().toImage();
    EXPECT_EQ(inkCount(image, {base, window}), 0) << name;
    EXPECT_GT(inkCount(image, {Qt::white}), image.width() * image.height() / 4) << name;
  }
  QApplication::setPalette(original);
}

// The teacher's journal over a class folder: six students read off the bench's modulators (one
// row misread, one table short), a file that is no results file.
TEST(TeacherScreens, TheJournalOverAClass) {
  QTemporaryDir folder;
  const char* const names[][3] = {{"Иванов", "Иван", "РС-31"},  {"Петрова", "Анна", "РС-31"},
                                  {"Сидоров", "Пётр", "РС-32"}, {"Ёлкина", "Мария", "РС-32"},
                                  {"Абрамов", "Олег", "РС-31"}, {"Кузнецова", "Ольга", "РС-32"}};
  for (int i = 0; i < 6; ++i) {
    ModЧМ state;
    Результат& r = state.Рез = filledRecord(QString::number(1001 + i));
    std::tie(r.Фамилия, r.Имя, r.Группа) =
        std::tuple(QString::fromUtf8(names[i][0]), QString::fromUtf8(names[i][1]),
                   QString::fromUtf8(names[i][2]));
    for (int row = 1; row <= 14; ++row) {
      const double reading =
          std::round(benchReading(3 + i % 4, int(std::lround(kSpectrumNulls[row] * 100))) * 10) /
          10 * (i == 1 && row == 6 ? 1.1 : 1);
      const double index = numberFromText(QString::fromLatin1(kRowIndexCaptions[row]));
      storeCharacteristicRow(r, row,
                             computeCharacteristicRow(i == 2 && row > 10 ? 0 : reading, index));
    }
    state.РасчетПолосы();
    ASSERT_TRUE(writeBytes(folder.filePath(resultsFileName(r)), encodeResultRecord(r)));
  }
  QFile other(folder.filePath(QStringLiteral("Result7_1007.res")));  // saved long ago
  ASSERT_TRUE(
      other.open(QIODevice::WriteOnly) && other.write("не то") && other.flush() &&
      other.setFileTime(QDateTime(QDate(2026, 9, 1), QTime()), QFile::FileModificationTime));
  QSettings settings(folder.filePath(QStringLiteral("journal.ini")), QSettings::IniFormat);
  ScriptedDialogs dialogs;
  JournalWindow window(dialogs, settings);
  window.show();
  window.open({folder.path()});
  auto* table = window.findChild<QTableView*>(QStringLiteral("table"));
  ASSERT_TRUE(QTest::qWaitFor([table] { return table->model()->rowCount() == 7; }));
  table->setCurrentIndex(table->model()->index(4, 0));  // Петрова, with a row misread
  EXPECT_TRUE(saveScreenPng(&window, QStringLiteral("fmlab-journal")));
}
}  // namespace
