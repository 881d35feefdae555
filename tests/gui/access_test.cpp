// Keyboard and screen-reader access: names, the Tab chain, values read aloud, the road by keys.

#include "platform/access.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <set>

#include "support/lab.h"
#include "support/records.h"

namespace {
using enum ScreenId;

QString spoken(QObject* object, QAccessible::Text what) {
  return QAccessible::queryAccessibleInterface(object)->text(what);  // every widget has one
}

// Every screen the test base reaches.
const ScreenId kScreens[] = {Title,  Literature,     PersonalData, Assembly, Bench,
                             Bessel, Characteristic, Band,         Report};

TEST_F(ScreenTest, EveryControlIsNamedAndTabReachesIt) {
  for (const ScreenId id : kScreens) {
    SCOPED_TRACE(int(id));
    restart();
    QWidget* window = reach(id)->window();
    QApplication::setActiveWindow(window);
    std::set<QWidget*> visited;
    for (int i = 0; i < 120; ++i)
      QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Tab),
          visited.insert(window->focusWidget());
    for (QWidget* c : window->findChildren<QWidget*>())
      if ((c->focusPolicy() & Qt::TabFocus) && c->isVisible() && c->isEnabled()) {
        EXPECT_TRUE(!spoken(c, QAccessible::Name).trimmed().isEmpty() && visited.count(c))
            << c->objectName().toStdString() << " is nameless or not on the Tab chain";
        // The reader's hints are not shown: the tool tips are the screens' own.
        EXPECT_TRUE(c->toolTip().isEmpty() || c->toolTip() != c->accessibleDescription())
            << c->objectName().toStdString() << " shows its hint";
      }
    QAccessibleInterface* menu =
        QAccessible::queryAccessibleInterface(static_cast<QMainWindow*>(window)->menuWidget());
    for (int i = 0; menu && i < menu->childCount(); ++i)
      EXPECT_FALSE(menu->child(i)->text(QAccessible::Name).isEmpty()) << i;
  }
}

// The bench by keys: the analyzer on with Space, the amplitude stepped once per key. The reader
// hears the readout as shown and the spectrum as |J_n(mf)| in divisions of 0.2, carrier first
// (values from tables of J_n, rounded by hand). The focus ring shows from the first Tab on.
TEST_F(ScreenTest, TheBenchIsWorkedByKeysAndItsSpectrumIsReadAloud) {
  reach(Bench);
  auto* amplitude = child<QScrollBar>(Bench, "HScrUвх");
  auto* reading = child<QLabel>(Bench, "LblUвх");
  auto* power = child(Bench, "LblвклСА");
  auto* analyzer = child(Bench, "PicСпектр");
  ASSERT_TRUE(amplitude && reading && power && analyzer);
  const auto ringShown = [this] {
    return std::ranges::any_of(hub->find(Bench)->findChildren<QWidget*>("fmlabFocusRingMark"),
                               &QWidget::isVisible);
  };
  EXPECT_FALSE(ringShown());
  tabTo(power), QTest::keyClick(power, Qt::Key_Space);
  EXPECT_TRUE(ringShown());
  EXPECT_TRUE(QAccessible::queryAccessibleInterface(power)->state().checked);
  tabTo(amplitude);
  // clang-format off
  const std::tuple<Qt::Key, int, const char*, const char*> kSteps[] = {
      {Qt::Key_PageUp, 100, "Несущая: 3.8 дел.; 1-я пара: 2.2 дел.; 2-я пара: 0.6 дел.; 3-я пара: 0.1 дел.; 4-я пара: 0.0 дел.",
       "несущая 3.8; 1-я пара 2.2; 2-я пара 0.6"},
      {Qt::Key_PageUp, 200, nullptr, nullptr}, {Qt::Key_Right, 210, nullptr, nullptr},
      {Qt::Key_Right, 220, nullptr, nullptr}, {Qt::Key_Right, 230, nullptr, nullptr},
      {Qt::Key_Right, 240,  // the carrier's first null
       "Несущая: 0.0 дел.; 1-я пара: 2.6 дел.; 2-я пара: 2.2 дел.; 3-я пара: 1.0 дел.; 4-я пара: 0.3 дел.",
       "несущая 0.0; 1-я пара 2.6; 2-я пара 2.2"},
      {Qt::Key_Left, 230, nullptr, nullptr}, {Qt::Key_End, 2500, nullptr, nullptr},
      {Qt::Key_PageDown, 2400, nullptr, nullptr},
      {Qt::Key_Home, 0, "Несущая: 5.0 дел.; 1-я пара: 0.0 дел.; 2-я пара: 0.0 дел.; 3-я пара: 0.0 дел.; 4-я пара: 0.0 дел.",
       "несущая 5.0; 1-я пара 0.0; 2-я пара 0.0"}};
  // clang-format on
  // A reading as a number or the word, never a bare separator (a zero shows only ",").
  const QRegularExpression number(QStringLiteral("^(ноль|\\d+([.,]\\d)?) мВ$"));
  for (const auto& [key, value, spectrum, heard] : kSteps) {
    SCOPED_TRACE(value);
    QTest::keyClick(amplitude, key);
    EXPECT_EQ(amplitude->value(), value);
    const QString reads = spoken(reading, QAccessible::Value);
    EXPECT_TRUE(number.match(reads).hasMatch()) << reads.toStdString();
    EXPECT_EQ(value == 0, reads == "ноль мВ");
    EXPECT_EQ(spectrum ? analyzer->accessibleDescription() : "",
              localeNumber(spectrum ? spectrum : ""));
    // After each step the reader hears the reading and the carrier and first pairs.
    if (heard) {
      EXPECT_EQ(lastNews(amplitude), reads + "; " + localeNumber(heard));
    }
  }
}

