#include "frame/literature_screen.h"

#include <QLabel>
#include <QPushButton>

#include "frame/institution_texts.h"
#include "frame/required_reading.h"
#include "platform/controls.h"
#include "platform/text_label.h"
#include "screen/navigation.h"

namespace {

constexpr int kTextLeft = 360;
constexpr int kTextWidth = 6480;

WrappedLabel* textLabel(QWidget* parent, const char* name, const QString& text, int top, int height,
                        const TextStyle& style = {}) {
  return makeWrappedLabel(parent, QString::fromUtf8(name), text, kTextLeft, top, kTextWidth, height,
                          style);
}

}  // namespace

FrmЛитература::FrmЛитература(Navigation& hub)
    : LabScreen(hub, ScreenId::Literature, QStringLiteral("FrmЛитература"),
                QStringLiteral("Литература")) {
  setClientSizeTwips(7200, 4890);
  QWidget* form = client();
  makeStyledLabel(form, QStringLiteral("Label1"), QStringLiteral("ЛИТЕРАТУРА"), 0, 180, 7200, 360,
                  {12, true, kNavy, Qt::AlignHCenter | Qt::AlignVCenter});

  const TextStyle group{9, true, kMaroon};
  textLabel(form, "Label2", QStringLiteral("Для подготовке к лабораторной работе"), 690, 285,
            group);
  textLabel(form, "Label3", institution_texts::reference1(), 1005, 465);
  textLabel(form, "Label4", institution_texts::reference2(), 1500, 285);
  textLabel(form, "Label5", institution_texts::reference3(), 1815, 465);
  textLabel(form, "Label6", QStringLiteral("Для выполнения лабораторной работы "), 2310, 285,
            group);
  label7_ = textLabel(form, "Label7", QString(), 2625, 705);
  textLabel(form, "Label8", institution_texts::guideOnTheWeb(), 3390, 465, {0, false, kNavy});

  auto* information = makeButton(form, QStringLiteral("CmdИнф"), QStringLiteral("Информация"),
                                 kTextLeft, 4170, 1815, 435);
  auto* ok = makeButton(form, QStringLiteral("CmdОК"), QStringLiteral("ОК"),
                        kTextLeft + kTextWidth - 1815, 4170, 1815, 435);
  connect(information, &QPushButton::clicked, this,
          [this] { showRequiredReading(desktop(), this); });
  connect(ok, &QPushButton::clicked, this, [this] { this->hub().unload(ScreenId::Literature); });
}

void FrmЛитература::load() { label7_->setWrappedText(institution_texts::reference4()); }
