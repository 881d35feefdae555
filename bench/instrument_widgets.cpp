#include "bench/instrument_widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "platform/access.h"
#include "platform/controls.h"
#include "platform/picture_box.h"
#include "platform/twips.h"
#include "platform/vb_color.h"

namespace {
constexpr std::uint32_t kPanelGrey = 0x808080;
constexpr std::uint32_t kPowerOff = 0x80FF80;   // light green
constexpr std::uint32_t kPowerText = 0x008000;  // dark green
constexpr std::uint32_t kPowerOn = vbRgb(255, 0, 0);
}  // namespace

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  QLabel::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) doubleClicked_ = true;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton) return;
  const bool second = std::exchange(doubleClicked_, false);
  if (!second && rect().contains(event->position().toPoint())) emit clicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
  const bool toggles = activatesControl(event);
  // A key held down toggles once, as one click does.
  if (!toggles) return QLabel::keyPressEvent(event);
  if (!event->isAutoRepeat()) emit clicked();
}

CableLayer::CableLayer(QWidget* parent, std::vector<QPolygonF> cablesInTwips)
    : QWidget(parent), cables_(std::move(cablesInTwips)) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  markDecorative(this);
  for (QPolygonF& cable : cables_) {
    for (QPointF& point : cable) point /= kTwipsPerPixel;
  }
  setGeometry(parent->rect());
}

void CableLayer::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // A dark sheath with a lighter core line reads as a round cable.
  painter.setPen(QPen(QColor(30, 30, 30), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (const QPolygonF& cable : cables_) painter.drawPolyline(cable);
  painter.setPen(QPen(QColor(95, 95, 95), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (const QPolygonF& cable : cables_) painter.drawPolyline(cable.translated(-0.6, -0.6));
}

Knob::Knob(QWidget* panel, int centreX, int centreY, int diameter, double angleDegrees)
    : QWidget(panel), angle_(angleDegrees) {
  placeTwips(this, centreX - diameter / 2, centreY - diameter / 2, diameter, diameter);
  markDecorative(this);
}

void Knob::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF face = QRectF(rect()).adjusted(1, 1, -1, -1);
  QRadialGradient shade(face.center() - QPointF(face.width() / 5, face.height() / 5),
                        face.width() * 0.7);
  shade.setColorAt(0, QColor(90, 90, 90));
  shade.setColorAt(1, QColor(20, 20, 20));
  painter.setPen(QPen(QColor(190, 190, 190), 1));
  painter.setBrush(shade);
  painter.drawEllipse(face);
  painter.translate(face.center());
  painter.rotate(angle_);
  painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(0, -face.height() / 2 + 3), QPointF(0, -face.height() / 5));
}

QWidget* makePanel(QWidget* parent, const QString& name, int left, int top, int width, int height) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setLineWidth(2);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, vbColor(kPanelGrey));
  palette.setColor(QPalette::WindowText, Qt::white);
  palette.setColor(QPalette::Light, QColor(0xB8, 0xB8, 0xB8));
  palette.setColor(QPalette::Dark, QColor(0x40, 0x40, 0x40));
  panel->setPalette(palette);
  panel->setAutoFillBackground(true);
  placeTwips(panel, left, top, width, height);
  return panel;
}

QLabel* makeCaption(QWidget* panel, const QString& text, int left, int top, int width, int height,
                    Qt::Alignment alignment, bool title) {
  QLabel* label = makeLabel(panel, QString(), text, left, top, width, height);
  label->setAlignment(alignment);
  if (title) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

ValueLabel* makeReadout(QWidget* panel, const QString& name, const QString& caption, int left,
                        int top, int width, int height, const QString& toolTip,
                        const QString& unit) {
  auto* readout = new ValueLabel(panel);
  readout->setObjectName(name);
  readout->setText(caption);
  readout->setUnit(unit);
  placeTwips(readout, left, top, width, height);
  QPalette palette = readout->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, QColor(0, 255, 0));
  readout->setPalette(palette);
  readout->setAutoFillBackground(true);
  readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  readout->setFrameShape(QFrame::Panel);
  readout->setFrameShadow(QFrame::Sunken);
  readout->setMargin(2);
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setPointSizeF(height >= 400 ? 14 : 11);
  font.setBold(true);
  readout->setFont(font);
  readout->setToolTip(toolTip);
  return readout;
}

QWidget* makeSocket(QWidget* panel, int centreX, int centreY) {
  constexpr int kDiameter = 210;
  auto* socket = new QLabel(panel);
  placeTwips(socket, centreX - kDiameter / 2, centreY - kDiameter / 2, kDiameter, kDiameter);
  markDecorative(socket);
  socket->setStyleSheet(
      QStringLiteral("background-color: #1e1e1e; border: 3px solid #d4d4d4; border-radius: 7px;"));
  return socket;
}

PictureBox* makeScreen(QWidget* panel, const QString& name, int left, int top, int width,
                       int height) {
  auto* screen = new PictureBox(panel);
  screen->setObjectName(name);
  placeTwips(screen, left, top, width, height);
  screen->setBackColor(Qt::black);
  screen->setForeColor(QColor(0, 255, 0));
  return screen;
}

ClickableLabel* makePowerLabel(QWidget* panel, const QString& name, int left, int top,
                               const QString& spokenName) {
  auto* label = new ClickableLabel(QStringLiteral("   "), panel);
  label->setObjectName(name);
  markAsSwitch(label, spokenName,
               QStringLiteral("Включает и выключает прибор: пробел или Enter, или щелчок мыши"));
  placeTwips(label, left, top, 285, 210);
  label->setAutoFillBackground(true);
  label->setCursor(Qt::PointingHandCursor);
  setPowerLamp(label, false);
  return label;
}

void setPowerLamp(QLabel* label, bool on) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, vbColor(on ? kPowerOn : kPowerOff));
  palette.setColor(QPalette::WindowText, vbColor(kPowerText));
  label->setPalette(palette);
  label->setFrameShape(on ? QFrame::Box : QFrame::NoFrame);
  label->setFrameShadow(QFrame::Plain);
  label->setLineWidth(1);
  setSwitchState(label, on);
}
