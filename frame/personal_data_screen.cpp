#include "frame/personal_data_screen.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

#include "frame/personal_field_filter.h"
#include "platform/access.h"
#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/program_dir.h"
#include "platform/text_label.h"
#include "platform/vb_color.h"
#include "records/results_file.h"
#include "records/results_folder.h"
#include "screen/navigation.h"
#include "state/work_state.h"

namespace {

constexpr std::uint32_t kConfirmedColor = vbRgb(192, 255, 192);  // light green

PersonalBox kindOf(int box) { return box < 3 ? PersonalBox::Name : PersonalBox::Number; }

// The box's own name: TxtФИО(0..2), Txt№(0..2).
QString boxName(int box) {
  return (box < 3 ? QStringLiteral("TxtФИО(%1)") : QStringLiteral("Txt№(%1)")).arg(box % 3);
}

// The personal field each box fills, given to `use`: the one map from boxes to the record.
template <class Record, class Use>
auto withField(Record& r, int box, Use use) {
  switch (box) {
    case 0:
      return use(r.Фамилия);
    case 1:
      return use(r.Имя);
    case 2:
      return use(r.Отчество);
    case 3:
      return use(r.Группа);
    case 4:
      return use(r.НомерСБ);
    default:
      return use(r.EMail);
  }
}

QString fieldText(const Результат& r, int box) {
  return withField(r, box, [](const auto& field) { return field.toQString(); });
}

// The left-aligned assignment of the box's text to its field.
void storeField(Результат& r, int box, const QString& text) {
  withField(r, box, [&text](auto& field) { field = text; });
}

bool anyPersonalFieldBlank(const Результат& r) {
  for (int box = 0; box < 6; ++box) {
    if (withField(r, box, [](const auto& field) { return field.isBlank(); })) return true;
  }
  return false;
}

}  // namespace

FrmФИО::FrmФИО(Navigation& hub)
    : LabScreen(hub, ScreenId::PersonalData, QStringLiteral("FrmФИО"),
                QStringLiteral("Ввод личных данных")) {
  QMenu* file = addMenuBarMenu(QStringLiteral("mnuФайл"), QStringLiteral("Файл"));
  connect(addMenuItem(file, QStringLiteral("mnuOpen"), QStringLiteral("Открыть")),
          &QAction::triggered, this, &FrmФИО::mnuOpen_Click);
  connect(addMenuBarItem(QStringLiteral("mnuИнф"), QStringLiteral("?")), &QAction::triggered, this,
          &FrmФИО::mnuИнф_Click);
  setClientSizeTwips(6600, 4440);

  // The run of blanks in the instructions ends the first paragraph: at this width the second
  // one begins on a line of its own.
  instructions_ =
      makeWrappedLabel(client(), QStringLiteral("Label10"), QString(), 240, 120, 5370, 900);

  // Two columns of three boxes, each under its label: the names on the left, the numbers and
  // the e-mail address on the right.
  const QString captions[kBoxes] = {QStringLiteral("Фамилия"),
                                    QStringLiteral("Имя"),
                                    QStringLiteral("Отчество"),
                                    QStringLiteral("Номер группы"),
                                    QStringLiteral("Номер студ. билета"),
                                    QStringLiteral("E-mail")};
  for (int box = 0; box < kBoxes; ++box) {
    const int left = box < 3 ? 240 : 3480;
    const int top = 1140 + (box % 3) * 720;
    makeLabel(client(), QStringLiteral("Label%1").arg(box + 1), captions[box], left, top, 2880,
              240);
    auto* edit = new QLineEdit(client());
    edit->setObjectName(boxName(box));
    nameControl(edit, captions[box], QStringLiteral("Ввод подтверждается клавишей Enter"));
    placeTwips(edit, left, top + 240, 2880, 330);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, box] { filterEditedText(box); });
    connect(edit, &QLineEdit::textChanged, this,
            [this, box](const QString& text) { previousTexts_[box] = text; });
    boxes_[box] = edit;
  }

  makeLabel(client(), QStringLiteral("Label11"),
            QStringLiteral("После заполнения полей нажмите клавишу 'Дальше...'"), 240, 3300, 6120,
            300);
  auto* next = makeButton(client(), QStringLiteral("CmdОК"), QStringLiteral("Дальше..."), 4905,
                          3780, 1455, 495);
  connect(next, &QPushButton::clicked, this, &FrmФИО::CmdОК_Click);

  for (int box = 1; box < kBoxes; ++box) setTabOrder(boxes_[box - 1], boxes_[box]);
  setTabOrder(boxes_[kBoxes - 1], next);
  boxes_[0]->setFocus();
}

void FrmФИО::load() {
  centreOnDesktop();
  state().ВыбратьВариант();
  instructions_->setWrappedText(QStringLiteral(
      " Внимание! Заполните все поля. Ввод данных должен подтверждаться нажатием клавиши 'Enter'.                   При правильном вводе цвет фона поля ввода изме- нится на зеленый."));
  makeProgramDirectoryCurrent();
  hub().unload(ScreenId::Title);
  Результат& record = state().Рез;
  for (int box = 0; box < kBoxes; ++box) storeField(record, box, QString());
}

