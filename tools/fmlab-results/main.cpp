#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "platform/application_setup.h"
#include "teacher/results_pages.h"
#include "tools/fmlab-results/results_tool.h"

namespace {

// Whether an option before "--" asks for `name` (a name followed by "=" counts too).
bool asks(const QStringList& arguments, const QString& name) {
  for (const QString& argument : arguments) {
    if (argument == QStringLiteral("--")) return false;
    if (argument == name || argument.startsWith(name + QLatin1Char('='))) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (asks(arguments, QStringLiteral("--version"))) {
    std::printf("fmlab-results %s\n", FMLAB_VERSION);
    return 0;
  }
  // Only the PDF draws, and it draws off any screen: the text modes need no display at all, and
  // the PDF is the same whether or not the teacher's session has one. Qt is given no options.
  const bool drawing = asks(arguments, QStringLiteral("--pdf"));
  char* qtArgv[] = {argv[0], nullptr};
  int qtArgc = 1;
  std::unique_ptr<QCoreApplication> application;
  if (drawing) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* gui = new QApplication(qtArgc, qtArgv);
    application.reset(gui);
    setUpApplication(*gui);
  } else {
    application = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
  }
  QTextStream out(stdout);
  QTextStream err(stderr);
  // Progress for a long run watched in a terminal: "12 из 100", rewritten in place.
  const bool terminal = isatty(STDERR_FILENO) == 1;
  const ResultsPdfWriter writePdf = [terminal](const QString& fileName,
                                               const std::vector<ResultsFileReport>& reports,
                                               bool withSummary) {
    const bool showProgress = terminal && reports.size() > 20;
    const bool written =
        writeResultsPdf(fileName, reports, withSummary, [showProgress](int done, int total) {
          if (showProgress) std::fprintf(stderr, "\r%d из %d", done, total);
        });
    if (showProgress) std::fputs("\n", stderr);
    return written;
  };
  return runResultsTool(arguments, out, err, QLocale::system(), writePdf);
}
