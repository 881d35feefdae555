#include "platform/page_printing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

void setUpPdfOutput(QPrinter& printer, const QString& fileName, const QString& documentName) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(fileName);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setDocName(documentName);
  printer.setCreator(QString::fromUtf8(kApplicationTitle));
}

bool printOnePage(QPrinter& printer, const PagePainter& paint) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // The painter's origin is the top-left corner of the printable area, in device pixels.
  const QRectF page(QPointF(0, 0),
                    printer.pageLayout().paintRectPixels(printer.resolution()).size());
  paint(painter, page);
  return painter.end();
}
