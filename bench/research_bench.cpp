#include "bench/research_bench.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "bench/instrument_drawing.h"
#include "bench/instrument_texts.h"
#include "bench/instrument_widgets.h"
#include "bench/wait_pointer.h"
#include "platform/access.h"
#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/picture_box.h"
#include "screen/exit_confirmation.h"
#include "screen/navigation.h"
#include "state/work_state.h"
#include "types/number_text.h"

namespace {

// Client area and panels, in twips.
constexpr int kClientWidth = 9480, kClientHeight = 6510;
constexpr int kPanelWidth = 3390;
constexpr int kScreenWidth = 2670, kScreenHeight = 1485;  // oscilloscope screens

// The instructions of the three stages, line by line.
const std::array<QStringList, 3>& stageTexts() {
  static const std::array<QStringList, 3> texts{{
      {
          QStringLiteral(
              " Этап 1. Наблюдение осциллограмм сигналов на входе и выходе частотного модулятора."),
          QString(),
          QStringLiteral("1. Включите осциллографы,  нажимая на кнопки 'Сеть'."),
          QStringLiteral(
              "2. Проведите наблюдение осциллограмм на входе и выходе ЧМ, меняя амплитуду и частоту модулирующего сигнала."),
      },
      {
          QStringLiteral(
              " Этап 2. Наблюдение спектрограммы модулированного сигнала на выходе частотного модулятора"),
          QString(),
          QStringLiteral("1. Включите спектроанализатор,  нажав на кнопку 'Сеть'."),
          QStringLiteral(
              "   (для увеличения скорости работы программы желательно при этом отключить осциллографы)."),
          QStringLiteral(
              "2. Проведите наблюдение спектрограммы на выходе ЧМ, меняя амплитуду и частоту модулирующего сигнала."),
      },
      {
          QStringLiteral(" Этап 3. Измерение модуляционной характеристики."),
          QString(),
          QStringLiteral(
              "1. Прочитайте раздел 5.4 [Л]. Просмотрите и проанализируйте функции Бесселя, вызвав программу через пункт меню 'Функции Бесселя'. ") +
              QStringLiteral(
                  "Определите какие составляющие будут присутствовать в спектре при индексах модуляции (mf) равных 0; 2.4; 3.8. "),
          QStringLiteral(
              "2. Проведите наблюдение спектрограмм на выходе ЧМ при вышеуказанных индексах модуляции. Сравните полученные спектрограммы с изображениями, показанными на рис. 5.15 [Л]."),
          QStringLiteral(
              "3. Нарисуйте на листе бумаги табличку для записи результатов исследования (Табл. 5.2 [Л])."),
          QStringLiteral("4. Установите частоту модулирующего сигнала равной 500 кГц."),
          QStringLiteral(
              "5. Меняя амплитуду модулирующего сигнала от 0 записывайте значения напряжения при котором обращаются в 0 несущая или первая пара боковых частот, согласно методики, представленной в [Л, р. 5.6.1 (п. 2.2 ж, з, и)]"),
      },
  }};
  return texts;
}

QScrollBar* makeScrollBar(QWidget* panel, const QString& name, int left, int top, int width,
                          int minimum, int maximum, int smallChange, int largeChange, int value) {
  auto* bar = new QScrollBar(Qt::Horizontal, panel);
  bar->setObjectName(name);
  placeTwips(bar, left, top, width, 255);
  bar->setRange(minimum, maximum);
  bar->setSingleStep(smallChange);
  bar->setPageStep(largeChange);
  bar->setValue(value);
  // The desktop's own colours, not the panel's.
  QPalette palette = bar->palette();
  const QPalette desktop = QGuiApplication::palette();
  for (auto role : {QPalette::Window, QPalette::WindowText, QPalette::Button, QPalette::Light,
                    QPalette::Dark}) {
    palette.setColor(role, desktop.color(role));
  }
  bar->setPalette(palette);
  takeFocusWithRing(bar);
  return bar;
}

QLabel* makeScaleLabel(PictureBox* screen, const QString& name, const QString& text, int left,
                       int top, int width) {
  QLabel* label = makeLabel(screen, name, text, left, top, width, 210);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, QColor(230, 230, 230));
  label->setPalette(palette);
  label->setAutoFillBackground(true);
  QFont font = label->font();
  font.setPointSizeF(7);
  label->setFont(font);
  label->hide();
  return label;
}

