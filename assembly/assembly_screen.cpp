#include "assembly/assembly_screen.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QSvgRenderer>
#include <algorithm>
#include <tuple>
#include <vector>

#include "assembly/drag_tracker.h"
#include "assembly/keyboard_wiring.h"
#include "assembly/mounting_table.h"
#include "assembly/picture_control.h"
#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/pictures.h"
#include "platform/program_dir.h"
#include "platform/twips.h"
#include "platform/vb_color.h"
#include "screen/navigation.h"
#include "state/work_state.h"

namespace {

constexpr int kSchemePanelHeight = 2220;  // twips; the panel and the table keep their heights
constexpr int kTableHeight = 4710;

// Every drawing of the table and the panel; all of them are loaded when the screen loads.
constexpr std::array kPictureFiles{
    "Генератор.wmf",   "Мв.wmf",       "Осцил.wmf",     "СпектрАн.wmf", "ОсцВЧ.wmf",
    "РазъемЛев.wmf",   "РазъемПр.wmf", "ЧМ.wmf",        "Сзема1.wmf",   "ВклРазъемЛев.wmf",
    "ВклРазъемПр.wmf", "ВхРазъем.wmf", "ВыхРазъем.wmf",
};

const char* const kInstrumentTips[] = {
    "",
    "Генератор стандартных сигналов",
    "Милливольтметр",
    "Низкочастотный осциллограф",
    "Спектроанализатор",
    "Высокочастотный осциллограф",
};

// Pointer hot spots in the 32 x 32 pictures: the tip of the pointing finger, the grip of the hand.
constexpr QPoint kHandHotSpot{9, 1};
constexpr QPoint kGrabHotSpot{15, 12};

QRect pixels(const QRectF& twips) {
  return twipsRect(twips.left(), twips.top(), twips.width(), twips.height());
}

// A command button whose caption breaks into lines when it is wider than the button.
class WrappingButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text());
  }
};

// The screen's small print: the classic dialog face where there is one, a narrow sans otherwise.
QFont textFont(double points) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Arial")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  return font;
}

// Makes the label's font small enough for its text to fit the upper `height` pixels of its box
// (all of it when `height` is 0).
void fitText(QLabel* label, int height = 0) {
  QFont font = label->font();
  QRect box = label->contentsRect();
  if (height > 0) box.setHeight(height);
  const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
  while (font.pointSizeF() > 6) {
    const QRect need = QFontMetrics(font).boundingRect(box, flags, label->text());
    if (need.width() <= box.width() && need.height() <= box.height()) break;
    font.setPointSizeF(font.pointSizeF() - 0.25);
  }
  label->setFont(font);
}

QLabel* makeText(QWidget* parent, const QString& name, const QString& text, std::uint32_t vbColour,
                 int left, int top, int width, int height) {
  QLabel* label = makeLabel(parent, name, text, left, top, width, height);
  label->setFont(textFont(8));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, vbColor(vbColour));
  label->setPalette(palette);
  return label;
}

}  // namespace

FrmМонтаж::FrmМонтаж(Navigation& hub)
    : LabScreen(hub, ScreenId::Assembly, QStringLiteral("FrmМонтаж"),
                QStringLiteral("Монтаж схемы")),
      model_(hub.state(), [this](const QString& name) {
        const auto renderer = picture(name);
        return renderer ? QSizeF(renderer->defaultSize()) * kTwipsPerPixel : QSizeF();
      }) {
  setClientSizeTwips(12000, 7785, false);
  buildPanel();
  buildTable();
  auto* done = new WrappingButton(QStringLiteral("Монтаж окончен"), client());
  done->setObjectName(QStringLiteral("CmdДальше"));
  placeTwips(done, 120, 6960, 870, 480);
  button_ = done;
  connect(done, &QPushButton::clicked, this, &FrmМонтаж::checkAssembly);

  drag_ = new DragTracker(client());
  drag_->moved = [this](QPointF at) { dragOver(at); };
  drag_->dropped = [this](QPointF at) { drop(at); };
  client()->installEventFilter(this);
  layOut();
  keyboard_ = new KeyboardWiring(
      this, model_, {info_, scheme_, table_, modulator_, instruments_, plugs_, button_},
      {[this] { syncTable(); }, [this] { desktop().beep(); }, [this] { showInstructions(); },
       [this] { return drag_->active(); }});
}

FrmМонтаж::~FrmМонтаж() = default;