bool FrmФИО::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    for (int box = 0; box < kBoxes; ++box) {
      if (watched == boxes_[box]) return keyPress(box, static_cast<QKeyEvent&>(*event));
    }
  }
  return LabScreen::eventFilter(watched, event);
}

bool FrmФИО::keyPress(int box, const QKeyEvent& key) {
  if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
    confirm(box);
    return true;
  }
  const QString typed = key.text();
  if (std::any_of(typed.begin(), typed.end(),
                  [box](QChar c) { return isRefusedCharacter(kindOf(box), c); })) {
    beepTwice();
    announceRefused(boxes_[box]);
    return true;
  }
  return false;
}

// Enter: the box turns light green, its whole text goes into the field (cut or padded to the
// field's width) and the focus moves to the next box; the last box keeps it.
void FrmФИО::confirm(int box) {
  QLineEdit* edit = boxes_[box];
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, vbColor(kConfirmedColor));
  edit->setPalette(palette);
  storeField(state().Рез, box, edit->text());
  announceAccepted(edit);
  if (box + 1 < kBoxes) boxes_[box + 1]->setFocus();
}

// Text that reached the box without a key press (pasted, dropped) keeps only what typing
// could have put there. Only the inserted part is filtered: the text already in the box (a
// surname with a blank, read from a file) stays as it is when the student edits it.
void FrmФИО::filterEditedText(int box) {
  QLineEdit* edit = boxes_[box];
  const QString text = edit->text();
  const QString& before = previousTexts_[box];
  // The edit kept a beginning and an end of the old text; what lies between them is new.
  const qsizetype common = std::min(text.size(), before.size());
  qsizetype head = 0;
  while (head < common && text[head] == before[head]) ++head;
  qsizetype tail = 0;
  while (tail < common - head && text[text.size() - 1 - tail] == before[before.size() - 1 - tail]) {
    ++tail;
  }
  const QString inserted = text.mid(head, text.size() - head - tail);
  const QString kept = withoutRefusedCharacters(kindOf(box), inserted);
  if (kept == inserted) return;
  edit->setText(text.left(head) + kept + text.right(tail));
  edit->setCursorPosition(static_cast<int>(head + kept.size()));
  beepTwice();
  announceRefused(edit);
}

void FrmФИО::CmdОК_Click() {
  if (anyPersonalFieldBlank(state().Рез)) {
    desktop().beep();
    desktop().message(this, QStringLiteral("Вы заполнили не все поля!"), MsgButtons::Ok,
                      MsgIcon::Critical, QStringLiteral("Ошибка!"));
    return;
  }
  const FileStatus written = state().ЗаписатьРезультат();
  if (written != FileStatus::Ok) {
    // The student stays here with every field as typed and can try again.
    desktop().message(
        this,
        QStringLiteral(
            "Не удалось записать файл результатов «%1». Возможно, в эту папку нельзя записывать или номер студенческого билета не годится для имени файла. Данные не сохранены.")
            .arg(QDir::toNativeSeparators(resultsFilePath(state().Рез))),
        MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Ошибка!"));
    return;
  }
  hub().show(ScreenId::MainWindow);  // its load closes this screen
}

void FrmФИО::mnuOpen_Click() {
  OpenFileRequest request;
  request.defaultExtension = QStringLiteral("*.res");
  request.title = QStringLiteral("Поиск файла результатов");
  request.filter = QStringLiteral("Файлы контроля (*.res)|*.res|All Files (* *)|* *");
  request.filterIndex = 1;
  request.directory = resultsFolder();
  state().ИмяФайла = desktop().openFileName(this, request);
  if (state().ИмяФайла.isEmpty()) {
    desktop().message(this, QStringLiteral("Файл результатов еще не сформирован!"), MsgButtons::Ok,
                      MsgIcon::None, std::nullopt);
    return;
  }
  const QString shownName = QDir::toNativeSeparators(state().ИмяФайла);
  switch (state().СчитатьРезультат()) {
    case FileStatus::Ok:
      break;
    case FileStatus::TooShort:
      desktop().message(
          this,
          QStringLiteral(
              "Файл «%1» не является файлом результатов: он короче 554 байт. Данные на экране не изменились.")
              .arg(shownName),
          MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Ошибка!"));
      return;
    default:
      desktop().message(
          this,
          QStringLiteral("Не удалось прочитать файл «%1». Данные на экране не изменились.")
              .arg(shownName),
          MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Ошибка!"));
      return;
  }
  for (int box = 0; box < kBoxes; ++box) boxes_[box]->setText(fieldText(state().Рез, box));
}

void FrmФИО::mnuИнф_Click() {
  desktop().message(
      this,
      QStringLiteral(
          "Если Вы уже работали с программой и заполняли поля на данном экране можно считать эту информацию из файла результатов Result7_Номер СБ.res"),
      MsgButtons::Ok, MsgIcon::None, std::nullopt);
}

void FrmФИО::beepTwice() {
  desktop().beep();
  desktop().beep();
}