const QString kSwitchedOff = QStringLiteral("Прибор выключен");
const QString kGeneratorKeys = QStringLiteral(
    "Стрелки влево и вправо: шаг 10; PageUp и PageDown: шаг 100; Home и End: пределы");

// The power switch with its "Сеть" caption beside it.
ClickableLabel* makePowerSwitch(QWidget* panel, const QString& name, int left, int top,
                                const QString& spokenName) {
  ClickableLabel* power = makePowerLabel(panel, name, left, top, spokenName);
  makeCaption(panel, QStringLiteral("Сеть"), left + 360, top - 15, 600, 240);
  return power;
}

}  // namespace

FrmИсслЧМ1::FrmИсслЧМ1(Navigation& hub)
    : LabScreen(hub, ScreenId::Bench, QStringLiteral("FrmИсслЧМ1"),
                QStringLiteral("Измерение модуляционной характеристики")) {
  buildMenu();
  setClientSizeTwips(kClientWidth, kClientHeight);

  // A thin red strip across the top.
  auto* strip = new QFrame(client());
  markDecorative(strip);
  placeTwips(strip, 0, 0, kClientWidth, 45);
  strip->setAutoFillBackground(true);
  QPalette stripPalette = strip->palette();
  stripPalette.setColor(QPalette::Window, QColor(255, 0, 0));
  strip->setPalette(stripPalette);

  buildGenerator();
  buildMillivoltmeter();
  buildLfOscilloscope();
  buildHfOscilloscope();
  buildSpectrumAnalyzer();
  instruments_ = {
      {PicОсцНЧ, LblВклНЧ, &FrmИсслЧМ1::ВклНЧ, kLfScreen, oscilloscopeGraticule, {LblYНЧ}, nullptr},
      {PicОсцВЧ,
       LblвклВЧ,
       &FrmИсслЧМ1::ВклВЧ,
       kHfScreen,
       oscilloscopeGraticule,
       {},
       &FrmИсслЧМ1::PicОсцВЧ_Paint},
      {PicСпектр,
       LblвклСА,
       &FrmИсслЧМ1::ВклСА,
       kSpectrumScreen,
       spectrumGraticule,
       {LblХСА, LblYСА},
       nullptr},
  };
  for (const Instrument& instrument : instruments_) {
    connect(instrument.power, &ClickableLabel::clicked, this,
            [this, &instrument] { switchPower(instrument); });
  }

  // The modulator under test.
  QLabel* modulator =
      makeLabel(client(), QStringLiteral("LblЧМ"),
                QStringLiteral("Исследуемый   частотный      модулятор"), 3990, 555, 1500, 930);
  modulator->setWordWrap(true);
  modulator->setAlignment(Qt::AlignCenter);
  modulator->setFrameShape(QFrame::Box);
  modulator->setLineWidth(2);
  modulator->setAutoFillBackground(true);
  QPalette modulatorPalette = modulator->palette();
  modulatorPalette.setColor(QPalette::Window, QColor(255, 255, 0));
  modulatorPalette.setColor(QPalette::WindowText, Qt::black);
  modulator->setPalette(modulatorPalette);
  QFont modulatorFont = modulator->font();
  modulatorFont.setBold(true);
  modulator->setFont(modulatorFont);

  CmdNext = makeButton(client(), QStringLiteral("CmdNext"), QStringLiteral("Дальше..."), 120, 5880,
                       1215, 495);
  CmdNext->setEnabled(false);
  auto* exit = makeButton(client(), QStringLiteral("CmdEnd"), QStringLiteral("Выход"), 1440, 5880,
                          1215, 495);
  connect(CmdNext, &QPushButton::clicked, this,
          [this] { this->hub().show(ScreenId::Characteristic); });
  connect(exit, &QPushButton::clicked, this, [this] { ПодтверждениеВыхода(this->hub(), this); });

  Label6 = makeLabel(client(), QStringLiteral("Label6"), QString(), 2880, 5940, 450, 255);
  Label6->hide();

  // Cables, in client twips: the generator's output feeds the modulator, the millivoltmeter and
  // the LF oscilloscope; the modulator's output feeds the HF oscilloscope and the analyzer.
  auto* cables = new CableLayer(
      client(), {
                    QPolygonF({{3195, 1860}, {3750, 1860}, {3750, 1020}, {3990, 1020}}),
                    QPolygonF({{3750, 1860}, {3750, 2895}, {3195, 2895}}),
                    QPolygonF({{3750, 2895}, {3750, 4305}, {3195, 4305}}),
                    QPolygonF({{5490, 1020}, {6285, 1020}}),
                    QPolygonF({{5760, 1020}, {5760, 2415}, {4635, 2415}, {4635, 2670}}),
                });
  cables->raise();
}

