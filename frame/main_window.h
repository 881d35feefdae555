#pragma once

#include <QPointer>
#include <QSize>
#include <array>

#include "screen/lab_screen.h"

class PaletteIcon;
class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;

// The main window: a multiple-document frame with the hint panel and the instrument palette,
// holding the assembly screen (assembly mode) or the report (report mode).
class MDIFrmАнМод : public LabScreen {
 public:
  explicit MDIFrmАнМод(Navigation& hub);
  void load() override;

  // Puts a screen inside this window; the hub does it for the screens that live here.
  QMdiSubWindow* embed(LabScreen* screen);

  // Size of the child window for a main window of the given size: the assembly takes 0.94 of
  // it; the report is 7700 twips wide and twice as high, and the window scrolls.
  static QSize assemblySize(QSize mainWindow);
  static QSize reportSize(QSize mainWindow);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ImgПрибор_Click(int index);
  // Loads the palette's pictures and shows the assembly inside; false when a picture is missing.
  bool showAssembly();
  void fitChild();
  // The window's size: the maximized size until it is first shown.
  QSize windowSize() const;

  QFrame* picИнф_;
  QLabel* label1_;
  QFrame* picПриб_;
  std::array<PaletteIcon*, 7> imgПрибор_{};  // [1..6]
  QMdiArea* area_;
  QPointer<QMdiSubWindow> child_;
  bool reportMode_ = false;
  QSize fittedSize_;  // the child's size as this window last set it
};
