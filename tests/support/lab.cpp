#include "support/lab.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include "app/startup.h"
#include "assembly/assembly_screen.h"
#include "platform/access.h"
#include "platform/application_setup.h"
#include "platform/pictures.h"
#include "platform/program_dir.h"
#include "support/assembly.h"

PrintOutcome ScriptedDesktop::printPage(QWidget*, const QString& documentName,
                                        const QString& pdfPath, const PagePainter& paint) {
  calls.push_back({Kind::Print, documentName, {}, MsgButtons::Ok, MsgIcon::None, pdfPath});
  if (printOutcome == PrintOutcome::Printed || printOutcome == PrintOutcome::SavedAsPdf) {
    QImage page(124, 175, QImage::Format_ARGB32_Premultiplied);  // only drawn, never looked at
    QPainter painter(&page);
    paint(painter, QRectF(page.rect()));
  }
  return printOutcome;
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  setUpApplication(application);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

void settleEvents() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
}

bool saveScreenPng(QWidget* widget, const QString& name) {
  const QDir folder(QStringLiteral(FMLAB_SCREENS_DIR));
  folder.mkpath(QStringLiteral("."));
  settleEvents();
  const QString file = (name.isEmpty() ? widget->objectName() : name) + ".png";
  return widget->window()->grab().save(folder.filePath(file));
}

QString localeNumber(const char* text) {
  // A point next to a digit ("2.6", ".5", "1.") or alone (a zero), not the one that ends "дел.".
  static const QRegularExpression point(QStringLiteral("(?<=\\d)\\.|\\.(?=\\d)|^\\.$"));
  return QString::fromUtf8(text).replace(point, QLocale::system().decimalPoint());
}

void typeInto(QWidget* box, const QString& keys) {
  // The keys that type no character, and the text the desktop sends with each.
  static const QString kNamed = QStringLiteral("\r⌫⌦⇤⇥⎘");
  static const Qt::Key kKeys[] = {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete,
                                  Qt::Key_Home,   Qt::Key_End,       Qt::Key_V};
  static const char* const kTexts[] = {"\r", "\b", "\x7f", "", "", "\x16"};
  if (!box) return;
  box->setFocus();
  const QPointer<QWidget> alive(box);  // a key may close the screen
  for (const QChar c : keys) {
    const auto named = kNamed.indexOf(c);  // a letter's key code is its capital
    const auto key = named >= 0 ? kKeys[named] : static_cast<Qt::Key>(c.toUpper().unicode());
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent event(type, key, c == u'⎘' ? Qt::ControlModifier : Qt::NoModifier,
                      named >= 0 ? QString::fromLatin1(kTexts[named]) : QString(c));
      if (alive) QApplication::sendEvent(box, &event);
    }
  }
  settleEvents();
}

int inkCount(const QImage& image, const QList<QColor>& colours, QRect within) {
  within = within.isNull() ? image.rect() : within.intersected(image.rect());
  int count = 0;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x)
      count += colours.contains(image.pixelColor(x, y));
  return count;
}

ScreenTest::ScreenTest() : previousCurrent(QDir::currentPath()), previousHome(qgetenv("HOME")) {
  qputenv("HOME", QFile::encodeName(home.path()));
  const QDir pictures(QCoreApplication::applicationDirPath());
  for (const QString& name : pictures.entryList({"*.svg", "*.ico", "*.ICO"}, QDir::Files))
    QFile::copy(pictures.filePath(name), programDir.filePath(name));
  setProgramDirectory(programDir.path());
  QDir::setCurrent(programDir.path());
  restart();
}

void ScreenTest::closeScreens() {
  hub = nullptr, ownHub.reset();
  closeProgram(), settleEvents();
}

ScreenTest::~ScreenTest() {
  closeScreens();
  setProgramDirectory(QString());
  QDir::setCurrent(previousCurrent);
  qputenv("HOME", previousHome);
}