void FrmМонтаж::buildPanel() {
  panel_ = new QWidget(client());
  panel_->setObjectName(QStringLiteral("Picture1"));
  panel_->setAutoFillBackground(true);
  QPalette face = panel_->palette();
  face.setColor(QPalette::Window, vbColor(kVbButtonFace));
  panel_->setPalette(face);
  controls_[panel_] = Control{};

  scheme_ = new PictureControl(panel_, QStringLiteral("PicСхема"), vbColor(kVbButtonFace));
  placeTwips(scheme_, 0, 0, 5445, 2145);

  const QRgb darkBlue = vbRgb(0, 0, 128);
  intro_ = makeText(panel_, QStringLiteral("Label18"), QString(), darkBlue, 5520, 0, 3180, 1140);
  intro_->setWordWrap(true);
  QLabel* note = makeText(
      panel_, QStringLiteral("Label19"),
      QStringLiteral(
          "  При правильном монтаже после нажатия на клавишу 'Монтаж окончен' программа перейдет к следующему этапу работы."),
      darkBlue, 5520, 1185, 3315, 735);
  note->setWordWrap(true);
  fitText(note, px(1830 - 1185));  // the lower part of its box lies under "Порядок работы"

  info_ = makeText(panel_, QStringLiteral("Lblинф"), QStringLiteral("Порядок работы"),
                   vbRgb(255, 0, 0), 5760, 1830, 1905, 300);
  info_->setFont(textFont(12));
  fitText(info_);
  info_->installEventFilter(this);
}

void FrmМонтаж::buildTable() {
  table_ = new MountingTable(client(), model_);
  table_->setMouseTracking(true);
  table_->installEventFilter(this);
  controls_[table_] = Control{Control::Table, 0, 0, table_};

  // The table, its captions and the plugs are white whatever the desktop's colours; the
  // instruments take the system's window colour.
  const QColor white = vbColor(vbRgb(255, 255, 255));
  const QColor windowColour = vbColor(kVbWindowBackground);
  const auto caption = [&](const QString& name, const QString& text, int left, int top, int width) {
    // Black on the white caption, so that a light text colour of a dark desktop stays readable.
    QLabel* label = makeText(table_, name, text, vbRgb(0, 0, 0), left, top, width, 195);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, white);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_NoMousePropagation);
    fitText(label);
    controls_[label] = Control{};
  };
  caption(QStringLiteral("Label16"), QStringLiteral("Кабели для коммутации приборов на входе ЧМ"),
          30, 4320, 3615);
  caption(QStringLiteral("Label17"), QStringLiteral("Кабели для коммутации приборов на выходе ЧМ"),
          6120, 4395, 3735);

  modulator_ = new PictureControl(table_, QStringLiteral("PicИссл4п(0)"), vbColor(kVbButtonFace));
  modulator_->setToolTip(QStringLiteral("Исследуемый частотный модулятор"));
  modulator_->setAttribute(Qt::WA_NoMousePropagation);
  controls_[modulator_] = Control{Control::Modulator, 0, 0, modulator_};

  for (int i = 1; i <= AssemblyModel::kInstruments; ++i) {
    auto* box = new PictureControl(table_, QStringLiteral("PicПрибор(%1)").arg(i), windowColour);
    box->setToolTip(QString::fromUtf8(kInstrumentTips[i]));
    box->setAttribute(Qt::WA_NoMousePropagation);
    box->installEventFilter(this);
    box->hide();
    instruments_[i] = box;
    controls_[box] = Control{Control::Instrument, i, 0, box};
  }
  for (int k = 1; k <= AssemblyModel::kCables; ++k) {
    for (int p = 1; p <= 2; ++p) {
      auto* plug =
          new PictureControl(table_, QStringLiteral("PicРазъем%1(%2)").arg(p).arg(k), white);
      plug->setAttribute(Qt::WA_NoMousePropagation);
      plug->installEventFilter(this);
      plugs_[k][p] = plug;
      controls_[plug] = Control{Control::Plug, k, p, plug};
    }
    lines_[k] = new QObject(table_);
    lines_[k]->setObjectName(QStringLiteral("Кабель(%1)").arg(k));
  }
  syncTable();
}

void FrmМонтаж::layOut() {
  const int width = client()->width();
  panel_->setGeometry(0, 0, width, px(kSchemePanelHeight));
  table_->setGeometry(0, px(kSchemePanelHeight), width, px(kTableHeight));
}

std::shared_ptr<QSvgRenderer> FrmМонтаж::picture(const QString& name) const {
  const auto it = pictures_.find(name);
  return it == pictures_.end() ? nullptr : it->second;
}

void FrmМонтаж::loadPictures() {
  for (const char* file : kPictureFiles) {
    const QString name = QString::fromUtf8(file);
    pictures_[name] = loadPicture(name);
  }
  handCursor_ = loadCursor(QStringLiteral("Рука.ICO"), kHandHotSpot);
  grabCursor_ = loadCursor(QStringLiteral("РукаВз.ico"), kGrabHotSpot);
}

