#include "screen/lab_screen.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

#include "platform/access.h"
#include "platform/twips.h"
#include "screen/navigation.h"

LabScreen::LabScreen(Navigation& hub, ScreenId id, const QString& objectName,
                     const QString& caption)
    : hub_(hub), id_(id), client_(new QWidget(this)) {
  setObjectName(objectName);
  setWindowTitle(caption);
  setAttribute(Qt::WA_DeleteOnClose);
  client_->setObjectName(objectName + QStringLiteral(".client"));
  setCentralWidget(client_);
}

LabScreen::~LabScreen() { hub_.screenDestroyed(this); }

ModЧМ& LabScreen::state() const { return hub_.state(); }
Desktop& LabScreen::desktop() const { return hub_.desktop(); }

void LabScreen::setClientSizeTwips(int width, int height, bool fixed) {
  const QSize size = twipsSize(width, height);
  client_->setMinimumSize(fixed ? size : QSize(0, 0));
  if (fixed) client_->setMaximumSize(size);
  const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
  resize(size.width(), size.height() + menuHeight);
  if (fixed) setFixedSize(size.width(), size.height() + menuHeight);
}

void LabScreen::centreOnDesktop() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  centreWhenShown_ = !windowHandle() || !windowHandle()->isExposed();
  const QRect desktop = screen->availableGeometry();
  const QSize frame = frameGeometry().size();
  const QPoint at(desktop.left() + (desktop.width() - frame.width()) / 2,
                  desktop.top() + (desktop.height() - frame.height()) / 2);
  // A shown window is placed by its frame through its window: a move() then would be taken for
  // the frame's place by the window manager, and the window would go down by its title bar.
  if (centreWhenShown_) {
    move(at);
  } else {
    windowHandle()->setFramePosition(at);
  }
}

void LabScreen::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (centreWhenShown_ && windowHandle()) windowHandle()->installEventFilter(this);
}

bool LabScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Expose && watched == windowHandle()) centreOnceFramed();
  // A menu opened by the mouse closes on Escape as on a click beside it: the focus stays where
  // it was, and the next key goes there. Opened by keys (the menu bar has the focus then),
  // Escape goes back to the menu bar.
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel) && !menuBar()->hasFocus()) {
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
      menu->hide();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void LabScreen::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  centreOnceFramed();
}

// The window manager frames a window after it is shown, and moves it then (or exposes it): once
// the frame is known, the window is centred with it. Unframed, it stays where it was put.
void LabScreen::centreOnceFramed() {
  if (!centreWhenShown_ || !windowHandle() || !windowHandle()->isExposed() ||
      frameGeometry() == geometry()) {
    return;
  }
  windowHandle()->removeEventFilter(this);
  centreOnDesktop();
}

QAction* LabScreen::addMenuBarItem(const QString& name, const QString& caption) {
  enableMenuKeys(this);
  QAction* action = menuBar()->addAction(caption);
  action->setObjectName(name);
  return action;
}

QMenu* LabScreen::addMenuBarMenu(const QString& name, const QString& caption) {
  enableMenuKeys(this);
  QMenu* menu = menuBar()->addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  menu->installEventFilter(this);
  return menu;
}

QAction* LabScreen::addMenuItem(QMenu* menu, const QString& name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}
