#include "bench/bessel_viewer.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "bench/instrument_drawing.h"
#include "bench/instrument_texts.h"
#include "bench/wait_pointer.h"
#include "model/bessel_plot.h"
#include "platform/access.h"
#include "platform/controls.h"
#include "platform/picture_box.h"
#include "platform/vb_color.h"
#include "screen/navigation.h"
#include "state/work_state.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

// A red caption on white over the plot.
void makePlotCaption(PictureBox* plot, const QString& name, const QString& text, int left,
                     int top) {
  QLabel* label = makeLabel(plot, name, text, left, top, 330, 225);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, kRed);
  label->setPalette(palette);
  label->setAutoFillBackground(true);
  label->setAlignment(Qt::AlignCenter);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
}

}  // namespace

FrmБессель::FrmБессель(Navigation& hub)
    : LabScreen(hub, ScreenId::Bessel, QStringLiteral("FrmБессель"),
                QStringLiteral("Расчет функций Бесселя")) {
  setClientSizeTwips(6735, 6075);

  picБессель = new PictureBox(client());
  picБессель->setObjectName(QStringLiteral("picБессель"));
  placeTwips(picБессель, 225, 165, 6285, 4245);
  describePicture(picБессель, QStringLiteral("График функций Бесселя"), QString());
  picБессель->setBackColor(Qt::white);
  picБессель->setForeColor(vbColor(kVbWindowText));
  QFont plotFont(QStringLiteral("Arial"));
  plotFont.setPointSizeF(7.5);
  picБессель->setFont(plotFont);
  // The ends of the axes: x = 20 on the zero line, y = 1 on the x = 0 line.
  makePlotCaption(picБессель, QStringLiteral("Label3"), QStringLiteral("mf"), 5250, 2040);
  makePlotCaption(picБессель, QStringLiteral("Label1"), QStringLiteral("Jn"), 780, 30);
  connect(picБессель, &PictureBox::paintRequested, this, &FrmБессель::picБессель_Paint);

  QGroupBox* frame = makeFrame(client(), QStringLiteral("Frame1"),
                               QStringLiteral("Порядок функции Бесселя"), 225, 4560, 4470, 1260);
  HScrlПорядок = new QScrollBar(Qt::Horizontal, frame);
  HScrlПорядок->setObjectName(QStringLiteral("HScrlПорядок"));
  placeTwips(HScrlПорядок, 240, 570, 3135, 270);
  HScrlПорядок->setRange(0, 10);
  HScrlПорядок->setSingleStep(1);
  HScrlПорядок->setPageStep(1);
  takeFocusWithRing(HScrlПорядок);
  nameControl(HScrlПорядок, QStringLiteral("Порядок функции Бесселя"),
              QStringLiteral("Стрелки влево и вправо, PageUp и PageDown: шаг 1; Home и End: "
                             "порядок 0 и 10"));
  onScrollBarChange(HScrlПорядок, this, [this] { HScrlПорядок_Change(); });
  Label2 = makeLabel(frame, QStringLiteral("Label2"), QString(), 3600, 495, 615, 420);
  Label2->setAlignment(Qt::AlignCenter);
  Label2->setAccessibleDescription(QStringLiteral("Порядок показанной функции"));
  Label2->setFrameShape(QFrame::Panel);
  Label2->setFrameShadow(QFrame::Sunken);
  Label2->setAutoFillBackground(true);
  QPalette labelPalette = Label2->palette();
  labelPalette.setColor(QPalette::Window, vbColor(0x80FFFF));
  labelPalette.setColor(QPalette::WindowText, Qt::black);
  Label2->setPalette(labelPalette);
  QFont labelFont = Label2->font();
  labelFont.setBold(true);
  labelFont.setPointSizeF(labelFont.pointSizeF() * 1.3);
  Label2->setFont(labelFont);

  auto* ok =
      makeButton(client(), QStringLiteral("CmdОК"), QStringLiteral("ОК"), 5055, 5040, 1455, 495);
  connect(ok, &QPushButton::clicked, this, [this] { this->hub().unload(ScreenId::Bessel); });
}

void FrmБессель::load() {
  ModЧМ& s = state();
  picБессель->setAutoRedraw(true);
  ОсиБессель();
  for (s.Порядок = 0; s.Порядок <= 4; s.Порядок = s.Порядок + 1) КриваяJn();
  picБессель->setAutoRedraw(false);
  ПоказатьПорядок();
  s.Порядок = 0;
  restoreDefaultPointer();  // the bench showed the hourglass for this load
}

void FrmБессель::changeEvent(QEvent* event) {
  LabScreen::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

// The highlighted order is the one the scrollbar and its label show, also after the bench has
// used Порядок for its spectrum.
void FrmБессель::Form_Activate() {
  state().Порядок = HScrlПорядок->value();
  ПоказатьПорядок();
}

void FrmБессель::HScrlПорядок_Change() {
  state().Порядок = HScrlПорядок->value();
  picБессель_Paint();
  ПоказатьПорядок();
}

void FrmБессель::ПоказатьПорядок() { Label2->setText(QString::number(HScrlПорядок->value())); }

void FrmБессель::ОсиБессель() {
  ModЧМ& s = state();
  PictureBox& plot = *picБессель;
  plot.setAutoRedraw(true);
  plot.setDrawWidth(1);
  plot.cls();
  plot.setScale(kBesselPlot.left, kBesselPlot.top, kBesselPlot.right, kBesselPlot.bottom);
  // Horizontal grid by a running sum of 0.1; the value that comes near zero is made exactly 0.
  for (double y = -0.7; y <= 1; y += 0.1) {
    if (-0.1 < y && y < 0.1) {
      y = 0;
      plot.line(0, y, 20, y, kRed);
    } else {
      plot.line(0, y, 20, y, kBlue);
    }
    plot.setCurrentPoint(y == 0 || y == 1 ? -1.5 : -2, y + 0.05);
    plot.print(tickLabel(y));
  }
  // Vertical grid, every unit of x, with the labelled ones (5, 10, 15, 20) red.
  for (s.ИндексМод = 0; s.ИндексМод <= 20; s.ИндексМод = s.ИндексМод + 1) {
    const double x = s.ИндексМод;
    plot.line(x, -0.7, x, 1, kBlue);
    plot.setCurrentPoint(plot.currentX(), -0.75);
    if (x == 5 || x == 10 || x == 15 || x == 20) {
      plot.setCurrentPoint(x - 0.7, plot.currentY());
      plot.print(tickLabel(x));
      plot.line(x, -0.7, x, 1, kRed);
    }
  }
}

void FrmБессель::КриваяJn() { drawTrace(*picБессель, besselCurve(state())); }

// Also called by the window system's repaints, which come while the bench works too and leaves
// Порядок at 5 after its spectrum: the order drawn is the one the scrollbar and the label show.
void FrmБессель::picБессель_Paint() {
  state().Порядок = HScrlПорядок->value();
  PictureBox& plot = *picБессель;
  plot.cls();
  plot.setDrawWidth(2);
  plot.setForeColor(kRed);
  const Trace curve = besselCurve(state());
  drawTrace(plot, curve);
  describePicture(picБессель, QStringLiteral("График функций Бесселя"),
                  besselText(state().Порядок, curve));
}