// What the reader hears without the focus moving: a character refused, a box accepted, a row
// computed (U вх = 1.41 u вх; Δf = 0.5 mf with the row's mf 2.408; S = Δf / U вх in MHz/V).
TEST_F(ScreenTest, TheReaderHearsTheNewsOfEachMoment) {
  const struct {
    ScreenId id;
    const char *box, *keys, *news;
  } moments[] = {
      {PersonalData, "TxtФИО(0)", "*", "Символ не принят: в этом поле он недопустим"},
      {PersonalData, "TxtФИО(0)", "Иванов\r", "Принято"},
      {Characteristic, "Text1(1)", "x", "Символ не принят: в этом поле он недопустим"},
      {Characteristic, "Text1(1)", "10\r", "Строка 1: U вх 14.1 мВ; Δf 1.2 МГц; S 85.39 МГц/В."},
      {Band, "txtГрЧаст(1)", "100\r", "Принято"},
  };
  for (const auto& moment : moments) {
    SCOPED_TRACE(moment.keys);
    QWidget* box = (reach(moment.id), child(moment.id, moment.box));
    QApplication::setActiveWindow(box->window());
    typeInto(box, QString::fromUtf8(moment.keys));
    EXPECT_EQ(lastNews(box), localeNumber(moment.news));
  }
}

// Panels that group controls are read as groupings named as they are seen, not as windows.
TEST_F(ScreenTest, PanelsAreGroupingsNotWindows) {
  reach(Bench);
  const std::pair<const char*, const char*> panels[] = {{"Picture1", "Спектроанализатор"},
                                                        {"Picture2", "Генератор"},
                                                        {"Picture3", "Милливольтметр"},
                                                        {"Picture4", "НЧ осциллограф"},
                                                        {"Picture5", "ВЧ осциллограф"}};
  for (const auto& [name, heard] : panels) {
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(child(Bench, name));
    EXPECT_EQ(std::pair(reader->role(), reader->text(QAccessible::Name)),
              std::pair(QAccessible::Grouping, QString::fromUtf8(heard)));
  }
  QWidget* assembly = reach(Assembly);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(assembly->parentWidget())->role(),
            QAccessible::Section);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(assembly)->role(), QAccessible::Client);
}

// The viewer's order by keys; its plot says where J_1 crosses zero (the published zeros of J_1).
TEST_F(ScreenTest, TheViewerSaysWhereItsCurveCrossesZero) {
  auto* order = (reach(Bessel), child<QScrollBar>(Bessel, "HScrlПорядок"));
  tabTo(order), QTest::keyClick(order, Qt::Key_Right);
  EXPECT_EQ(child(Bessel, "picБессель")->accessibleDescription(),
            localeNumber("Порядок 1; кривая пересекает ноль при mf: 3.83; 7.02; 10.17; 13.32; "
                         "16.47; 19.62"));
}

// The whole road by keys: Tab and Space for the buttons and switches, F10 and the arrows for the
// menus, typed text and Enter for the boxes. The file is the mouse road's, byte for byte.
TEST_F(ScreenTest, TheWholeRoadByKeysWritesTheMouseRoadsFile) {
  const QString path = programDir.filePath("Result7_123456.res");
  walkRoad();
  const QByteArray byMouse = fileBytes(path);
  QFile::remove(path), restart(), byKeys = true;
  // The windows that got a mouse event: none.
  struct MouseWatch : QObject {
    std::set<QString> windows;
    bool eventFilter(QObject* target, QEvent* event) override {
      if (dynamic_cast<QMouseEvent*>(event) && target->isWidgetType())
        windows.insert(static_cast<QWidget*>(target)->window()->objectName());
      return false;
    }
  } watch;
  qApp->installEventFilter(&watch);
  walkRoad();
  EXPECT_EQ(fileBytes(path), byMouse);
  EXPECT_EQ(watch.windows, std::set<QString>{});
}
}  // namespace