void FrmИсслЧМ1::buildMenu() {
  connect(addMenuBarItem(QStringLiteral("mnuВыход"), QStringLiteral("Выход")), &QAction::triggered,
          this, [this] { ПодтверждениеВыхода(this->hub(), this); });
  QMenu* stages = addMenuBarMenu(QStringLiteral("mnuЭт"), QStringLiteral("Порядок работы"));
  for (int i = 1; i <= 3; ++i) {
    QAction* item =
        addMenuItem(stages, QStringLiteral("mnuЭтап(%1)").arg(i), QStringLiteral("Этап %1").arg(i));
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, i] { mnuЭтап_Click(i); });
    mnuЭтап[i - 1] = item;
  }
  connect(addMenuBarItem(QStringLiteral("mnuБесс"), QStringLiteral("Функции Бесселя")),
          &QAction::triggered, this, &FrmИсслЧМ1::mnuБесс_Click);
  connect(addMenuBarItem(QStringLiteral("mnuЛит"), QStringLiteral("Литература")),
          &QAction::triggered, this, [this] { this->hub().show(ScreenId::Literature); });
}

void FrmИсслЧМ1::buildGenerator() {
  QWidget* panel = makePanel(client(), QStringLiteral("Picture2"), 120, 165, kPanelWidth, 1905);
  markPanel(panel, QStringLiteral("Генератор"));
  makeCaption(panel, QStringLiteral("ГЕНЕРАТОР"), 0, 75, kPanelWidth, 270, Qt::AlignCenter, true);
  makeCaption(panel, QStringLiteral("Амплитуда"), 225, 420, 1500, 225);
  HScrUвх = makeScrollBar(panel, QStringLiteral("HScrUвх"), 225, 660, 2940, 0, 2500, 10, 100, 0);
  makeCaption(panel, QStringLiteral("Частота"), 225, 1035, 1500, 225);
  HScrFmod =
      makeScrollBar(panel, QStringLiteral("HScrFmod"), 225, 1275, 1650, 100, 1000, 10, 100, 100);
  LblFm = makeReadout(panel, QStringLiteral("LblFm"), QString(), 1995, 1200, 705, 375,
                      QStringLiteral("Частота модулирующего сигнала"), QStringLiteral("кГц"));
  makeCaption(panel, QStringLiteral("кГц"), 2760, 1275, 450, 240);
  makeCaption(panel, QStringLiteral("ВЫХ"), 2415, 1590, 480, 225,
              Qt::AlignRight | Qt::AlignVCenter);
  makeSocket(panel, 3075, 1695);
  nameControl(HScrUвх, QStringLiteral("Амплитуда генератора"), kGeneratorKeys);
  nameControl(HScrFmod, QStringLiteral("Частота генератора, кГц"), kGeneratorKeys);
  nameControl(LblFm, QStringLiteral("Частота генератора"));
  onScrollBarChange(HScrUвх, this, [this] { HScrUвх_Change(); });
  onScrollBarChange(HScrFmod, this, [this] { HScrFmod_Change(); });
}

