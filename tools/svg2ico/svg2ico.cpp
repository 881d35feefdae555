// svg2ico INPUT.svg OUTPUT.ico [SIZE]: draws the SVG into a square icon of SIZE pixels (64).
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: svg2ico INPUT.svg OUTPUT.ico [SIZE]\n");
    return 2;
  }
  const int size = args.size() > 3 ? args[3].toInt() : 64;
  QSvgRenderer renderer(args[1]);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "svg2ico: cannot read %s\n", qPrintable(args[1]));
    return 1;
  }
  QImage icon(size, size, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  renderer.render(&painter, QRectF(0, 0, size, size));
  painter.end();
  QImageWriter writer(args[2], "ico");
  if (!writer.write(icon)) {
    std::fprintf(stderr, "svg2ico: cannot write %s: %s\n", qPrintable(args[2]),
                 qPrintable(writer.errorString()));
    return 1;
  }
  return 0;
}
