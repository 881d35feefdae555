#include "frame/main_window.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QResizeEvent>
#include <QScreen>
#include <cmath>

#include "assembly/assembly_model.h"
#include "frame/palette_icon.h"
#include "platform/access.h"
#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/pictures.h"
#include "platform/program_dir.h"
#include "platform/text_label.h"
#include "platform/twips.h"
#include "platform/vb_color.h"
#include "screen/navigation.h"
#include "state/work_state.h"

namespace {

// The palette, by the instrument's index: icon file, tool tip, top (twips). The column is not
// in index order: the high-frequency oscilloscope (5) sits above the spectrum analyzer (4).
// The accessible name is the instrument's name as a screen reader should say it.
struct PaletteEntry {
  const char* iconFile;
  const char* toolTip;
  int top;
  const char* name;
};
constexpr PaletteEntry kPalette[7] = {
    {},
    {"Гсс.ico", "Генератор стандартных  сигналов", 2370, "Генератор стандартных сигналов"},
    {"Мв.ico", "Милливольтметр", 2805, "Милливольтметр"},
    {"Осц.ICO", "Низкочастоный осциллограф", 3285, "Низкочастотный осциллограф"},
    {"СпАнализ.ICO", "Спектроанализатор", 4245, "Спектроанализатор"},
    {"ОсцВЧ.ICO", "Высокочастотный осциллограф", 3765, "Высокочастотный осциллограф"},
    {"Ичх.ico", "Измеритель частотных характеристик", 4725, "Измеритель частотных характеристик"},
};
// Tab goes down the column as the student reads it.
constexpr int kPaletteReadingOrder[] = {1, 2, 3, 5, 4, 6};
constexpr int kIconLeft = 15;
constexpr int kIconSide = 480;
constexpr int kFirstIconHeight = 435;
constexpr int kPaletteWidth = 525;
constexpr int kHintPanelHeight = 630;  // two lines of the hint in a narrow window
constexpr double kAssemblyShare = 0.94;
constexpr int kReportWidth = 7700;

// A child window that Tab passes through: past its last control the focus goes on to the main
// window's next one (the palette) instead of round inside the child window, and the frame
// itself is no stop of its own.
class ChildFrame : public QMdiSubWindow {
 public:
  ChildFrame() {
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::ClickFocus);
  }

 protected:
  bool focusNextPrevChild(bool next) override {
    QWidget* from = window()->focusWidget();
    if (!from) return QMdiSubWindow::focusNextPrevChild(next);
    for (QWidget* w = step(from, next); w && w != from; w = step(w, next)) {
      if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisible() && w->isEnabled() &&
          w->window() == window() && !w->focusProxy()) {
        w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
      }
    }
    return false;
  }

 private:
  static QWidget* step(QWidget* w, bool next) {
    return next ? w->nextInFocusChain() : w->previousInFocusChain();
  }
};

}  // namespace

MDIFrmАнМод::MDIFrmАнМод(Navigation& hub)
    : LabScreen(hub, ScreenId::MainWindow, QStringLiteral("MDIFrmАнМод"),
                QString::fromUtf8(kApplicationTitle)),
      picИнф_(new QFrame(client())),
      label1_(new QLabel(picИнф_)),
      picПриб_(new QFrame(client())),
      area_(new QMdiArea(client())) {
  const QColor buttonFace = vbColor(kVbButtonFace);

  picИнф_->setObjectName(QStringLiteral("PicИнф"));
  picИнф_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  picИнф_->setAutoFillBackground(true);
  picИнф_->setFixedHeight(px(kHintPanelHeight));
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setWordWrap(true);
  label1_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QPalette hintColours = label1_->palette();
  hintColours.setColor(QPalette::WindowText, kNavy);
  label1_->setPalette(hintColours);
  auto* hintLayout = new QHBoxLayout(picИнф_);
  hintLayout->setContentsMargins(px(120), 0, px(120), 0);
  hintLayout->addWidget(label1_);

  markPanel(picИнф_);
  picПриб_->setObjectName(QStringLiteral("PicПриб"));
  markPanel(picПриб_, QStringLiteral("Приборы"));
  picПриб_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  picПриб_->setAutoFillBackground(true);
  picПриб_->setFixedWidth(px(kPaletteWidth));
  QPalette paletteColours = picПриб_->palette();
  paletteColours.setColor(QPalette::Window, buttonFace);
  picПриб_->setPalette(paletteColours);
  picИнф_->setPalette(paletteColours);
  for (int i = 1; i <= 6; ++i) {
    auto* icon = new PaletteIcon(picПриб_);
    icon->setObjectName(QStringLiteral("ImgПрибор(%1)").arg(i));
    icon->setToolTip(QString::fromUtf8(kPalette[i].toolTip));
    placeTwips(icon, kIconLeft, kPalette[i].top, kIconSide, i == 1 ? kFirstIconHeight : kIconSide);
    icon->setOnClick([this, i] { ImgПрибор_Click(i); });
    icon->setAccessibleName(QString::fromUtf8(kPalette[i].name));
    icon->setAccessibleDescription(QStringLiteral(
        "Пробел или Enter — выбрать прибор. Затем Tab до монтажного стола и Enter — поставить прибор на стол."));
    imgПрибор_[i] = icon;
  }

  area_->setObjectName(QStringLiteral("MDIFrmАнМод.area"));
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  auto* columns = new QHBoxLayout;
  columns->setContentsMargins(0, 0, 0, 0);
  columns->setSpacing(0);
  columns->addWidget(picПриб_);
  columns->addWidget(area_, 1);
  auto* rows = new QVBoxLayout(client());
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(0);
  rows->addWidget(picИнф_);
  rows->addLayout(columns, 1);

  // The window's normal size; it opens maximized, so that the assembly has room.
  setClientSizeTwips(6945, 5730, false);
  setWindowState(Qt::WindowMaximized);
}

