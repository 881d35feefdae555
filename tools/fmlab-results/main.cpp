#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "tools/fmlab-results/results_tool.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  return runResultsTool(QCoreApplication::arguments().mid(1), out, err);
}