void ScreenTest::restart(double draw) {
  closeScreens();
  hideFocusMarksUntilKeys();
  state = ModЧМ();
  state.rnd = [draw] { return draw; };
  desktop = ScriptedDesktop();
  ownHub = std::make_unique<ScreenHub>(state, desktop);
  hub = ownHub.get();
}

LabScreen* ScreenTest::reach(ScreenId id) {
  using enum ScreenId;
  static const std::map<ScreenId, ScreenId> kFrom{
      {Literature, Title},      {PersonalData, Title},  {MainWindow, PersonalData},
      {Assembly, PersonalData}, {Bench, MainWindow},    {Bessel, Bench},
      {Characteristic, Bench},  {Band, Characteristic}, {Report, Characteristic}};
  if (hub->find(id) && id != Report) return hub->find(id);
  if (const auto from = kFrom.find(id); from != kFrom.end() && !hub->find(from->second))
    reach(from->second);
  if (id == Bench) hub->unload(Assembly);  // "Монтаж окончен"
  if (id == Report) state.Предв = 1;
  hub->show(id == Assembly || id == Report ? MainWindow : id);
  settleEvents();
  return hub->find(id);
}

void ScreenTest::tabTo(QWidget* control) {
  QWidget* window = control->window();
  QApplication::setActiveWindow(window);
  for (int i = 0; i < 100 && window->focusWidget() != control; ++i)
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Tab);
  EXPECT_EQ(window->focusWidget(), control)
      << "Tab does not reach " << qPrintable(control->objectName());
}

void ScreenTest::chooseByKeys(QAction* item) {
  auto* menu = qobject_cast<QMenu*>(item->parent());
  auto* bar = qobject_cast<QMenuBar*>(menu ? menu->parent() : item->parent());
  ASSERT_NE(bar, nullptr);
  QApplication::setActiveWindow(bar->window());
  QWidget* focus = bar->window()->focusWidget();
  QTest::keyClick(focus ? focus : bar->window(), Qt::Key_F10);
  for (qsizetype i = bar->actions().indexOf(menu ? menu->menuAction() : item); i > 0; --i)
    QTest::keyClick(bar, Qt::Key_Right);
  if (menu) QTest::keyClick(bar, Qt::Key_Down);  // opens the menu at its first item
  for (qsizetype i = menu ? menu->actions().indexOf(item) : 0; i > 0; --i)
    QTest::keyClick(menu, Qt::Key_Down);
  QTest::keyClick(menu ? static_cast<QWidget*>(menu) : bar, Qt::Key_Return);
}

void ScreenTest::click(ScreenId id, const QString& name) {
  QObject* control = child<QObject>(id, name);
  if (byKeys) {
    if (auto* action = qobject_cast<QAction*>(control)) chooseByKeys(action);
    if (auto* widget = qobject_cast<QWidget*>(control))
      tabTo(widget), QTest::keyClick(widget, Qt::Key_Space);
    settleEvents();
    return;
  }
  if (auto* action = qobject_cast<QAction*>(control)) {
    action->trigger();
  } else if (auto* widget = qobject_cast<QWidget*>(control)) {
    EXPECT_TRUE(widget->isEnabled()) << name.toStdString();
    QTest::mouseClick(widget, Qt::LeftButton);
  }
  settleEvents();
}

void ScreenTest::enter(ScreenId id, const QString& name, const QString& text) {
  auto* box = child<QLineEdit>(id, name);
  if (!box) return;
  if (!byKeys) return box->clear(), typeInto(box, text + u'\r');
  tabTo(box);
  QTest::keyClick(box, Qt::Key_Home), QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
  typeInto(box, text + u'\r');
}

