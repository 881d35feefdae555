#include "measure/band_screen.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QSvgRenderer>

#include "measure/image_box.h"
#include "measure/number_box.h"
#include "platform/access.h"
#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/pictures.h"
#include "records/results_file.h"
#include "screen/navigation.h"
#include "state/work_state.h"
#include "types/display_format.h"
#include "types/number_text.h"

namespace {

// Paragraphs of a message box are separated by an empty line.
const QString kParagraph = QStringLiteral("\r\n\r\n");

// The column of the input boxes inside Frame1, twips.
constexpr int kBoxLeft = 2520;
constexpr int kBoxWidth = 1200;
constexpr int kBoxHeight = 360;

// An input row: its caption and its box, both with the same tool tip.
NumberBox* makeInput(QWidget* parent, const QString& name, const QString& caption,
                     const QString& tip, int captionLeft, int boxLeft, int top) {
  QLabel* label =
      makeLabel(parent, QString(), caption, captionLeft, top + 30, boxLeft - captionLeft - 60, 300);
  auto* box = new NumberBox(name, parent);
  placeTwips(box, boxLeft, top, kBoxWidth, kBoxHeight);
  label->setBuddy(box);
  label->setToolTip(tip);
  box->setToolTip(tip);
  box->setAccessibleDescription((tip.isEmpty() ? QString() : tip + QStringLiteral(". ")) +
                                QStringLiteral("Ввод подтверждается клавишей Enter"));
  return box;
}

// A sunken field that shows a computed value.
QLabel* makeReadout(QWidget* parent, const QString& name, int left, int top, int width,
                    int height) {
  QLabel* readout = makeLabel(parent, name, QString(), left, top, width, height);
  readout->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  readout->setBackgroundRole(QPalette::Base);
  readout->setAutoFillBackground(true);
  readout->setIndent(4);
  return readout;
}

}  // namespace

РасчЧМ::РасчЧМ(Navigation& hub)
    : LabScreen(hub, ScreenId::Band, QStringLiteral("РасчЧМ"),
                QStringLiteral("Расчет полосы частот, занимаемой ЧМ сигналом")) {
  connect(addMenuBarItem(QStringLiteral("mnuПорядок"), QStringLiteral("Порядок работы")),
          &QAction::triggered, this, &РасчЧМ::mnuПорядок_Click);
  connect(addMenuBarItem(QStringLiteral("mnuЛит"), QStringLiteral("Литература")),
          &QAction::triggered, this, [this] { this->hub().show(ScreenId::Literature); });
  setClientSizeTwips(9840, 5760);

  // A plain strip along the top edge, under the menu bar.
  auto* strip = new QWidget(client());
  strip->setObjectName(QStringLiteral("Picture1"));
  strip->setBackgroundRole(QPalette::Mid);
  strip->setAutoFillBackground(true);
  placeTwips(strip, 0, 0, 9840, 60);

  buildInputs();
  buildResults();
  buildChannelChoice();

  auto* next = makeButton(client(), QStringLiteral("CmdДальше"), QStringLiteral("Дальше..."), 7170,
                          5160, 1215, 420);
  auto* end = makeButton(client(), QStringLiteral("CmdEnd"), QStringLiteral("Конец"), 8505, 5160,
                         1215, 420);
  end->setEnabled(false);  // present, but it does nothing on this screen
  connect(next, &QPushButton::clicked, this, &РасчЧМ::CmdДальше_Click);

  setTabOrder(txtГрЧаст[1], txtГрЧаст[2]);
  setTabOrder(txtГрЧаст[2], Txtрк);
  setTabOrder(Txtрк, Txtdfk);
  setTabOrder(Txtdfk, Command2);
  setTabOrder(Command2, TxtN);
  setTabOrder(TxtN, next);
  txtГрЧаст[1]->setFocus();
}

