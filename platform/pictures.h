#pragma once

#include <QCursor>
#include <QIcon>
#include <QString>
#include <memory>
#include <stdexcept>

class QSvgRenderer;

// A picture or icon file that could not be loaded; what() names the file.
class PictureError : public std::runtime_error {
 public:
  explicit PictureError(const QString& fileName);
  QString fileName() const { return fileName_; }

 private:
  QString fileName_;
};

// Path beside the program of a picture named as the screens name it: a metafile name
// ("Генератор.wmf") stands for the SVG drawing of the same stem ("Генератор.svg").
QString picturePath(const QString& fileName);

// The loaders throw PictureError when the file is missing or unreadable.
std::shared_ptr<QSvgRenderer> loadPicture(const QString& fileName);
QIcon loadIcon(const QString& fileName);
// A pointer shape from an icon file, with its hot spot at the given point of the 32x32 picture.
QCursor loadCursor(const QString& fileName, QPoint hotSpot = QPoint(8, 2));
