#include "frame/title_screen.h"

#include <QLabel>
#include <QPushButton>

#include "frame/institution_texts.h"
#include "frame/required_reading.h"
#include "platform/access.h"
#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/picture_box.h"
#include "platform/pictures.h"
#include "platform/text_label.h"
#include "platform/vb_color.h"
#include "screen/exit_confirmation.h"
#include "screen/navigation.h"
#include "state/work_state.h"

namespace {

QString aboutTheProgram() {
  return QStringLiteral(
      "  Программная среда представляет собой электронную версию лабо- раторной работы, выполненной на реальной аппаратуре и функцио- нирующей на элементах аналоговой радиорелейной системы связи типа 'Восход' и комплекте измерительной аппаратуры.");
}

constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

PictureBox* pictureBox(QWidget* parent, const char* name, int left, int top, int width,
                       int height) {
  auto* box = new PictureBox(parent);
  box->setObjectName(QString::fromUtf8(name));
  box->setBackColor(vbColor(kVbButtonFace));
  placeTwips(box, left, top, width, height);
  markDecorative(box);  // the strip, the logo and the picture of the lab's equipment
  return box;
}

}  // namespace

FrmНачЧМ::FrmНачЧМ(Navigation& hub)
    : LabScreen(hub, ScreenId::Title, QStringLiteral("FrmНачЧМ"),
                QStringLiteral("Аналоговые системы связи")) {
  connect(addMenuBarItem(QStringLiteral("mnuВых"), QStringLiteral("Выход")), &QAction::triggered,
          this, [this] { ПодтверждениеВыхода(this->hub(), this); });
  connect(addMenuBarItem(QStringLiteral("mnuЛит"), QStringLiteral("Литература")),
          &QAction::triggered, this, [this] { this->hub().show(ScreenId::Literature); });
  connect(addMenuBarItem(QStringLiteral("mnuИнф"), QStringLiteral("Информация")),
          &QAction::triggered, this, &FrmНачЧМ::CmdИнф_Click);
  setClientSizeTwips(6885, 6420);
  QWidget* form = client();

  auto* strip = pictureBox(form, "Picture1", 0, 0, 6885, 75);
  strip->setBackColor(vbColor(vbRgb(255, 0, 0)));

  makeStyledLabel(form, QStringLiteral("Label4"), QStringLiteral("ДИСТАНЦИОННОЕ ОБУЧЕНИЕ"), 0, 180,
                  6885, 300, {10, true, kNavy, kCentre});
  makeStyledLabel(form, QStringLiteral("Label5"), institution_texts::university(), 120, 540, 6645,
                  270, {9, true, kNavy, kCentre});
  makeStyledLabel(form, QStringLiteral("Label6"), institution_texts::honoraryName(), 120, 810, 6645,
                  240, {8, false, kNavy, kCentre});
  makeStyledLabel(form, QStringLiteral("Label7"), institution_texts::faculty(), 120, 1080, 6645,
                  240, {8, false, kNavy, kCentre});

  picture3_ = pictureBox(form, "Picture3", 300, 1665, 735, 660);
  auto* title = makeStyledLabel(form, QStringLiteral("Label1"),
                                QStringLiteral("Исследование модуляционной характеристики"), 1140,
                                1560, 5505, 570, {12, true, kMaroon, kCentre});
  title->setWordWrap(true);
  makeStyledLabel(form, QStringLiteral("Label2"), institution_texts::labTitle(), 1140, 2130, 5505,
                  285, {10, false, kMaroon, kCentre});

  label3_ =
      makeWrappedLabel(form, QStringLiteral("Label3"), aboutTheProgram(), 300, 2880, 6285, 1380);

  picture2_ = pictureBox(form, "Picture2", 270, 4545, 3660, 960);
  makeStyledLabel(form, QStringLiteral("Label8"), institution_texts::authorPosition(), 4020, 4545,
                  2565, 255, {8, false, kNavy, kRight});
  makeStyledLabel(form, QStringLiteral("Label9"), institution_texts::authorName(), 4020, 4800, 2565,
                  255, {8, false, kNavy, kRight});
  auto* addresses =
      makeStyledLabel(form, QStringLiteral("Label10"), institution_texts::authorAddresses(), 4020,
                      5055, 2565, 450, {8, false, kNavy, kRight});
  addresses->setWordWrap(true);

  auto* information = makeButton(form, QStringLiteral("CmdИнф"),
                                 QStringLiteral("Важная информация"), 300, 5760, 2175, 435);
  cmdДальше_ = makeButton(form, QStringLiteral("CmdДальше"), QStringLiteral("Дальше"), 2685, 5760,
                          1815, 435);
  cmdДальше_->setEnabled(false);
  // Tab passes a disabled button by: the reader learns of it from the one that opens it.
  information->setAccessibleDescription(
      QStringLiteral("Прочитайте её: после этого откроется кнопка «Дальше»."));
  cmdДальше_->setAccessibleDescription(QStringLiteral("Откроется после чтения важной информации."));
  auto* exit =
      makeButton(form, QStringLiteral("CmdEnd"), QStringLiteral("Выход"), 4710, 5760, 1875, 435);
  connect(information, &QPushButton::clicked, this, &FrmНачЧМ::CmdИнф_Click);
  connect(cmdДальше_, &QPushButton::clicked, this,
          [this] { this->hub().show(ScreenId::PersonalData); });
  connect(exit, &QPushButton::clicked, this, [this] { ПодтверждениеВыхода(this->hub(), this); });
}

void FrmНачЧМ::load() {
  centreOnDesktop();
  state().Предв = 0;
  state().ВыбратьВариант();
  label3_->setWrappedText(aboutTheProgram());
  loadPictures();
}

void FrmНачЧМ::loadPictures() {
  try {
    picture2_->setPicture(loadPicture(QStringLiteral("Demo.wmf")));
    picture3_->setPicture(loadPicture(QStringLiteral("Logo1.wmf")));
  } catch (const PictureError&) {
    desktop().message(
        this,
        QStringLiteral(
            " В каталоге с программой отсутствуют все или некоторые сопровождающие графические файлы!"),
        MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Ошибка загрузки"));
  }
}

void FrmНачЧМ::CmdИнф_Click() {
  showRequiredReading(desktop(), this);
  if (!cmdДальше_->isEnabled()) announce(this, QStringLiteral("Кнопка «Дальше» открыта."));
  cmdДальше_->setEnabled(true);
  cmdДальше_->setAccessibleDescription({});
}
