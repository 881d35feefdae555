#include "platform/application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/access.h"
#include "platform/desktop.h"

void setUpApplication(QApplication& application) {
  // No display name: Qt would append it to every window title, and the screens' captions stand
  // alone. Boxes that show the application's title are given it explicitly.
  QApplication::setApplicationName(QStringLiteral("fmlab"));
  // The screens decide when the program ends (the hub ends it when the last one is closed):
  // between two screens there are moments with no window shown.
  QApplication::setQuitOnLastWindowClosed(false);
  setUpReaderAccess();
  auto* translator = new QTranslator(&application);
  if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}
