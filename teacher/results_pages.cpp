#include "teacher/results_pages.h"

#include <QApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <iterator>

#include "measure/characteristic_table.h"
#include "measure/report_screen.h"
#include "model/fm_model.h"
#include "platform/desktop.h"
#include "screen/navigation.h"
#include "state/work_state.h"
#include "teacher/readings_check.h"
#include "teacher/results_output.h"
#include "teacher/results_text.h"

namespace {

// The page: A4 with 15 mm margins; the card takes the top 80 mm of what is inside them, the
// report the rest, scaled to fit and centred across.
constexpr double kMarginMm = 15;
constexpr double kCardMm = 80;
constexpr int kPdfResolution = 300;  // dots per inch of the PDF's coordinates
const QSizeF kSheetMm(210, 297);     // A4

const QColor kBenchColour(0, 160, 0);
const QColor kMarkColour(230, 0, 0);

// The bench's own curve goes up to this index: Δf = 12 MHz, the top of the plot.
constexpr int kCurveLastControl = 2400;
constexpr int kCurveControlStep = 10;

// A desktop that is never asked anything: the report screen is only drawn, never shown.
class NoDesktop final : public Desktop {
 public:
  MsgAnswer message(QWidget*, const QString&, MsgButtons, MsgIcon,
                    const std::optional<QString>&) override {
    return MsgAnswer::No;
  }
  void beep() override {}
  QString openFileName(QWidget*, const OpenFileRequest&) override { return {}; }
  PrintOutcome printPage(QWidget*, const QString&, const QString&, const PagePainter&) override {
    return PrintOutcome::Cancelled;
  }
  void endProgram() override {}
};

// What the report screen needs to stand alone: the record in a work state of its own.
class ReportHost final : public Navigation {
 public:
  explicit ReportHost(const Результат& record) { state_.Рез = record; }
  ModЧМ& state() const override { return state_; }
  Desktop& desktop() const override { return desktop_; }
  LabScreen* show(ScreenId) override { return nullptr; }
  void unload(ScreenId) override {}
  LabScreen* find(ScreenId) const override { return nullptr; }
  void endProgram() override {}
  void screenDestroyed(LabScreen*) override {}

 private:
  mutable ModЧМ state_;
  mutable NoDesktop desktop_;
};

// The characteristic the bench gives with modulator k1: every tenth step of the amplitude
// control, made into a table row as the characteristic screen makes it.
std::vector<QPointF> benchCharacteristic(int k1) {
  std::vector<QPointF> points;
  for (int control = 0; control <= kCurveLastControl; control += kCurveControlStep) {
    const CharacteristicRow row =
        computeCharacteristicRow(benchReading(k1, control), indexFromAmplitude(control));
    points.emplace_back(row.amplitude / 1000.0, row.deviation);
  }
  return points;
}

// Pages drawn in the device's pixels: `area` is what lies inside the margins, `metrics` the
// device whose resolution the fonts are sized for, `nextPage` starts a new sheet.
class Pages {
 public:
  Pages(QPainter& painter, const QPaintDevice& metrics, const QRectF& area,
        std::function<void()> nextPage = nullptr)
      : painter_(painter),
        metrics_(metrics),
        area_(area),
        font_(QApplication::font()),
        nextPage_(std::move(nextPage)) {
    font_.setPointSizeF(10);
  }

  void filePage(const ResultsFileReport& report) {
    startPage();
    if (!report.readable()) {
      title(QStringLiteral("Файл: %1").arg(shownText(report.path)));
      paragraph(QStringLiteral("Файл не прочитан: %1").arg(report.error));
      return;
    }
    const Результат& r = report.record;
    if (report.hasRecord) {
      const QString name = QStringList{shownField(r.Фамилия.toQString()).trimmed(),
                                       shownField(r.Имя.toQString()).trimmed(),
                                       shownField(r.Отчество.toQString()).trimmed()}
                               .join(QLatin1Char(' '))
                               .simplified();
      title(name.isEmpty() ? QStringLiteral("(фамилия не заполнена)") : name);
      paragraph(QStringLiteral("Группа: %1    Студенческий билет: %2    Вариант: %3")
                    .arg(shownField(r.Группа.toQString()).trimmed(),
                         shownField(r.НомерСБ.toQString()).trimmed(),
                         shownField(r.Вариант.toQString()).trimmed()));
    }
    paragraph(QStringLiteral("Файл: %1").arg(shownText(report.path)));
    if (report.hasRecord) {
      paragraph(readingsSentence(report.readings));
      paragraph(report.readings.modulators.empty()
                    ? QStringLiteral("На графике: синяя линия — по таблице студента; красным "
                                     "отмечены строки, названные в замечаниях.")
                    : QStringLiteral("На графике: синяя линия — по таблице студента, зеленая — "
                                     "характеристика стенда с модулятором %1; красным отмечены "
                                     "строки, названные в замечаниях.")
                          .arg(modulatorsText(report.readings.modulators)));
    } else {
      paragraph(QStringLiteral("В файле нет целой записи результатов: отчет не построен."));
    }
    findings(report.findings);
    if (report.hasRecord) drawReport(report);
  }

