// Keyboard and screen-reader access: every control named and on the Tab chain, the values and
// the pictures' text alternatives read aloud, and the whole road done by keys alone.

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <set>

#include "support/lab.h"
#include "support/records.h"

namespace {
using enum ScreenId;

QString spoken(QObject* object, QAccessible::Text what) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
  return face ? face->text(what) : QString();
}

// Every row a screen reached through the test base; the mounting table's row comes with its own
// keyboard work.
const ScreenId kScreens[] = {Title,  Literature,     PersonalData, Bench,
                             Bessel, Characteristic, Band,         Report};

TEST_F(ScreenTest, EveryControlIsNamedAndTabReachesIt) {
  for (const ScreenId id : kScreens) {
    SCOPED_TRACE(int(id));
    restart();
    QWidget* window = reach(id)->window();
    QApplication::setActiveWindow(window);
    std::set<QWidget*> visited;
    for (int i = 0; i < 120; ++i) {
      QWidget* focus = window->focusWidget();
      QTest::keyClick(focus ? focus : window, Qt::Key_Tab);
      visited.insert(window->focusWidget());
    }
    for (QWidget* control : window->findChildren<QWidget*>()) {
      if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisible() ||
          !control->isEnabled())
        continue;
      const std::string name = control->objectName().toStdString();
      EXPECT_FALSE(spoken(control, QAccessible::Name).trimmed().isEmpty()) << name;
      EXPECT_TRUE(visited.count(control)) << name << " is not on the Tab chain";
    }
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(bar);
      for (int i = 0; face && i < face->childCount(); ++i)
        EXPECT_FALSE(face->child(i)->text(QAccessible::Name).isEmpty()) << i;
    }
  }
}
}  // namespace
