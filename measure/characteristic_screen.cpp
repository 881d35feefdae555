#include "measure/characteristic_screen.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSvgRenderer>

#include "measure/characteristic_table.h"
#include "measure/greek_delta.h"
#include "measure/reading_cell.h"
#include "platform/access.h"
#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/picture_box.h"
#include "platform/pictures.h"
#include "platform/program_dir.h"
#include "platform/twips.h"
#include "platform/vb_color.h"
#include "screen/exit_confirmation.h"
#include "screen/navigation.h"
#include "state/work_state.h"
#include "types/display_format.h"
#include "types/number_text.h"

namespace {

// The client area, twips. The plot panel right of the table ends at 9595 twips, so the area is a
// little wider than the 9480 it was drawn with, and nothing of the panel is cut off.
constexpr int kClientWidth = 9660;
constexpr int kClientHeight = 6510;

// Design positions, twips (table controls relative to the frame that holds them).
constexpr double kFrameLeft = -30, kFrameTop = 360;
constexpr double kHeaderLeft = 135, kHeaderTop = 450, kHeaderWidth = 345, kHeaderHeight = 270;
constexpr double kNumberLeft = 120, kNumberWidth = 345;
constexpr double kInputTop = 705;   // the reading cell and the mf cell of row 1
constexpr double kResultTop = 720;  // the row number and the other result cells of row 1
constexpr double kPanelTop = 495, kPanelWidth = 4695, kPanelHeight = 5265;
constexpr double kPlotLeft = 90, kPlotTop = 600, kPlotWidth = 3765, kPlotHeight = 4125;
constexpr double kButtonTop = 5880, kButtonHeight = 495;

// The modulation index at the successive nulls of J0 and J1, rows 1..14.
const char* const kModulationIndex[kCharacteristicRows + 1] = {
    "",      "2.408", "3.832", "5.52",  "7.016", "8.654", "10.17", "11.79",
    "13.21", "14.93", "16.10", "18.07", "19.60", "20.10", "20.82"};

const QColor kPureRed(255, 0, 0);
const QColor kPureGreen(0, 255, 0);
const QColor kPureBlue(0, 0, 255);

// Result cells: white with a thin grid line; row 1 closes the grid at the top.
QString resultCellStyle(int row, bool leftLine) {
  return QStringLiteral(
             "QLabel { background-color: white; border: 0px solid #7a8490;"
             " border-right-width: 1px; border-bottom-width: 1px;%1%2 }")
      .arg(row == 1 ? QStringLiteral(" border-top-width: 1px;") : QString(),
           leftLine ? QStringLiteral(" border-left-width: 1px;") : QString());
}

void setBase(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, color);
  widget->setPalette(palette);
}

void place(QWidget* widget, double left, double top, double width, double height) {
  widget->setGeometry(twipsRect(left, top, width, height));
}

QLabel* cellLabel(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

QString indexed(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QString::fromUtf8(name)).arg(index);
}

}  // namespace