void РасчЧМ::buildInputs() {
  Frame1 = makeFrame(client(), QStringLiteral("Frame1"), QStringLiteral("Исходные данные"), 120,
                     180, 3960, 3300);

  QGroupBox* spectrum = makeFrame(Frame1, QStringLiteral("FraГрЧаст"),
                                  QStringLiteral("Групповой спектр"), 120, 300, 3720, 1260);
  markPanel(spectrum, spectrum->title());
  txtГрЧаст[1] =
      makeInput(spectrum, QStringLiteral("txtГрЧаст(1)"), QStringLiteral("F1, кГц"),
                QStringLiteral("Нижняя частота группового спектра"), 120, kBoxLeft - 120, 360);
  txtГрЧаст[2] =
      makeInput(spectrum, QStringLiteral("txtГрЧаст(2)"), QStringLiteral("F2, кГц"),
                QStringLiteral("Верхняя частота группового спектра"), 120, kBoxLeft - 120, 810);
  Txtрк = makeInput(Frame1, QStringLiteral("Txtрк"), QStringLiteral("pk, мкВт"),
                    QStringLiteral("Средняя мощность в телефонном канале"), 240, kBoxLeft, 1740);
  Txtdfk = makeInput(Frame1, QStringLiteral("Txtdfk"), QStringLiteral("Δfk, кГц"),
                     QStringLiteral("Девиация частоты в ТЛФ канале"), 240, kBoxLeft, 2190);

  // The channel count of the variant.
  QLabel* count =
      makeLabel(Frame1, QString(), QStringLiteral("Заданное количество           ТЛФ каналов"), 240,
                2610, 2220, 480);
  count->setWordWrap(true);
  const QString countTip = QStringLiteral("Количество ТЛФ каналов");
  QLabel* equals = makeLabel(Frame1, QString(), QStringLiteral("N = "), 2460, 2700, 420, 300);
  equals->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  equals->setToolTip(countTip);
  LblN = makeReadout(Frame1, QStringLiteral("LblN"), 2880, 2670, kBoxLeft + kBoxWidth - 2880,
                     kBoxHeight);
  LblN->setToolTip(countTip);

  connect(txtГрЧаст[1], &QLineEdit::returnPressed, this, [this] { txtГрЧаст_Enter(1); });
  connect(txtГрЧаст[2], &QLineEdit::returnPressed, this, [this] { txtГрЧаст_Enter(2); });
  connect(Txtрк, &QLineEdit::returnPressed, this, &РасчЧМ::Txtрк_Enter);
  connect(Txtdfk, &QLineEdit::returnPressed, this, &РасчЧМ::Txtdfk_Enter);

  Command2 = makeButton(client(), QStringLiteral("Command2"), QStringLiteral("Расчет"), 120, 3600,
                        1455, 420);
  Command2->setEnabled(false);
  connect(Command2, &QPushButton::clicked, this, &РасчЧМ::Command2_Click);
}

void РасчЧМ::buildResults() {
  Frame2 = makeFrame(client(), QStringLiteral("Frame2"), QStringLiteral("Расчетные данные"), 4200,
                     180, 5520, 4860);
  Frame2->setVisible(false);
  struct Row {
    const char* image;
    QString caption;
    QString tip;
    QLabel* РасчЧМ::*value;
    const char* valueName;
  };
  const Row rows[] = {
      {"Img56", QStringLiteral("Рср = "),
       QStringLiteral("Средняя мощность многоканального сигнала"), &РасчЧМ::LblРср, "LblРср"},
      {"Img55", QStringLiteral("Δfэфф = "),
       QStringLiteral("Эффективная девиация частоты, создаваемая многоканальным сигналом"),
       &РасчЧМ::Lbldfэ, "Lbldfэ"},
      {"Img54", QStringLiteral("Δfпик = "),
       QStringLiteral("Пиковая девиация частоты, создаваемая многоканальным сигналом"),
       &РасчЧМ::Lbldfп, "Lbldfп"},
      {"Img58", QStringLiteral("mf = "), QStringLiteral("Индекс частотной модуляции"),
       &РасчЧМ::Lblmf, "Lblmf"},
      {"Img57", QStringLiteral("Пчм = "), QStringLiteral("Полоса частотномодулированного сигнала"),
       &РасчЧМ::LblП, "LblП"},
  };
  for (int i = 0; i < 5; ++i) {
    const Row& row = rows[i];
    const int top = 360 + i * 880;
    formulas[i] = new ImageBox(QString::fromUtf8(row.image), Frame2);
    placeTwips(formulas[i], 120, top, 2820, 660);
    formulas[i]->setToolTip(row.tip);
    describePicture(formulas[i], QStringLiteral("Формула: ") + row.tip.toLower(), QString());
    QLabel* caption = makeLabel(Frame2, QString(), row.caption, 2940, top + 180, 1080, 300);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->setToolTip(row.tip);
    QLabel* value =
        makeReadout(Frame2, QString::fromUtf8(row.valueName), 4020, top + 150, 1380, kBoxHeight);
    value->setToolTip(row.tip);
    caption->setBuddy(value);  // the reader's label of the value
    this->*row.value = value;
  }
}

void РасчЧМ::buildChannelChoice() {
  FraN = makeFrame(client(), QStringLiteral("FraN"), QStringLiteral("Введите N"), 120, 4200, 3960,
                   840);
  FraN->setVisible(false);
  TxtN = makeInput(FraN, QStringLiteral("TxtN"), QStringLiteral("N ТЛФ"), QString(), 240, kBoxLeft,
                   330);
  connect(TxtN, &QLineEdit::returnPressed, this, &РасчЧМ::TxtN_Enter);
}