  void summaryPages(const std::vector<ResultsFileReport>& reports) {
    const QString header[] = {QStringLiteral("№"),        QStringLiteral("Студент"),
                              QStringLiteral("Группа"),   QStringLiteral("Студ. билет"),
                              QStringLiteral("Строк"),    QStringLiteral("Модулятор"),
                              QStringLiteral("Замечаний")};
    const double widths[] = {0.05, 0.29, 0.11, 0.15, 0.08, 0.15, 0.17};
    const double rowHeight = QFontMetricsF(font_, &metrics_).height() * 1.6;
    auto row = [&](const QStringList& cells, bool bold) {
      if (y_ + rowHeight > area_.bottom()) {
        startPage();
        title(QStringLiteral("Сводка по группе (продолжение)"));
      }
      QFont font = font_;
      font.setBold(bold);
      painter_.setFont(font);
      double x = area_.left();
      for (int i = 0; i < cells.size(); ++i) {
        const QRectF cell(x, y_, widths[i] * area_.width(), rowHeight);
        painter_.drawRect(cell);
        painter_.drawText(cell.adjusted(rowHeight / 4, 0, -rowHeight / 4, 0),
                          Qt::AlignVCenter | (i == 1 ? Qt::AlignLeft : Qt::AlignHCenter), cells[i]);
        x += cell.width();
      }
      y_ += rowHeight;
    };
    startPage();
    title(QStringLiteral("Сводка по группе"));
    row(QStringList(std::begin(header), std::end(header)), true);
    int number = 0, sound = 0, withFindings = 0, unread = 0;
    for (const ResultsFileReport& report : reports) {
      ++number;
      if (!report.readable()) {
        ++unread;
      } else {
        ++(report.findings.empty() ? sound : withFindings);
      }
      if (!report.hasRecord) {
        row({QString::number(number), studentShortName(report), QString(), QString(), QString(),
             QString(),
             report.readable() ? QString::number(report.findings.size())
                               : QStringLiteral("не прочитан")},
            false);
        continue;
      }
      const Результат& r = report.record;
      row({QString::number(number), studentShortName(report),
           shownField(r.Группа.toQString()).trimmed(), shownField(r.НомерСБ.toQString()).trimmed(),
           QString::number(report.readings.filledRows.size()),
           report.readings.modulators.empty() ? QStringLiteral("—")
                                              : modulatorsText(report.readings.modulators),
           QString::number(report.findings.size())},
          false);
    }
    y_ += rowHeight / 2;
    if (y_ + rowHeight > area_.bottom()) startPage();
    paragraph(
        QStringLiteral("Итого файлов: %1; без замечаний: %2; с замечаниями: %3; не прочитано: %4.")
            .arg(reports.size())
            .arg(sound)
            .arg(withFindings)
            .arg(unread));
  }

 private:
  double mm(double millimetres) const { return millimetres * metrics_.logicalDpiY() / 25.4; }

  void startPage() {
    if (started_ && nextPage_) nextPage_();
    started_ = true;
    y_ = area_.top();
    painter_.setPen(Qt::black);
    painter_.setBrush(Qt::NoBrush);
  }

  void title(const QString& text) {
    QFont bold = font_;
    bold.setPointSizeF(13);
    bold.setBold(true);
    write(text, bold, area_.bottom());
    y_ += mm(2);
  }

  void paragraph(const QString& text) { write(text, font_, area_.bottom()); }

