#include "support/lab.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "app/startup.h"
#include "assembly/assembly_screen.h"
#include "platform/pictures.h"
#include "platform/program_dir.h"
#include "support/assembly.h"

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
  return widget->window()->grab().save(folder.filePath(name + ".png"));
}

QString localeNumber(const char* text) {
  return QString::fromUtf8(text).replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

void typeInto(QWidget* box, const QString& text, bool enter) {
  if (!box) return;
  box->setFocus();
  for (const QChar c : text) {  // a letter's key code is its capital
    QTest::sendKeyEvent(QTest::Click, box, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c),
                        Qt::NoModifier);
  }
  if (enter) QTest::keyClick(box, Qt::Key_Return);
  settleEvents();
}

bool inkNear(const QImage& image, QPointF at, const QColor& colour, int radius) {
  for (int dx = -radius; dx <= radius; ++dx) {
    for (int dy = -radius; dy <= radius; ++dy) {
      const QPoint p(int(at.x()) + dx, int(at.y()) + dy);
      if (image.valid(p) && image.pixelColor(p) == colour) return true;
    }
  }
  return false;
}

TempProgramDir::TempProgramDir() : previousCurrent_(QDir::currentPath()) {
  const QDir pictures(QCoreApplication::applicationDirPath());
  for (const QString& name : pictures.entryList({"*.svg", "*.ico", "*.ICO"}, QDir::Files)) {
    QFile::copy(pictures.filePath(name), dir_.filePath(name));
  }
  setProgramDirectory(dir_.path());
  QDir::setCurrent(dir_.path());
}

TempProgramDir::~TempProgramDir() {
  setProgramDirectory(QString());
  QDir::setCurrent(previousCurrent_);
}

void TempProgramDir::removePicture(const QString& fileName) {
  QFile::remove(picturePath(fileName));
}

ScreenTest::ScreenTest() : hub(std::make_unique<ScreenHub>(state, desktop)) {
  state.rnd = [] { return 0.5; };
}

ScreenTest::~ScreenTest() {
  hub.reset();
  settleEvents();
}

void ScreenTest::restart(double draw) {
  hub.reset();
  settleEvents();
  state = ModЧМ();
  state.rnd = [draw] { return draw; };
  desktop = ScriptedDesktop();
  hub = std::make_unique<ScreenHub>(state, desktop);
}

LabScreen* ScreenTest::reach(ScreenId id) {
  using enum ScreenId;
  // The screen each screen is opened from.
  static const std::map<ScreenId, ScreenId> kFrom{
      {Literature, Title},      {PersonalData, Title},  {MainWindow, PersonalData},
      {Assembly, PersonalData}, {Bench, MainWindow},    {Bessel, Bench},
      {Characteristic, Bench},  {Band, Characteristic}, {Report, Characteristic}};
  if (hub->find(id) && id != Report) return hub->find(id);
  if (const auto from = kFrom.find(id); from != kFrom.end() && !hub->find(from->second)) {
    reach(from->second);
  }
  if (id == Bench) hub->unload(Assembly);  // "Монтаж окончен"
  if (id == Report) state.Предв = 1;
  hub->show(id == Assembly || id == Report ? MainWindow : id);
  settleEvents();
  return hub->find(id);
}

std::vector<ScreenId> ScreenTest::loaded() const {
  std::vector<ScreenId> ids;
  for (int i = int(ScreenId::Title); i <= int(ScreenId::Report); ++i) {
    if (hub && hub->find(ScreenId(i))) ids.push_back(ScreenId(i));
  }
  return ids;
}

void ScreenTest::click(ScreenId id, const QString& name) {
  LabScreen* screen = hub->find(id);
  QObject* control = screen ? screen->findChild<QObject*>(name) : nullptr;
  if (auto* action = qobject_cast<QAction*>(control)) {
    action->trigger();
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    EXPECT_TRUE(button->isEnabled()) << name.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
  } else if (auto* widget = qobject_cast<QWidget*>(control)) {
    QTest::mouseClick(widget, Qt::LeftButton);
  } else {
    ADD_FAILURE() << "nothing to click: " << name.toStdString();
  }
  settleEvents();
}