void РасчЧМ::load() {
  ВводN = 0;
  state().ВыбратьВариант();
  Результат& r = state().Рез;
  LblN->setText(numberWithSignBlank(r.N));

  const char* const files[] = {"ф5-6.wmf", "ф5-5.wmf", "ф5-4.wmf", "ф5-8.wmf", "ф5-7.wmf"};
  bool missing = false;
  for (int i = 0; i < 5; ++i) {
    try {
      formulas[i]->setPicture(loadPicture(QString::fromUtf8(files[i])));
    } catch (const PictureError&) {
      missing = true;
    }
  }
  if (missing) {
    // The calculation works without its pictures; the student is told what is missing.
    desktop().message(
        this,
        QStringLiteral(
            " В каталоге с программой отсутствуют все или некоторые сопровождающие графические файлы!"),
        MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Ошибка загрузки"));
  }

  r.F2 = 2596;  // kHz
  r.dfk = 200;  // kHz
  r.pk = 32;    // µW
  state().РасчетПолосы();
  ПоказРасчета();
}

// The range messages are boxes with OK only and the application's own title; the box keeps
// its text and colour and the value in force stays.
void РасчЧМ::refuse(const QString& text) {
  desktop().message(this, text, MsgButtons::Ok, MsgIcon::None, std::nullopt);
}

void РасчЧМ::txtГрЧаст_Enter(int index) {
  NumberBox* box = txtГрЧаст[index];
  const double v = numberFromText(box->text());
  Результат& r = state().Рез;
  if (index == 1) {
    if (v < 60 || v > 320) {
      refuse(QStringLiteral("Неверное значение нижней частоты ГС !"));
      return;
    }
    r.F1 = v;
    box->markAccepted();
    txtГрЧаст[2]->setFocus();
    return;
  }
  if (v < 252 || v > 9000) {
    refuse(QStringLiteral("Неверное значение верхней частоты ГС !"));
    return;
  }
  r.F2 = v;
  box->markAccepted();
  Txtрк->setFocus();
  state().РасчетПолосы();
  ПоказРасчета();
}

// The mean power per channel must fit its 16-bit cell and must not be negative (the mean power
// of the group would be, and its square root has no value).
void РасчЧМ::Txtрк_Enter() {
  const auto pk = toInt16(numberFromText(Txtрк->text()));
  if (!pk || *pk < 0) {
    refuse(QStringLiteral("Неверное значение средней мощности в ТЛФ канале !"));
    return;
  }
  state().Рез.pk = *pk;
  Txtрк->markAccepted();
  Txtdfk->setFocus();
  state().РасчетПолосы();
  ПоказРасчета();
}

// The deviation per channel must fit Currency and must not be negative (the index would be).
void РасчЧМ::Txtdfk_Enter() {
  const auto dfk = Currency::fromDouble(numberFromText(Txtdfk->text()));
  if (!dfk || *dfk < Currency()) {
    refuse(QStringLiteral("Неверное значение девиации частоты в ТЛФ канале !"));
    return;
  }
  state().Рез.dfk = *dfk;
  Txtdfk->markAccepted();
  state().РасчетПолосы();
  ПоказРасчета();
}

// The student's choice of a channel count: the band values as they stand now are kept with it.
void РасчЧМ::TxtN_Enter() {
  const auto n = toInt16(numberFromText(TxtN->text()));
  if (!n) {
    refuse(QStringLiteral("Неверное значение количества ТЛФ каналов !"));
    return;
  }
  Результат& r = state().Рез;
  r.NИтог = *n;
  TxtN->markAccepted();
  r.dfkИтог = r.dfk;
  r.dfэффИтог = r.dfэфф;
  r.dfпикИтог = r.dfпик;
  r.ПчмИтог = r.Пчм;
  r.F1Итог = r.F1;
  r.F2Итог = r.F2;
  r.pkИтог = r.pk;
  r.РсрИтог = r.Рср;
  r.mfИтог = r.mf;
  ВводN = 1;
}

void РасчЧМ::ПоказРасчета() {
  const Результат& r = state().Рез;
  LblРср->setText(formatNumber(r.Рср.toDouble(), QStringLiteral("###.# мВт")));
  Lbldfэ->setText(formatNumber(r.dfэфф.toDouble(), QStringLiteral("##.## МГц")));
  Lbldfп->setText(formatNumber(r.dfпик.toDouble(), QStringLiteral("##.## МГц")));
  Lblmf->setText(formatNumber(r.mf.toDouble(), QStringLiteral("##.## ")));
  LblП->setText(formatNumber(r.Пчм.toDouble(), QStringLiteral("##.## МГц")));
  if (!txtГрЧаст[1]->text().isEmpty() && !txtГрЧаст[2]->text().isEmpty() &&
      !Txtdfk->text().isEmpty() && !Txtрк->text().isEmpty()) {
    Command2->setEnabled(true);
  }
}

void РасчЧМ::Command2_Click() {
  Frame2->setVisible(true);
  // The results, each after its caption ("Рср = 31,6 мВт"), as the panel shows them.
  QStringList results;
  for (QLabel* value : {LblРср, Lbldfэ, Lbldfп, Lblmf, LblП}) {
    for (QLabel* caption : Frame2->findChildren<QLabel*>()) {
      if (caption->buddy() == value)
        results << caption->text().trimmed() + QLatin1Char(' ') + spokenNumber(value->text());
    }
  }
  announce(this, Frame2->title() + QStringLiteral(": ") + results.join(QStringLiteral("; ")) + '.');
}

void РасчЧМ::mnuПорядок_Click() {
  desktop().message(
      this,
      QStringLiteral(
          "В этой части работы нужно провести расчет полосы частот, занимаемой частотномодулированным сигналом и, сравнив его значение с линейным участком характеристики частотного модулятора сделать вывод о пригодности данного модулятора для передачи заданного количества ТЛФ канлов (N)"),
      MsgButtons::Ok, MsgIcon::Information, QStringLiteral("Порядок работы"));
}

void РасчЧМ::CmdДальше_Click() {
  if (ВводN != 0) {
    КонецРаботы();
    return;
  }
  const QString title = QStringLiteral("Порядок работы");
  Результат& r = state().Рез;
  const QString suits =
      QStringLiteral(
          "Сравните полученое значение девиации частоты с шириной линейного участка модуляционной характеристики.") +
      kParagraph +
      QStringLiteral(
          " Подходит ли измеренная характеристика для передачи заданного количества ТЛФ каналов?");
  if (desktop().message(this, suits, MsgButtons::YesNo, MsgIcon::None, title) != MsgAnswer::Yes) {
    r.Ответ1 = QStringLiteral("Нет");
    ПодсказкаN();
    FraN->setVisible(true);
    return;
  }
  r.Ответ1 = QStringLiteral("Да");
  const QString more = QStringLiteral(
      "Можно ли использовать данный модулятор для передачи большего количества каналов?");
  if (desktop().message(this, more, MsgButtons::YesNo, MsgIcon::None, title) == MsgAnswer::Yes) {
    r.Ответ2 = QStringLiteral("Да");
    ПодсказкаN();
    FraN->setVisible(true);
  } else {
    r.Ответ2 = QStringLiteral("Нет");
    КонецРаботы();
  }
}

void РасчЧМ::ПодсказкаN() {
  desktop().message(
      this,
      QStringLiteral(
          "Меняя значения граничных частот и девиации частоты в ТЛФ канале для других занчений количества каналов, подберите наиболее приемлемый вариант N для модулятора с измеренной характеристикой.") +
          kParagraph + QStringLiteral(" Соответствующее значение N введите в окошко 'N ТЛФ.'"),
      MsgButtons::Ok, MsgIcon::Information, QStringLiteral("Порядок работы"));
}

// The end of the work: the record goes to the results file and the program ends. When the file
// cannot be written the student is told so and the program stays, so nothing is lost and
// "Дальше..." can be pressed again.
void РасчЧМ::КонецРаботы() {
  for (int i = 0; i < 3; ++i) desktop().beep();
  if (state().ЗаписатьРезультат() != FileStatus::Ok) {
    desktop().message(
        this,
        QStringLiteral("Не удалось записать результаты работы в файл %1!")
                .arg(QDir::toNativeSeparators(resultsFilePath(state().Рез))) +
            kParagraph +
            QStringLiteral(
                "Работа не закончена. Проверьте, что в эту папку можно записывать файлы, и нажмите 'Дальше...' еще раз."),
        MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Ошибка!"));
    return;
  }
  desktop().message(
      this,
      QStringLiteral("Внимание! Вы закончили работу и ее результаты записаны в файл Result.res.") +
          kParagraph +
          QStringLiteral(
              "Если Вы проделали все этапы работы и уверены, что все выполнено правильно, вышлите этот файл электронной почтой по месту учебы. Если такая уверенность отсутствует, проделайте работу повторно! ") +
          kParagraph + QStringLiteral("Файл результатов: ") +
          QDir::toNativeSeparators(resultsFilePath(state().Рез)),
      MsgButtons::Ok, MsgIcon::Information, QStringLiteral("Внимание"));
  hub().endProgram();
}