frmХарЧМ1::frmХарЧМ1(Navigation& hub)
    : LabScreen(hub, ScreenId::Characteristic, QStringLiteral("frmХарЧМ1"),
                QStringLiteral("Построение модуляционной характеристики")) {
  connect(addMenuBarItem(QStringLiteral("mnuвых"), QStringLiteral("Выход")), &QAction::triggered,
          this, &frmХарЧМ1::CmdEnd_Click);
  QMenu* print = addMenuBarMenu(QStringLiteral("mnuПеч"), QStringLiteral("Печать"));
  connect(
      addMenuItem(print, QStringLiteral("mnuПредв"), QStringLiteral("Предварительный просмотр")),
      &QAction::triggered, this, &frmХарЧМ1::mnuПредв_Click);
  connect(addMenuBarItem(QStringLiteral("mnuЛит"), QStringLiteral("Литература")),
          &QAction::triggered, this, [this] { this->hub().show(ScreenId::Literature); });
  setClientSizeTwips(kClientWidth, kClientHeight);

  Picture2 = new QWidget(client());
  Picture2->setObjectName(QStringLiteral("Picture2"));
  Picture2->setAutoFillBackground(true);
  QPalette strip = Picture2->palette();
  strip.setColor(QPalette::Window, kPureRed);
  Picture2->setPalette(strip);
  place(Picture2, 0, 0, kClientWidth, 75);

  fraТаблица = new QGroupBox(QStringLiteral("Таблица исходных и расчетных данных"), client());
  fraТаблица->setObjectName(QStringLiteral("fraТаблица"));
  fraТаблица->move(twipsPoint(kFrameLeft, kFrameTop));
  // The frame starts just left of the window's edge; its caption is kept clear of that edge.
  fraТаблица->setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid #a3acb6; margin-top: 8px; }"
      " QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 3px; }"));
  createTable();

  Picture1 = new PictureBox(client());
  Picture1->setObjectName(QStringLiteral("Picture1"));
  place(Picture1, 0, kPanelTop, kPanelWidth, kPanelHeight);  // ВидЭкрана puts it beside the table
  Picture1->setBackColor(vbColor(kVbButtonFace));
  PicХар = new PictureBox(Picture1);
  PicХар->setObjectName(QStringLiteral("PicХар"));
  place(PicХар, kPlotLeft, kPlotTop, kPlotWidth, kPlotHeight);
  PicХар->setBackColor(Qt::white);
  connect(PicХар, &PictureBox::paintRequested, this, &frmХарЧМ1::PicХар_Paint);
  describePicture(PicХар, QStringLiteral("График модуляционной характеристики"), QString());

  CmdДальше = makeButton(client(), QStringLiteral("CmdДальше"), QStringLiteral("Дальше..."), 810,
                         kButtonTop, 1455, kButtonHeight);
  CmdEnd = makeButton(client(), QStringLiteral("CmdEnd"), QStringLiteral("Выход"), 2505, kButtonTop,
                      1455, kButtonHeight);
  CmdИХ = makeButton(client(), QStringLiteral("CmdИХ"),
                     QStringLiteral(" Идеализированная характеристика "), 5350, kButtonTop, 3795,
                     kButtonHeight);
  CmdИХ->setEnabled(false);
  connect(CmdИХ, &QPushButton::clicked, this, &frmХарЧМ1::CmdИХ_Click);
  connect(CmdДальше, &QPushButton::clicked, this, &frmХарЧМ1::CmdДальше_Click);
  connect(CmdEnd, &QPushButton::clicked, this, &frmХарЧМ1::CmdEnd_Click);
}

void frmХарЧМ1::createTable() {
  const char* const headers[6] = {"№", "u вх, мВ", "U вх, мВ", "  f. МГц", "mf", "S, МГц/В"};
  for (int column = 0; column < 6; ++column) {
    Label1[column] =
        cellLabel(fraТаблица, indexed("Label1", column), QString::fromUtf8(headers[column]));
  }
  place(Label1[0], kHeaderLeft, kHeaderTop, kHeaderWidth, kHeaderHeight);
  // The Greek capital delta that makes header 3 read "Δf".
  Label9 = new QLabel(QStringLiteral("Δ"), fraТаблица);
  Label9->setObjectName(QStringLiteral("Label9"));

  for (int row = 1; row <= kCharacteristicRows; ++row) {
    Label3[row] = cellLabel(fraТаблица, indexed("Label3", row), QString::number(row));
    Text1[row] = new ReadingCell(fraТаблица);
    Text1[row]->setObjectName(indexed("Text1", row));
    Text1[row]->setAlignment(Qt::AlignCenter);
    nameControl(Text1[row], QStringLiteral("Показание милливольтметра, мВ, строка %1").arg(row),
                QStringLiteral("Ввод подтверждается клавишей Enter или стрелкой вниз"));
    setBase(Text1[row], kPureRed);
    Label5[row] = cellLabel(fraТаблица, indexed("Label5", row), QString());
    Label5[row]->setStyleSheet(resultCellStyle(row, false));
    Label6[row] = cellLabel(fraТаблица, indexed("Label6", row), QString());
    Label6[row]->setStyleSheet(resultCellStyle(row, false));
    Label7[row] =
        cellLabel(fraТаблица, indexed("Label7", row), QString::fromUtf8(kModulationIndex[row]));
    Label7[row]->setStyleSheet(QStringLiteral("QLabel { background-color: #e3e9f1; }"));
    Label8[row] = cellLabel(fraТаблица, indexed("Label8", row), QString());
    Label8[row]->setStyleSheet(resultCellStyle(row, true));
    // A computed cell is read as its number (its text), then its column and row.
    const QString columns[] = {QStringLiteral("U вх, мВ"), QStringLiteral("Δf, МГц"),
                               QStringLiteral("mf"), QStringLiteral("S, МГц/В")};
    const std::array<QLabel*, 4> computed{Label5[row], Label6[row], Label7[row], Label8[row]};
    for (int c = 0; c < 4; ++c) {
      readShownText(computed[c]);
      computed[c]->setAccessibleDescription(
          QStringLiteral("%1, строка %2").arg(columns[c]).arg(row));
    }
    connect(Text1[row], &ReadingCell::confirmed, this, [this, row] { Text1_Confirmed(row); });
    connect(Text1[row], &ReadingCell::left, this, [this, row] { Text1_LostFocus(row); });
    const bool open = row == 1;
    for (QWidget* cell : rowCells(row)) cell->setVisible(open);
  }
  place(Label3[1], kNumberLeft, kResultTop, kNumberWidth, ВысСтроки);
}