void ScreenTest::enter(ScreenId id, const QString& name, const QString& text) {
  if (auto* box = child<QLineEdit>(id, name)) {
    box->clear();
    typeInto(box, text);
  }
}

void ScreenTest::walkRoad(const std::function<void(ScreenId)>& step) {
  using enum ScreenId;
  const auto after = [&](ScreenId left) {
    if (step) step(left);
  };
  // The questions of the road: the characteristic's "have you done it" gets No, the end of the
  // program No, everything else Yes.
  desktop.onMessage = [this](const DesktopCall& call) {
    if (call.buttons != MsgButtons::YesNo) return;
    const bool no = call.text.startsWith("  Для дальнейшей работы") ||
                    call.text == "Вы хотите окончить работу с программой?";
    desktop.answers.push_front(no ? MsgAnswer::No : MsgAnswer::Yes);
  };
  hub.reset();
  Main(state, desktop);
  const auto hubs = qApp->findChildren<ScreenHub*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_FALSE(hubs.isEmpty()) << "Main made no screen hub";
  hub.reset(hubs.back());
  after(ScreenId(-1));

  click(Title, "CmdИнф");
  click(Title, "CmdДальше");
  after(Title);
  for (const auto& [box, text] : {std::pair{"TxtФИО(0)", "Иванов"},
                                  {"TxtФИО(1)", "Пётр"},
                                  {"TxtФИО(2)", "Сергеевич"},
                                  {"Txt№(0)", "РТ-21"},
                                  {"Txt№(1)", "123456"},
                                  {"Txt№(2)", "ivanov@example.org"}}) {
    enter(PersonalData, box, text);
  }
  click(PersonalData, "CmdОК");
  after(PersonalData);
  ASSERT_NE(hub->find(Assembly), nullptr);

  // Each instrument chosen from the palette and placed on the table, then the cables.
  AssemblyDriver table(dynamic_cast<FrmМонтаж*>(hub->find(Assembly)), state);
  table.showWhole();
  for (int i = 1; i <= 5; ++i) {
    QTest::mouseClick(child(MainWindow, QStringLiteral("ImgПрибор(%1)").arg(i)), Qt::LeftButton, {},
                      QPoint(8, 8));
    QTest::mouseClick(table.table(), Qt::LeftButton, {}, AssemblyDriver::kSpots[i - 1]);
  }
  table.wireEverything();
  click(Assembly, "CmdДальше");  // "Монтаж сделан правильно", Yes
  after(Assembly);

  for (int stage = 1; stage <= 3; ++stage) {
    click(Bench, QStringLiteral("mnuЭтап(%1)").arg(stage));
  }
  if (auto* amplitude = child<QScrollBar>(Bench, "HScrUвх")) {
    amplitude->triggerAction(QAbstractSlider::SliderPageStepAdd);
    amplitude->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  }
  click(Bench, "CmdNext");
  after(Bench);

  const char* readings[] = {"20,5", "32.6", "46.9", "59.6", "73.6"};
  for (int row = 1; row <= 5; ++row) {
    enter(Characteristic, QStringLiteral("Text1(%1)").arg(row), readings[row - 1]);
  }
  click(Characteristic, "CmdИХ");
  click(Characteristic, "CmdДальше");
  after(Characteristic);

  for (const auto& [box, text] : {std::pair{"txtГрЧаст(1)", "300"},
                                  {"txtГрЧаст(2)", "2596"},
                                  {"Txtрк", "32"},
                                  {"Txtdfk", "200"}}) {
    enter(Band, box, text);
  }
  click(Band, "Command2");
  click(Band, "CmdДальше");  // Yes, Yes: the channel box opens
  enter(Band, "TxtN", "600");
  enter(Band, "Txtdfk", "150");
  click(Band, "CmdДальше");
  after(Band);
  desktop.onMessage = nullptr;
}
