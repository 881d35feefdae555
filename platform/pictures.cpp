#include "platform/pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QSvgRenderer>

#include "platform/program_dir.h"

PictureError::PictureError(const QString& fileName)
    : std::runtime_error("cannot load picture " + fileName.toStdString()), fileName_(fileName) {}

QString picturePath(const QString& fileName) {
  QString name = fileName;
  if (name.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive)) {
    name = name.left(name.size() - 4) + QStringLiteral(".svg");
  }
  return QDir(programDirectory()).filePath(name);
}

std::shared_ptr<QSvgRenderer> loadPicture(const QString& fileName) {
  const QString path = picturePath(fileName);
  if (!QFileInfo::exists(path)) throw PictureError(fileName);
  auto renderer = std::make_shared<QSvgRenderer>(path);
  if (!renderer->isValid()) throw PictureError(fileName);
  return renderer;
}

QIcon loadIcon(const QString& fileName) {
  const QString path = picturePath(fileName);
  QPixmap picture;
  if (!QFileInfo::exists(path) || !picture.load(path)) throw PictureError(fileName);
  // Made of the loaded picture, which the toolkit keeps once per file, not of the file's name:
  // an icon that reads its file itself makes new pictures each time, and each one leaves a
  // little memory behind for good, which a long run of the program would feel.
  return QIcon(picture);
}

QCursor loadCursor(const QString& fileName, QPoint hotSpot) {
  const QIcon icon = loadIcon(fileName);
  return QCursor(icon.pixmap(32, 32), hotSpot.x(), hotSpot.y());
}
