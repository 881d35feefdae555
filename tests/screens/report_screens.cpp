#include <QDir>
#include <QPainter>

#include "measure/characteristic_table.h"
#include "measure/report_screen.h"
#include "platform/twips.h"
#include "support/screen_fixture.h"

namespace {

// A full table as a student might type it: linear at first, the deviation then lagging behind.
void fillTable(Результат& record) {
  const double readings[15] = {0,     20.5,  32.6,  46.9,  59.6,  73.6,  88.0, 105.3,
                               122.0, 144.5, 161.2, 190.4, 214.8, 223.0, 235.5};
  const double indices[15] = {0,     2.408, 3.832, 5.52,  7.016, 8.654, 10.17, 11.79,
                              13.21, 14.93, 16.10, 18.07, 19.60, 20.10, 20.82};
  for (int row = 1; row <= 14; ++row) {
    storeCharacteristicRow(record, row, computeCharacteristicRow(readings[row], indices[row]));
  }
}

}  // namespace

TEST_F(ScreenShots, Report) {
  state.Предв = 1;
  capture(ScreenId::Report, "FrmОтчет");
}

TEST_F(ScreenShots, ReportWithAFullTable) {
  fillTable(state.Рез);
  state.Предв = 1;
  LabScreen* report = hub.show(ScreenId::Report);
  ASSERT_NE(report, nullptr);
  // The whole report, sized as the main window sizes it in report mode.
  report->parentWidget()->resize(twipsSize(7700 + 120, 10200));
  settleEvents();
  // The whole report, also the part the main window shows only after scrolling.
  const QString path = QDir(QStringLiteral(FMLAB_SCREENS_DIR)).filePath("FrmОтчет_full.png");
  EXPECT_TRUE(report->grab().save(path));

  // The printed page: an A4 sheet in 1240 x 1754 pixels that reports a printer's 1200 dpi, so
  // that the fonts go through the same conversion as on paper.
  QImage page(1240, 1754, QImage::Format_ARGB32_Premultiplied);
  page.setDotsPerMeterX(47244);
  page.setDotsPerMeterY(47244);
  page.fill(Qt::white);
  QPainter painter(&page);
  dynamic_cast<FrmОтчет*>(report)->drawPage(painter, QRectF(60, 60, 1120, 1634));
  painter.end();
  EXPECT_TRUE(page.save(QDir(QStringLiteral(FMLAB_SCREENS_DIR)).filePath("FrmОтчет_page.png")));
}
