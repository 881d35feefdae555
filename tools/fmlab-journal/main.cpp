#include <QApplication>
#include <QSettings>
#include <cstdio>
#include <cstring>

#include "platform/application_setup.h"
#include "tools/fmlab-journal/journal_dialogs.h"
#include "tools/fmlab-journal/journal_window.h"

namespace {

const char* const kHelp =
    R"(Использование: fmlab-journal [ПАПКА | ФАЙЛ.res]...

Журнал преподавателя для лабораторной работы «Исследование модуляционной
характеристики»: окно со всеми присланными файлами результатов группы
(Result7_<номер студ. билета>.res). Таблица (студент, группа, билет, вариант,
заполненные строки, модулятор стенда, замечания) сортируется и отбирается по
группе и по фамилии, имени или билету; справа страница выбранного студента,
та же, что в PDF программы fmlab-results, и его карточка текстом. Папка
отслеживается: новые и измененные файлы появляются сами. Экспорт в PDF, CSV
и JSON (как у fmlab-results) и печать выбранных страниц — в меню «Файл».

Usage: fmlab-journal [FOLDER | FILE.res]...

The teacher's journal of the lab: a window over the results files the students
sent. A sortable, filterable table of the class, the chosen student's page (the
same as in fmlab-results' PDF) and card, the folder watched for new and changed
files; PDF, CSV and JSON export and printing from the "Файл" menu.

  -h, --help   this help
  --version    the program's version
)";

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("fmlab-journal %s\n", FMLAB_VERSION);
      return 0;
    }
  }
  QApplication application(argc, argv);
  setUpApplication(application);
  QApplication::setApplicationName(QStringLiteral("fmlab-journal"));
  QApplication::setQuitOnLastWindowClosed(true);
  QSettings settings(QStringLiteral("fmlab"), QStringLiteral("fmlab-journal"));
  JournalWindow window(systemJournalDialogs(), settings);
  QStringList paths;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") != 0) paths << QString::fromLocal8Bit(argv[i]);
  }
  if (!paths.isEmpty()) window.open(paths);
  window.show();
  return QApplication::exec();
}