void FrmИсслЧМ1::buildMillivoltmeter() {
  QWidget* panel = makePanel(client(), QStringLiteral("Picture3"), 120, 2175, kPanelWidth, 1170);
  markPanel(panel, QStringLiteral("Милливольтметр"));
  makeCaption(panel, QStringLiteral("МИЛЛИВОЛЬТМЕТР"), 0, 75, kPanelWidth, 270, Qt::AlignCenter,
              true);
  LblUвх = makeReadout(panel, QStringLiteral("LblUвх"), QStringLiteral("34"), 495, 450, 1500, 525,
                       QStringLiteral("Амплитуда модулирующего сигнала"), QStringLiteral("мВ"));
  nameControl(LblUвх, QStringLiteral("Показание милливольтметра"));
  makeCaption(panel, QStringLiteral("мВ"), 2070, 570, 420, 270);
  makeCaption(panel, QStringLiteral("ВХ"), 2535, 600, 390, 240, Qt::AlignRight | Qt::AlignVCenter);
  makeSocket(panel, 3075, 720);
}

void FrmИсслЧМ1::buildLfOscilloscope() {
  QWidget* panel = makePanel(client(), QStringLiteral("Picture4"), 120, 3450, kPanelWidth, 2310);
  markPanel(panel, QStringLiteral("НЧ осциллограф"));
  makeCaption(panel, QStringLiteral("НЧ ОСЦИЛЛОГРАФ"), 0, 60, kPanelWidth, 270, Qt::AlignCenter,
              true);
  PicОсцНЧ = makeScreen(panel, QStringLiteral("PicОсцНЧ"), 150, 360, kScreenWidth, kScreenHeight);
  describePicture(PicОсцНЧ, QStringLiteral("Экран НЧ осциллографа"), kSwitchedOff);
  LblYНЧ = makeScaleLabel(PicОсцНЧ, QStringLiteral("LblYНЧ"), QStringLiteral("Y   20 мВ/дел"), 150,
                          75, 1110);
  makeCaption(panel, QStringLiteral("Y"), 2955, 510, 240, 225, Qt::AlignCenter);
  makeSocket(panel, 3075, 855);
  new Knob(panel, 3075, 1335, 360, -40);  // volts per division
  new Knob(panel, 3075, 1800, 300, 30);   // time base
  LblВклНЧ = makePowerSwitch(panel, QStringLiteral("LblВклНЧ"), 150, 1995,
                             QStringLiteral("Сеть НЧ осциллографа"));
  connect(PicОсцНЧ, &PictureBox::paintRequested, this, &FrmИсслЧМ1::PicОсцНЧ_Paint);
}

void FrmИсслЧМ1::buildHfOscilloscope() {
  QWidget* panel = makePanel(client(), QStringLiteral("Picture5"), 5970, 165, kPanelWidth, 2190);
  markPanel(panel, QStringLiteral("ВЧ осциллограф"));
  makeCaption(panel, QStringLiteral("ВЧ ОСЦИЛЛОГРАФ"), 0, 60, kPanelWidth, 270, Qt::AlignCenter,
              true);
  makeCaption(panel, QStringLiteral("Y"), 195, 510, 240, 225, Qt::AlignCenter);
  makeSocket(panel, 315, 855);
  new Knob(panel, 315, 1335, 360, 20);
  new Knob(panel, 315, 1800, 300, -60);
  PicОсцВЧ = makeScreen(panel, QStringLiteral("PicОсцВЧ"), 570, 360, kScreenWidth, kScreenHeight);
  describePicture(PicОсцВЧ, QStringLiteral("Экран ВЧ осциллографа"), kSwitchedOff);
  LblвклВЧ = makePowerSwitch(panel, QStringLiteral("LblвклВЧ"), 570, 1965,
                             QStringLiteral("Сеть ВЧ осциллографа"));
  connect(PicОсцВЧ, &PictureBox::paintRequested, this, &FrmИсслЧМ1::PicОсцВЧ_Paint);
}

