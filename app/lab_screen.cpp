#include "app/lab_screen.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "app/navigation.h"
#include "platform/access.h"
#include "platform/twips.h"

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
  const QRect desktop = screen->availableGeometry();
  const QSize frame = frameGeometry().size();
  move(desktop.left() + (desktop.width() - frame.width()) / 2,
       desktop.top() + (desktop.height() - frame.height()) / 2);
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
  return menu;
}

QAction* LabScreen::addMenuItem(QMenu* menu, const QString& name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}