void frmХарЧМ1::load() {
  makeProgramDirectoryCurrent();
  move(0, 0);
  // Without its pictures the screen still works: the plot is drawn on a plain background.
  try {
    Picture1->setPicture(loadPicture(QStringLiteral("МодХар.wmf")));
  } catch (const PictureError&) {
  }
  try {
    PicХар->setPicture(loadPicture(QStringLiteral("МодХар1.wmf")));
  } catch (const PictureError&) {
  }
  ЧислоСтрок = 1;
  ФлагИХ = 0;
  ВысСтроки = 325;
  ШирСтолбца = 855;
  ВидЭкрана();
  // Input amplitude in volts across, deviation in MHz up.
  PicХар->setScale(-0.35, 12, 0.35, -12);
  PicХар->setDrawWidth(1);
  Text1[1]->setFocus();
}

void frmХарЧМ1::ВидЭкрана() {
  const double rowHeight = ВысСтроки;
  const double columnWidth = ШирСтолбца;
  const double frameHeight = 16 * rowHeight + rowHeight / 2;
  const double frameWidth = 6 * columnWidth - 300;
  place(fraТаблица, kFrameLeft, kFrameTop, frameWidth, frameHeight);
  place(Picture1, kFrameLeft + frameWidth + 100, kPanelTop, kPanelWidth, kPanelHeight);

  double headerLeft = kHeaderLeft + kHeaderWidth;
  for (int column = 1; column <= 5; ++column) {
    place(Label1[column], headerLeft, kHeaderTop, columnWidth, kHeaderHeight);
    headerLeft += columnWidth;
  }
  placeDeltaInLeadingBlanks(Label9, Label1[3]);

  const double numberLeft = kNumberLeft;
  const double inputLeft = numberLeft + kNumberWidth;
  for (int row = 1; row <= kCharacteristicRows; ++row) {
    const double step = (row - 1) * rowHeight;
    place(Label3[row], numberLeft, kResultTop + step, kNumberWidth, rowHeight);
    place(Text1[row], inputLeft, kInputTop + step, columnWidth, 0.9 * rowHeight);
    place(Label5[row], inputLeft + columnWidth, kResultTop + step, columnWidth, rowHeight);
    place(Label6[row], inputLeft + 2 * columnWidth, kResultTop + step, columnWidth, rowHeight);
    place(Label7[row], inputLeft + 3 * columnWidth, kInputTop + step, columnWidth, rowHeight);
    place(Label8[row], inputLeft + 4 * columnWidth, kResultTop + step, columnWidth, rowHeight);
  }
}

std::array<QWidget*, 6> frmХарЧМ1::rowCells(int row) const {
  return {Label3[row], Text1[row], Label5[row], Label6[row], Label7[row], Label8[row]};
}

void frmХарЧМ1::showRow(int row) {
  for (QWidget* cell : rowCells(row)) cell->show();
}

void frmХарЧМ1::Text1_Confirmed(int Index) {
  Результат& рез = state().Рез;
  const double reading = numberFromText(Text1[Index]->text());
  if (!readingFits(reading)) {
    // Too large for the record: refused like a key the cell does not take, and the cell keeps
    // the text to be corrected, with nothing stored, computed or opened.
    desktop().beep();
    return;
  }
  рез.Харuвх[Index] = storedSingle(reading);
  if (Index < kCharacteristicRows && Text1[Index + 1]->text().isEmpty()) {
    if (ЧислоСтрок < kCharacteristicRows + 1) ++ЧислоСтрок;
    if (ЧислоСтрок == kCharacteristicRows + 1) {
      desktop().beep();
      desktop().beep();
    } else {
      showRow(ЧислоСтрок);
      Text1[ЧислоСтрок]->setFocus();
    }
  }
  РасчетСтроки(static_cast<std::int16_t>(Index));
  CmdИХ->setEnabled(true);
  announce(this, QStringLiteral("Строка %1: U вх %2 мВ; Δf %3 МГц; S %4 МГц/В.")
                     .arg(Index)
                     .arg(spokenNumber(Label5[Index]->text()), spokenNumber(Label6[Index]->text()),
                          spokenNumber(Label8[Index]->text())));
}