void FrmИсслЧМ1::buildSpectrumAnalyzer() {
  QWidget* panel = makePanel(client(), QStringLiteral("Picture1"), 4305, 2475, 5055, 3915);
  markPanel(panel, QStringLiteral("Спектроанализатор"));
  makeCaption(panel, QStringLiteral("СПЕКТРОАНАЛИЗАТОР"), 0, 60, 5055, 270, Qt::AlignCenter, true);
  makeSocket(panel, 330, 195);
  makeCaption(panel, QStringLiteral("Вх"), 510, 75, 390, 240);
  PicСпектр = makeScreen(panel, QStringLiteral("PicСпектр"), 180, 360, 4695, 3285);
  describePicture(PicСпектр, QStringLiteral("Экран спектроанализатора"), kSwitchedOff);
  LblYСА = makeScaleLabel(PicСпектр, QStringLiteral("LblYСА"), QStringLiteral("Y   0.2/дел"), 105,
                          2940, 1200);
  LblХСА = makeScaleLabel(PicСпектр, QStringLiteral("LblХСА"), QStringLiteral("X  0,5 МГц/дел"),
                          3240, 2940, 1350);
  LblХСА->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  LblвклСА = makePowerSwitch(panel, QStringLiteral("LblвклСА"), 3975, 3690,
                             QStringLiteral("Сеть спектроанализатора"));
  connect(PicСпектр, &PictureBox::paintRequested, this, &FrmИсслЧМ1::PicСпектр_Paint);
}

void FrmИсслЧМ1::load() {
  hub().unload(ScreenId::MainWindow);
  PicСпектр->setAutoRedraw(true);
  PicОсцНЧ->setAutoRedraw(true);
  PicОсцВЧ->setAutoRedraw(true);
  state().Fmod = 550;
  state().ИндексМод = 0;
  state().ВыбратьВариант();
  Label6->setText(state().Рез.Вариант.toQString());
  ВклНЧ = ВклВЧ = ВклСА = 0;
  Показания();
  state().Порядок = 0;
  for (PictureBox* screen : {PicОсцНЧ, PicОсцВЧ, PicСпектр}) describeScreen(screen, kSwitchedOff);
}