void FrmМонтаж::load() {
  makeProgramDirectoryCurrent();
  intro_->setText(QStringLiteral(
      " Для выполнения работы нужно собрать схему исследования модуляционной характеристики (рис. 1), разместив нужные приборы на монтажном столе (область белого цвета) и обеспечив соединения кабельными перемычками."));
  fitText(intro_);
  model_.load();
  loadPictures();

  scheme_->setPicture(QStringLiteral("Сзема1.wmf"), picture(QStringLiteral("Сзема1.wmf")));
  modulator_->setPicture(model_.modulatorPicture(), picture(model_.modulatorPicture()));
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i) {
    const QString& name = model_.instrument(i).Picture;
    instruments_[i]->setPicture(name, picture(name));
    instruments_[i]->setCursor(grabCursor_);
  }
  for (int k = 1; k <= AssemblyModel::kCables; ++k) {
    plugs_[k][1]->setCursor(grabCursor_);
    plugs_[k][2]->setCursor(grabCursor_);
  }
  info_->setCursor(handCursor_);
  syncTable();
}

void FrmМонтаж::syncTable() {
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i) {
    instruments_[i]->setGeometry(pixels(model_.instrumentRect(i)));
    instruments_[i]->setVisible(model_.instrument(i).Visible);
    instruments_[i]->setProperty("Tag", model_.instrument(i).Tag);
  }
  modulator_->setGeometry(pixels(model_.modulatorRect()));

  // What lies on what, the topmost last: the instruments in the order they were put down, then
  // the plugs (and so the ends of their cables) above every instrument, in their own order.
  std::vector<std::tuple<bool, int, QWidget*>> order;
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i)
    order.emplace_back(false, model_.instrument(i).z, instruments_[i]);
  for (int k = 1; k <= AssemblyModel::kCables; ++k) {
    for (int p = 1; p <= 2; ++p) {
      const AssemblyModel::Plug& plug = model_.plug(k, p);
      PictureControl* box = plugs_[k][p];
      QWidget* container = table_;
      if (plug.container != AssemblyModel::kTable) container = instruments_[plug.container];
      if (box->parentWidget() != container) {
        box->setParent(container);
        box->show();
      }
      box->setPicture(plug.Picture, picture(plug.Picture));
      box->setGeometry(pixels(model_.plugRect(k, p)));
      box->setProperty("Tag", plug.Tag);
      order.emplace_back(true, plug.z, box);
    }
  }
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
  });
  for (const auto& [plug, z, box] : order) box->raise();
  table_->setKeyboardPoint(table_->keyboardPoint());  // its cross over them all

  for (int k = 1; k <= AssemblyModel::kCables; ++k) {
    const AssemblyModel::Line& line = model_.Кабель(k);
    lines_[k]->setProperty("X1", line.X1);
    lines_[k]->setProperty("Y1", line.Y1);
    lines_[k]->setProperty("X2", line.X2);
    lines_[k]->setProperty("Y2", line.Y2);
  }
  table_->update();
  if (keyboard_) keyboard_->refresh();
}

// --- Mouse
// ----------------------------------------------------------------------------------------

bool FrmМонтаж::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client()) {
    if (event->type() == QEvent::Resize) layOut();
    return false;
  }
  const auto type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseMove && type != QEvent::MouseButtonDblClick) {
    return false;
  }
  auto* mouse = static_cast<QMouseEvent*>(event);
  auto* widget = static_cast<QWidget*>(watched);
  const bool left = mouse->button() == Qt::LeftButton;

  if (widget == info_) {
    if (type == QEvent::MouseButtonPress && left) infoPressed_ = true;
    if (type == QEvent::MouseButtonRelease && left && infoPressed_) {
      infoPressed_ = false;
      if (info_->rect().contains(mouse->position().toPoint())) showInstructions();
    }
    return type != QEvent::MouseMove;
  }

  if (widget == table_) {
    const QPointF at = mouse->position() * kTwipsPerPixel;
    model_.pointerOverTable(at.x(), at.y());
    if (type == QEvent::MouseButtonPress && left) tablePressed_ = true;
    if (type == QEvent::MouseButtonRelease && left && tablePressed_) {
      tablePressed_ = false;
      if (table_->rect().contains(mouse->position().toPoint())) {
        model_.placeInstrument();
        syncTable();
      }
    }
    return true;
  }

  const auto control = controls_.find(widget);
  if (control == controls_.end()) return false;
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
    return pressed(control->second, mouse);
  }
  return true;
}

