#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/startup.h"
#include "platform/application_setup.h"
#include "platform/desktop.h"
#include "state/work_state.h"

namespace {

const char* const kHelp = R"(Использование: fmlab [--help | --version]

Лабораторная работа «Исследование модуляционной характеристики» частотного
модулятора на виртуальном стенде. Программа открывает окно работы; других
параметров у нее нет, и параметры Qt (-style и другие) она не принимает.

Файл результатов Result7_<номер студенческого билета>.res записывается в папку
программы, если в нее можно писать, иначе — в папку документов студента,
в подпапку «Исследование модуляционной характеристики». Присланные файлы
читает и проверяет программа преподавателя fmlab-results (fmlab-results --help).

  -h, --help   эта справка
  --version    версия программы

Usage: fmlab [--help | --version]

The "modulation characteristic" lab of an FM modulator on a simulated bench
(in Russian). The program opens its window; it takes no other options, nor
Qt's own (-style and the like).

The results file Result7_<student card>.res goes to the program's folder when
it can be written, otherwise to the student's documents folder, in
«Исследование модуляционной характеристики». The teacher reads and checks the
files with fmlab-results (fmlab-results --help).

  -h, --help   this help
  --version    the program's version
)";

}  // namespace

int main(int argc, char* argv[]) {
  // Help and version are printed without a window; any other argument is ignored.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("fmlab %s\n", FMLAB_VERSION);
      return 0;
    }
  }
  // The program reads no other command line: Qt is given only the program's name, so that
  // options such as -style, -stylesheet or -reverse cannot change what the student sees.
  char fallbackName[] = "fmlab";
  int qtArgc = 1;
  char* qtArgv[] = {argv[0] ? argv[0] : fallbackName, nullptr};
  QApplication application(qtArgc, qtArgv);
  setUpApplication(application);
  ModЧМ state;
  Main(state, systemDesktop());
  const int code = QApplication::exec();
  closeProgram();  // the screens go before the application object does
  return code;
}