void ScreenTest::walkRoad(const std::function<void(ScreenId)>& done) {
  using enum ScreenId;
  // The questions of the road: the characteristic's "have you done it" gets No, the end of the
  // program No, everything else Yes.
  desktop.onMessage = [this](const DesktopCall& call) {
    if (call.buttons != MsgButtons::YesNo) return;
    const bool no = call.text.startsWith("  Для дальнейшей работы") ||
                    call.text == "Вы хотите окончить работу с программой?";
    desktop.answers.push_front(no ? MsgAnswer::No : MsgAnswer::Yes);
  };
  closeScreens();
  Main(state, desktop);
  hub = startedProgram();
  ASSERT_NE(hub, nullptr) << "Main made no screen hub";
  // Each screen's part: a control clicked, or a box typed into and confirmed with Enter.
  // clang-format off
  const std::tuple<ScreenId, const char*, const char*> acts[] = {
      {Title, "CmdИнф", nullptr}, {Title, "CmdДальше", nullptr},
      {PersonalData, "TxtФИО(0)", "Иванов"}, {PersonalData, "TxtФИО(1)", "Пётр"}, {PersonalData, "TxtФИО(2)", "Сергеевич"},
      {PersonalData, "Txt№(0)", "РТ-21"}, {PersonalData, "Txt№(1)", "123456"}, {PersonalData, "Txt№(2)", "ivanov@example.org"},
      {PersonalData, "CmdОК", nullptr},
      {Assembly, "CmdДальше", nullptr},  // once the table is assembled (below): Yes
      {Bench, "mnuЭтап(1)", nullptr}, {Bench, "mnuЭтап(2)", nullptr}, {Bench, "mnuЭтап(3)", nullptr},
      {Bench, "LblВклНЧ", nullptr}, {Bench, "LblвклВЧ", nullptr}, {Bench, "LblвклСА", nullptr},
      {Bench, "CmdNext", nullptr},  // with the amplitude turned up (below)
      {Characteristic, "Text1(1)", "20,5"}, {Characteristic, "Text1(2)", "32.6"}, {Characteristic, "Text1(3)", "46.9"},
      {Characteristic, "Text1(4)", "59.6"}, {Characteristic, "Text1(5)", "73.6"}, {Characteristic, "CmdИХ", nullptr},
      {Characteristic, "CmdДальше", nullptr},  // No, then Yes
      {Band, "txtГрЧаст(1)", "300"}, {Band, "txtГрЧаст(2)", "2596"}, {Band, "Txtрк", "32"}, {Band, "Txtdfk", "200"},
      {Band, "Command2", nullptr}, {Band, "CmdДальше", nullptr},  // Yes, Yes: the channel box opens
      {Band, "TxtN", "600"}, {Band, "Txtdfk", "150"}, {Band, "CmdДальше", nullptr}};
  // clang-format on
  for (auto act = std::begin(acts); act != std::end(acts); ++act) {
    const auto& [screen, control, text] = *act;
    // Each instrument from the palette onto the table, then the cables.
    if (screen == Assembly && byKeys) {
      assembleByKeyboard(hub->find(MainWindow), dynamic_cast<FrmМонтаж*>(hub->find(Assembly)));
    } else if (screen == Assembly) {
      AssemblyDriver table(dynamic_cast<FrmМонтаж*>(hub->find(Assembly)), state);
      ASSERT_NE(hub->find(Assembly), nullptr);
      table.showWhole();
      for (int i = 1; i <= 5; ++i) {
        QTest::mouseClick(child(MainWindow, QStringLiteral("ImgПрибор(%1)").arg(i)), Qt::LeftButton,
                          {}, QPoint(8, 8));
        QTest::mouseClick(table.table(), Qt::LeftButton, {}, AssemblyDriver::kSpots[i - 1]);
      }
      table.wireEverything();
    }
    if (screen == Bench && act + 1 != std::end(acts) && std::get<0>(act[1]) != Bench) {
      auto* amplitude = child<QScrollBar>(Bench, "HScrUвх");
      if (byKeys) {
        tabTo(amplitude);
        QTest::keyClick(amplitude, Qt::Key_PageUp), QTest::keyClick(amplitude, Qt::Key_Right);
      } else {
        amplitude->triggerAction(QAbstractSlider::SliderPageStepAdd);
        amplitude->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      }
    }
    if (done && (act + 1 == std::end(acts) || std::get<0>(act[1]) != screen)) done(screen);
    text ? enter(screen, control, text) : click(screen, control);
  }
  desktop.onMessage = nullptr;
}