  // The findings in the card's room; those that do not fit are counted instead.
  void findings(const std::vector<ResultsFinding>& found) {
    const double bottom = area_.top() + mm(kCardMm - 2);
    if (found.empty()) {
      write(QStringLiteral("Замечаний нет."), font_, bottom);
      return;
    }
    write(QStringLiteral("Замечания:"), font_, bottom);
    const double line = QFontMetricsF(font_, &metrics_).height();
    for (std::size_t i = 0; i < found.size(); ++i) {
      const std::size_t left = found.size() - i;
      const QString text = QStringLiteral("— ") + found[i].text;
      // The last two lines of the room are kept for the count of those left out.
      const double room = bottom - (left > 1 ? 2 * line + mm(1) : 0);
      if (!write(text, font_, room, mm(4))) {
        write(QStringLiteral("… и еще замечаний: %1 (все — в карточке файла).").arg(left), font_,
              bottom, mm(4));
        return;
      }
    }
  }

  // Writes `text` wrapped to the area's width from the current line, if it ends above `bottom`.
  bool write(const QString& text, const QFont& font, double bottom, double indent = 0) {
    painter_.setFont(font);
    const QRectF room(area_.left() + indent, y_, area_.width() - indent, bottom - y_);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF needed = painter_.boundingRect(room, flags, text);
    if (needed.bottom() > bottom) return false;
    painter_.drawText(room, flags, text);
    y_ = needed.bottom() + mm(1);
    return true;
  }

  void drawReport(const ResultsFileReport& report) {
    ReportHost host(report.record);
    FrmОтчет screen(host);
    screen.load();
    for (int k1 : report.readings.modulators)
      screen.addCurve(benchCharacteristic(k1), kBenchColour);
    std::vector<int> rows;
    for (const ResultsFinding& finding : report.findings) {
      if (finding.row > 0) rows.push_back(finding.row);
    }
    screen.markRows(rows, kMarkColour);
    const QRectF page(area_.left(), area_.top() + mm(kCardMm), area_.width(),
                      area_.height() - mm(kCardMm));
    screen.drawPage(painter_, page);
  }

  QPainter& painter_;
  const QPaintDevice& metrics_;
  QRectF area_;
  QFont font_;
  std::function<void()> nextPage_;
  double y_ = 0;
  bool started_ = false;
};

}  // namespace

void setResultsPageLayout(QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                   QPageLayout::Millimeter));
}

bool drawResultsPages(QPagedPaintDevice& device, const std::vector<ResultsFileReport>& reports,
                      bool withSummary, const std::function<void(int, int)>& pageDone) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  // The painter's origin is the top-left corner of what lies inside the margins.
  const QRectF area(QPointF(0, 0),
                    device.pageLayout().paintRectPixels(device.logicalDpiY()).size());
  Pages pages(painter, device, area, [&device] { device.newPage(); });
  const int total = static_cast<int>(reports.size());
  for (int i = 0; i < total; ++i) {
    pages.filePage(reports[i]);
    if (pageDone) pageDone(i + 1, total);
  }
  if (withSummary) pages.summaryPages(reports);
  return painter.end();
}

bool writeResultsPdf(QPdfWriter& writer, const std::vector<ResultsFileReport>& reports,
                     bool withSummary, const std::function<void(int, int)>& pageDone) {
  writer.setResolution(kPdfResolution);
  setResultsPageLayout(writer);
  writer.setTitle(QStringLiteral("Отчеты студентов: модуляционная характеристика"));
  return drawResultsPages(writer, reports, withSummary, pageDone);
}

bool writeResultsPdf(const QString& fileName, const std::vector<ResultsFileReport>& reports,
                     bool withSummary, const std::function<void(int, int)>& pageDone) {
  QPdfWriter writer(fileName);
  writer.setCreator(QStringLiteral("fmlab-results"));
  return writeResultsPdf(writer, reports, withSummary, pageDone);
}

QImage resultsPageImage(const ResultsFileReport& report, QSize room) {
  const QSizeF sheet = kSheetMm.scaled(QSizeF(room), Qt::KeepAspectRatio);
  QImage image(sheet.toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  // The page is drawn at the PDF's resolution, so that its fonts and lines are sized as on
  // paper, and scaled down to the image.
  const double dotsPerMm = kPdfResolution / 25.4;
  image.setDotsPerMeterX(qRound(dotsPerMm * 1000));
  image.setDotsPerMeterY(qRound(dotsPerMm * 1000));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.scale(image.width() / (kSheetMm.width() * dotsPerMm),
                image.height() / (kSheetMm.height() * dotsPerMm));
  painter.translate(kMarginMm * dotsPerMm, kMarginMm * dotsPerMm);
  const QSizeF inside = (kSheetMm - QSizeF(2 * kMarginMm, 2 * kMarginMm)) * dotsPerMm;
  Pages(painter, image, QRectF(QPointF(0, 0), inside)).filePage(report);
  return image;
}