void frmХарЧМ1::Text1_LostFocus(int Index) {
  const QString text = Text1[Index]->text();
  if (text.isEmpty() || !readingFits(numberFromText(text))) return;
  setBase(Text1[Index], kPureGreen);
  announceAccepted(Text1[Index]);
}

void frmХарЧМ1::РасчетСтроки(std::int16_t Index) {
  Результат& рез = state().Рез;
  const CharacteristicRow row =
      computeCharacteristicRow(рез.Харuвх[Index], numberFromText(Label7[Index]->text()));
  storeCharacteristicRow(рез, Index, row);
  Label5[Index]->setText(formatSingle(row.amplitude, QStringLiteral("###.##")));
  Label6[Index]->setText(formatSingle(row.deviation, QStringLiteral("##.##")));
  // A zero amplitude has no slope; the row stores 0 for it, and the cell shows what is stored,
  // as the report of the same row does.
  Label8[Index]->setText(formatSingle(row.slope, QStringLiteral("##.##")));
  PicХар_Paint();
}

void frmХарЧМ1::PicХар_Paint() {
  const Результат& рез = state().Рез;
  const std::vector<QPointF> points = characteristicPoints(рез, ЧислоСтрок - 1);
  PicХар->cls();
  PicХар->pset(0, 0);
  for (size_t j = 1; j < points.size(); ++j)
    PicХар->lineTo(points[j].x(), points[j].y(), kPureBlue);
  // The mirror image through the origin.
  PicХар->setCurrentPoint(0, 0);
  for (size_t j = 1; j < points.size(); ++j) {
    PicХар->lineTo(-points[j].x(), -points[j].y(), kPureBlue);
  }
  QString text = characteristicPointsText(points);
  if (ФлагИХ == 1) {
    const QLineF ideal = idealizedCharacteristic(рез);
    PicХар->line(ideal.x1(), ideal.y1(), ideal.x2(), ideal.y2(), kPureRed);
    text += QStringLiteral(
        ". Идеализированная характеристика: прямая через начало координат и точку строки 1");
  }
  describePicture(PicХар, QStringLiteral("График модуляционной характеристики"), text);
}

void frmХарЧМ1::CmdИХ_Click() {
  ФлагИХ = 1;
  PicХар_Paint();
}

void frmХарЧМ1::Новый() {
  for (int row = 1; row <= kCharacteristicRows; ++row) {
    Label5[row]->clear();
    Label6[row]->clear();
    Label8[row]->clear();
    Text1[row]->clear();
  }
  setBase(Text1[1], kPureRed);
  Text1[1]->setFocus();
  ЧислоСтрок = 1;
  for (int row = 2; row <= kCharacteristicRows; ++row) {
    for (QWidget* cell : rowCells(row)) cell->hide();
  }
}

void frmХарЧМ1::optВариант_Click(std::int16_t) { Новый(); }

void frmХарЧМ1::CmdДальше_Click() {
  const QString crlf = QStringLiteral("\r\n");
  const QString text =
      QStringLiteral(
          "  Для дальнейшей работы необходимо определить ширину линейного участка модуляционной характеристики.") +
      crlf +
      QStringLiteral(
          "1.  Выведите на график идеализированную характеристику, нажав клавишу 'Идеализированная характеристика'. ") +
      crlf +
      QStringLiteral(
          "2.  Cравните ее c измеренной характеристикой и запишите на бумаге значения размаха входного напряжения (U вх, В) и соответствующего размаха отклонения частоты (МГц) для линейного (на Ваш взгляд) участка характеристики.") +
      crlf + QStringLiteral(" (Можно распечатать результаты работы выбрав пункт меню 'Печать')") +
      crlf + crlf +
      QStringLiteral(
          " Если Вы уже выполнили вышеуказанные действия, нажмите клавишу 'No', в противном случае - клавишу 'Yes'.");
  const QString title = QStringLiteral("Информация");
  if (desktop().message(this, text, MsgButtons::YesNo, MsgIcon::None, title) != MsgAnswer::No) {
    return;
  }
  if (desktop().message(this, QStringLiteral(" Пойдем дальше?"), MsgButtons::YesNo, MsgIcon::None,
                        title) == MsgAnswer::Yes) {
    hub().show(ScreenId::Band);
  }
}

void frmХарЧМ1::CmdEnd_Click() { ПодтверждениеВыхода(hub(), this); }

void frmХарЧМ1::mnuПредв_Click() {
  state().Предв = 1;
  hub().show(ScreenId::MainWindow);
}