bool FrmМонтаж::pressed(const Control& control, QMouseEvent* event) {
  if (drag_->active()) return true;
  const QPointF at = event->position() * kTwipsPerPixel;
  if (control.kind == Control::Instrument) {
    model_.pressInstrument(control.index, at.x(), at.y());
  } else if (control.kind == Control::Plug) {
    model_.pressPlug(control.index, control.plug, at.x(), at.y());
    syncTable();  // a plug pulled out of an instrument now lies on the table
  } else {
    return true;
  }
  dragOverSeen_ = false;
  drag_->begin(control.widget, event->position(), event->button(), event->globalPosition());
  return true;
}

FrmМонтаж::Control FrmМонтаж::controlAt(QPointF globalPos) const {
  QWidget* widget = client()->childAt(client()->mapFromGlobal(globalPos).toPoint());
  for (; widget && widget != client(); widget = widget->parentWidget()) {
    const auto it = controls_.find(widget);
    if (it != controls_.end()) return it->second;
  }
  return Control{};
}

QPointF FrmМонтаж::twipsIn(const QWidget* widget, QPointF globalPos) const {
  return widget->mapFromGlobal(globalPos) * kTwipsPerPixel;
}

void FrmМонтаж::dragOver(QPointF globalPos) {
  lastDragOver_ = globalPos;
  dragOverSeen_ = true;
  const Control control = controlAt(globalPos);
  const QPointF at = control.widget ? twipsIn(control.widget, globalPos) : QPointF();
  DragFeedback feedback = DragFeedback::Silent;
  switch (control.kind) {
    case Control::Instrument:
      feedback = model_.dragOverInstrument(control.index, at.x(), at.y());
      break;
    case Control::Modulator:
      feedback = model_.dragOverModulator(at.x(), at.y());
      break;
    case Control::Plug:
      model_.dragOverPlug(at.x(), at.y());
      break;
    case Control::Table:  // a drag over the bare table reports nothing until the drop
    case Control::Inert:
      break;
  }
  if (feedback == DragFeedback::Beep) desktop().beep();
}

void FrmМонтаж::drop(QPointF globalPos) {
  // The drop point is reported as a drag-over first when the pointer got there unseen.
  if (!dragOverSeen_ || lastDragOver_ != globalPos) dragOver(globalPos);
  const Control control = controlAt(globalPos);
  switch (control.kind) {
    case Control::Table: {
      const QPointF at = twipsIn(table_, globalPos);
      model_.dropOnTable(at.x(), at.y());
      break;
    }
    case Control::Instrument:
      model_.dropOnInstrument(control.index);
      break;
    case Control::Modulator:
      model_.dropOnModulator();
      break;
    case Control::Plug:
      model_.dropOnPlug(control.index, control.plug);
      break;
    case Control::Inert:
      break;
  }
  syncTable();
}

// --- Messages
// -------------------------------------------------------------------------------------

void FrmМонтаж::showInstructions() {
  const QStringList lines{
      QStringLiteral(
          "1. Щелкнуть мышкой по пиктограмме нужного прибора и, затем, щелкнуть мышкой в пределах монтажного стола."),
      QStringLiteral(
          "2. Перетащить изображение прибора в желаемое место на столе (перемещение объектов проводится мышкой при нажатой левой кнопке)."),
      QStringLiteral("3. Проделать аналогичные операции с другими приборами."),
      QStringLiteral(
          "4. Соединить приборы и исследуемое устройство кабелями согласно схеме (рис. 1). Для соединения нужно перетащить изображение разъема кабеля на любое место изображения прибора и отпустить левую кнопку. При этом изображение разъема меняется и происходит соединение."),
      QStringLiteral(
          " (При совмещении разъема с изображением исследуемого модулятора ниже надписи 'ЧМ', соединение произойдет со входом модулятора, а выше - с выходом)."),
      QStringLiteral(
          "5. После монтажа нажмите кнопку 'Монтаж закончен'. При правильном монтаже программа перейдет к следующему этапу работы."),
      QStringLiteral(
          "     Примечание: при задержке курсора мышки на объекте появляется описание данного объкта."),
  };
  desktop().message(this, lines.join(QStringLiteral("\r\n")), MsgButtons::Ok, MsgIcon::Information,
                    QStringLiteral("Информация"));
}

void FrmМонтаж::checkAssembly() {
  if (model_.checkAssembly() == AssemblyCheck::Complete) {
    const MsgAnswer answer =
        desktop().message(this, QStringLiteral("Монтаж сделан правильно. Продолжить работу? "),
                          MsgButtons::YesNo, MsgIcon::None, std::nullopt);
    if (answer == MsgAnswer::Yes) {
      hub().unload(ScreenId::Assembly);
      hub().show(ScreenId::Bench);
    }
    return;
  }
  desktop().message(this, QStringLiteral("Ошибка при монтаже! "), MsgButtons::OkCancel,
                    MsgIcon::None, std::nullopt);
}