void FrmИсслЧМ1::changeEvent(QEvent* event) {
  LabScreen::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

void FrmИсслЧМ1::Form_Activate() { takeIndexFromAmplitude(); }

void FrmИсслЧМ1::takeIndexFromAmplitude() {
  state().ИндексМод = indexFromAmplitude(HScrUвх->value());
}

void FrmИсслЧМ1::HScrUвх_Change() {
  takeIndexFromAmplitude();
  PicОсцНЧ_Paint();
  PicОсцВЧ_Paint();
  ПостроитьСпектр();
  РасчКоэфU();
  Показания();
}

void FrmИсслЧМ1::HScrFmod_Change() {
  takeIndexFromAmplitude();
  state().Fmod = HScrFmod->value();
  PicОсцНЧ_Paint();
  PicОсцВЧ_Paint();
  ПостроитьСпектр();
  Показания();
}

void FrmИсслЧМ1::Показания() {
  LblFm->setValueText(numberWithSignBlank(state().Fmod));
  HScrFmod->setValue(static_cast<int>(state().Fmod));
  LblUвх->setValueText(millivoltText(millivoltReading(state(), КоэфU)));
  describeGenerator();
  // After a step of a generator control the reader says its value, then this: short enough to
  // be heard at every step.
  if (HScrUвх->hasFocus() || HScrFmod->hasFocus()) {
    announce(this, LblUвх->spokenValue() +
                       (ВклСА ? QStringLiteral("; ") + spectrumNews(heights_) : QString()));
  }
}

// While the student turns a generator control, the reader hears the reading and, with the
// analyzer on, the spectrum: a null is found without leaving the control.
void FrmИсслЧМ1::describeGenerator() {
  QString heard = QStringLiteral("Показание милливольтметра: %1.").arg(LblUвх->spokenValue());
  if (ВклСА) heard += QStringLiteral(" Спектр: ") + PicСпектр->accessibleDescription();
  if (!heard.endsWith(QLatin1Char('.'))) heard += QLatin1Char('.');
  for (QScrollBar* bar : {HScrUвх, HScrFmod})
    bar->setAccessibleDescription(heard + QLatin1Char(' ') + kGeneratorKeys);
}

void FrmИсслЧМ1::РасчКоэфU() { КоэфU = inputFactor(state()); }

void FrmИсслЧМ1::PicОсцНЧ_Paint() {
  if (ВклНЧ == 0) return;
  takeIndexFromAmplitude();
  PicОсцНЧ->cls();
  const Trace trace = lfTrace(state());
  drawTrace(*PicОсцНЧ, trace, kTraceGreen);
  describeScreen(PicОсцНЧ, traceText(trace));
}

void FrmИсслЧМ1::PicОсцВЧ_Paint() {
  if (ВклВЧ == 0) return;
  takeIndexFromAmplitude();
  PicОсцВЧ->cls();
  const Trace trace = hfTrace(state());
  drawTrace(*PicОсцВЧ, trace, kTraceGreen);
  describeScreen(PicОсцВЧ, traceText(trace));
}

void FrmИсслЧМ1::ПостроитьСпектр() {
  PicСпектр->cls();
  heights_ = spectrumHeights(state());
  spectrum_ = spectrumLines(heights_, state().Fmod);
  if (ВклСА == 0) return;
  state().Jn = std::fabs(state().Jn);  // the line heights are the magnitudes
  drawSpectrum(*PicСпектр, spectrum_);
  describeScreen(PicСпектр, spectrumText(heights_, state().Fmod));
}

// A repaint asked for by the window system shows the whole spectrum last computed.
void FrmИсслЧМ1::PicСпектр_Paint() {
  if (ВклСА == 0) return;
  PicСпектр->cls();
  drawSpectrum(*PicСпектр, spectrum_);
  describeScreen(PicСпектр, spectrumText(heights_, state().Fmod));
}

// Switching on draws the graticule while persistent drawing is on, so that it becomes the
// background each trace redraw clears back to; switching off clears that too.
void FrmИсслЧМ1::switchPower(const Instrument& instrument) {
  PictureBox& screen = *instrument.screen;
  screen.setAutoRedraw(true);
  const bool on = this->*instrument.on == 0;
  if (on) {
    setPowerLamp(instrument.power, true);
    drawGraticule(screen, instrument.scale, instrument.graticule());
    screen.setAutoRedraw(false);
  } else {
    screen.cls();
    setPowerLamp(instrument.power, false);
  }
  for (QLabel* scale : instrument.scales) scale->setVisible(on);
  this->*instrument.on = on ? 1 : 0;
  describeScreen(&screen,
                 on ? QStringLiteral("Прибор включён; на экране сетка без луча") : kSwitchedOff);
  if (on && instrument.paintAtSwitchOn) (this->*instrument.paintAtSwitchOn)();
  describeGenerator();
}

void FrmИсслЧМ1::describeScreen(PictureBox* screen, const QString& text) {
  describePicture(screen, screen->accessibleName(), text);
}

void FrmИсслЧМ1::mnuЭтап_Click(int index) {
  QAction* item = mnuЭтап[index - 1];
  // The menu has already toggled the check; the mark is put on after the message.
  const bool wasChecked = !item->isChecked();
  item->setChecked(wasChecked);
  desktop().message(this, stageTexts()[index - 1].join(QStringLiteral("\r\n")), MsgButtons::Ok,
                    MsgIcon::Information, item->text());
  item->setChecked(true);
  const bool allDone =
      std::all_of(mnuЭтап.begin(), mnuЭтап.end(), [](QAction* a) { return a->isChecked(); });
  if (allDone) CmdNext->setEnabled(true);
}

void FrmИсслЧМ1::mnuБесс_Click() {
  // The hourglass stays until the viewer's load has drawn its curves; a viewer that is already
  // open has no load to run, so it only comes to the front.
  if (!hub().find(ScreenId::Bessel)) showHourglass();
  hub().show(ScreenId::Bessel);
}