QSize MDIFrmАнМод::assemblySize(QSize mainWindow) {
  return {static_cast<int>(std::lround(kAssemblyShare * mainWindow.width())),
          static_cast<int>(std::lround(kAssemblyShare * mainWindow.height()))};
}

QSize MDIFrmАнМод::reportSize(QSize mainWindow) {
  return {px(kReportWidth), 2 * mainWindow.height()};
}

QMdiSubWindow* MDIFrmАнМод::embed(LabScreen* screen) {
  auto* frame = new ChildFrame;
  frame->setWidget(screen);
  area_->addSubWindow(frame);
  frame->setObjectName(screen->objectName() + QStringLiteral(".frame"));
  // Read as a section of the main window, named by the screen's caption: a window of its own
  // would make the reader announce the main window anew whenever it is activated, and a panel
  // would have its texts read again whenever the focus comes in from the palette.
  setAccessibleRole(frame, QAccessible::Section);
  frame->setAccessibleName(screen->windowTitle());
  setAccessibleRole(screen, QAccessible::Client);
  // No picture in the child's title bar (the toolkit's logo otherwise).
  QPixmap blank(16, 16);
  blank.fill(Qt::transparent);
  frame->setWindowIcon(QIcon(blank));
  return frame;
}

void MDIFrmАнМод::load() {
  makeProgramDirectoryCurrent();
  if (state().Предв == 0) {
    label1_->setText(QStringLiteral(
        "Сделайте щелчок левой кнопкой мыши по пиктограмме нужного прибора. Затем щелкните в любом месте рабочего поля."));
    picИнф_->setVisible(true);
    hub().unload(ScreenId::PersonalData);
    state().Заголовок =
        QStringLiteral("Монтаж схемы для исследования характеристик частотного модулятора");
    setWindowTitle(state().Заголовок);
    if (!showAssembly()) {
      desktop().message(
          this,
          QStringLiteral(
              " В каталоге с программой отсутствуют все или некоторые сопровождающие графические значки с расширением *.ico!"),
          MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Ошибка загрузки"));
      hub().endProgram();
    }
  } else {
    picИнф_->setVisible(false);
    reportMode_ = true;
    child_ = nullptr;
    if (LabScreen* report = hub().show(ScreenId::Report)) {
      child_ = qobject_cast<QMdiSubWindow*>(report->parentWidget());
      fitChild();
    }
  }
}

bool MDIFrmАнМод::showAssembly() {
  // A missing picture, here or in the assembly screen's own load, ends the program.
  try {
    for (int i = 1; i <= 6; ++i) {
      imgПрибор_[i]->setIcon(loadIcon(QString::fromUtf8(kPalette[i].iconFile)));
    }
    for (int n = 1; n < 6; ++n) {  // once the pictures take the focus
      QWidget::setTabOrder(imgПрибор_[kPaletteReadingOrder[n - 1]],
                           imgПрибор_[kPaletteReadingOrder[n]]);
    }
    LabScreen* assembly = hub().show(ScreenId::Assembly);
    child_ = assembly ? qobject_cast<QMdiSubWindow*>(assembly->parentWidget()) : nullptr;
    fitChild();
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

void MDIFrmАнМод::ImgПрибор_Click(int index) {
  for (int i = 1; i <= 6; ++i) imgПрибор_[i]->setFramed(false);
  imgПрибор_[index]->setFramed(true);
  AssemblyModel::selectInstrument(state(), index);
}

QSize MDIFrmАнМод::windowSize() const {
  if (isVisible() || !screen()) return size();
  return screen()->availableGeometry().size();
}

void MDIFrmАнМод::fitChild() {
  if (!child_) return;
  fittedSize_ = reportMode_ ? reportSize(windowSize()) : assemblySize(windowSize());
  // At the top left of the work area (the report must be; the assembly is the first window).
  child_->setGeometry(QRect(QPoint(0, 0), fittedSize_));
}

void MDIFrmАнМод::resizeEvent(QResizeEvent* event) {
  LabScreen::resizeEvent(event);
  // Until the student sizes the child himself it follows the window, so that it has the share
  // of the window's final size (the window is maximized only when it is first shown).
  if (child_ && child_->size() == fittedSize_) fitChild();
}
