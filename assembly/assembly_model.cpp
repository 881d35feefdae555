#include "assembly/assembly_model.h"

#include <cmath>
#include <limits>
#include <tuple>

#include "state/work_state.h"
#include "types/number_text.h"

namespace {

const QString kInstrumentsKind = QStringLiteral("Приборы");
const QString kCablesKind = QStringLiteral("Кабели");
const QString kInputMark = QStringLiteral("Вхд");
const QString kOutputMark = QStringLiteral("Вых");
const QString kRightSide = QStringLiteral("П");

// Where the modulator stands on the table, twips.
constexpr double kModulatorLeft = 5640;
constexpr double kModulatorTop = 810;

// The two stacks of plugs: cables 1-3 above the input caption, cables 4-5 above the output one.
struct StackPlace {
  double plug1Left, plug2Left, top;
};
constexpr StackPlace kInputStack{285, 2430, 4035};
constexpr StackPlace kOutputStack{6750, 8940, 4035};

// The cable lines as they lie before anything is moved (X1, Y1 -> X2, Y2).
constexpr std::array<AssemblyModel::Line, AssemblyModel::kCables + 1> kDesignLines{{
    {0, 0, 0, 0},
    {870, 4155, 2370, 4155},
    {840, 4155, 2385, 4140},
    {855, 4140, 2415, 4155},
    {7335, 4155, 8895, 4170},
    {7350, 4155, 8880, 4170},
}};

// A pointer or computed position as a whole number of twips, halves to the even neighbour.
int wholeTwips(double value) {
  if (!std::isfinite(value)) return 0;
  const double rounded = roundHalfEven(value);
  if (rounded > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (rounded < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(rounded);
}

// One character of a tag or token read as a number (a blank or a letter reads as 0).
std::int16_t digitOf(const QString& text, int position) {
  return toInt16(numberFromText(text.mid(position, 1))).value_or(0);
}

QString freePicture(int p) {
  return p == 1 ? QStringLiteral("РазъемЛев.wmf") : QStringLiteral("РазъемПр.wmf");
}

bool isCable(int k) { return k >= 1 && k <= AssemblyModel::kCables; }
bool isPlug(int p) { return p == 1 || p == 2; }
bool onTable(int i) { return i >= 1 && i <= AssemblyModel::kInstruments; }

}  // namespace

AssemblyModel::AssemblyModel(ModЧМ& state, PictureSizes sizes)
    : state_(state), sizes_(std::move(sizes)) {
  load();
}

void AssemblyModel::load() {
  ИмяПрибора = {};
  ИмяПрибора[1] = QStringLiteral("Генератор");
  ИмяПрибора[2] = QStringLiteral("МВ");
  ИмяПрибора[3] = QStringLiteral("НЧОсц");
  ИмяПрибора[4] = QStringLiteral("СпАнализ");
  ИмяПрибора[5] = QStringLiteral("ВЧОсц");

  const std::array<std::pair<const char*, const char*>, kInstruments + 1> looks{{
      {"", ""},
      {"ПГенератор", "Генератор.wmf"},
      {"ЛМВ", "Мв.wmf"},
      {"ЛОсц", "Осцил.wmf"},
      {"ЛСАн", "СпектрАн.wmf"},
      {"ЛОсцВЧ", "ОсцВЧ.wmf"},
  }};
  for (int i = 1; i <= kInstruments; ++i) {
    instruments_[i] = Instrument{0, 0, false, QString::fromUtf8(looks[i].first),
                                 QString::fromUtf8(looks[i].second)};
  }

  // Cable 1 lies on top of its stack, cable 4 on top of the other.
  for (int k = 1; k <= kCables; ++k) {
    const StackPlace& place = k <= 3 ? kInputStack : kOutputStack;
    const int z = 10 - k;
    plugs_[k][1] =
        Plug{place.plug1Left, place.top, kTable, QStringLiteral("10"), freePicture(1), z};
    plugs_[k][2] =
        Plug{place.plug2Left, place.top, kTable, QStringLiteral("20"), freePicture(2), z};
    input_[k] = Terminal{};
    output_[k] = Terminal{};
  }
  topZ_ = 10;
  lines_ = kDesignLines;

  НомКабеля = 1;
  НомШтеккера = 0;
  XМыши = YМыши = XЗахв = YЗахв = XРазъема = YРазъема = 0;
  СторонаПрибора.clear();
  ПриборШтеккера = 0;
  ПриборыВх.clear();
  ПриборыВых.clear();
  СоедПрибора = {};
  СоедЧМ.clear();
  СторонаЧМ = 0;
}

// --- Geometry ---------------------------------------------------------------------------------

QSizeF AssemblyModel::pictureSize(const QString& picture) const {
  return sizes_ ? sizes_(picture) : QSizeF();
}

QRectF AssemblyModel::instrumentRect(int i) const {
  const Instrument& it = instruments_.at(i);
  return {QPointF(it.Left, it.Top), pictureSize(it.Picture)};
}

QRectF AssemblyModel::plugRect(int k, int p) const {
  const Plug& it = plugs_.at(k).at(p);
  return {QPointF(it.Left, it.Top), pictureSize(it.Picture)};
}

QRectF AssemblyModel::plugOnTable(int k, int p) const {
  QRectF rect = plugRect(k, p);
  const int container = plugs_.at(k).at(p).container;
  if (container != kTable) rect.translate(instrumentRect(container).topLeft());
  return rect;
}

QRectF AssemblyModel::modulatorRect() const {
  return {QPointF(kModulatorLeft, kModulatorTop), pictureSize(modulatorPicture())};
}

QString AssemblyModel::ВхКабеля(int k) const {
  // A drag passing over the terminal shows its mark without forgetting the plug connected there,
  // should the drag end elsewhere.
  const Terminal& t = input_.at(k);
  return t.draggedOver ? kInputMark : t.connectedPlug;
}

QString AssemblyModel::ВыхКабеля(int k) const {
  const Terminal& t = output_.at(k);
  return t.draggedOver ? kOutputMark : t.connectedPlug;
}

bool AssemblyModel::handlingPlugs() const { return state_.ВидОбъекта == kCablesKind; }
bool AssemblyModel::handlingInstruments() const { return state_.ВидОбъекта == kInstrumentsKind; }

// --- The form's procedures ----------------------------------------------------------------------

void AssemblyModel::Убрать(QString& list, const QString& entry, bool wholeTokens) {
  if (entry.isEmpty()) return;
  qsizetype at = list.indexOf(entry);
  while (wholeTokens && at >= 0 && at % 2 != 0) at = list.indexOf(entry, at + 1);
  if (at < 0) return;
  list.replace(at, entry.size(), QString(entry.size(), QLatin1Char(' ')));
  list = list.trimmed();
}

void AssemblyModel::ОпрСторону() {
  const int i = state_.НомПрибора;
  СторонаПрибора = onTable(i) ? instruments_[i].Tag.left(1) : QString();
}

void AssemblyModel::Коорд1() { Коорд(1); }
void AssemblyModel::Коорд2() { Коорд(2); }

void AssemblyModel::Коорд(int p) {
  const int k = НомКабеля;
  const int i = state_.НомПрибора;
  if (!isCable(k) || !onTable(i)) return;
  Plug& plug = plugRef(k, p);
  const bool rightSide = СторонаПрибора == kRightSide;
  const QRectF box = instrumentRect(i);
  if (ПриборШтеккера != 0) {
    // Into the instrument: the plug sits in its bottom corner on the side of its sockets.
    plug.Picture =
        rightSide ? QStringLiteral("ВклРазъемЛев.wmf") : QStringLiteral("ВклРазъемПр.wmf");
    const QSizeF size = pictureSize(plug.Picture);
    XРазъема = rightSide ? wholeTwips(box.width() - size.width()) : 0;
    YРазъема = wholeTwips(box.height() - size.height());
  } else {
    // Out of the instrument: the same corner, in the table's coordinates.
    plug.Picture = freePicture(p);
    const QSizeF size = pictureSize(plug.Picture);
    XРазъема =
        rightSide ? wholeTwips(box.left() + box.width() - size.width()) : wholeTwips(box.left());
    YРазъема = wholeTwips(box.top() + box.height() - size.height());
  }
}

void AssemblyModel::ЛинияКабеля() { cableLine(НомКабеля, НомШтеккера); }

void AssemblyModel::cableLine(int k, int p) {
  if (!isPlug(p) || !isCable(k)) return;
  const Plug& plug = plugs_[k][p];
  const QRectF rect = plugOnTable(k, p);
  const int holder = digitOf(plug.Tag, 1);
  double x;
  double y;
  if (holder != 0 && holder == state_.НомПрибора && onTable(holder)) {
    // The line leaves the instrument at the edge where its sockets are.
    const QRectF box = instrumentRect(holder);
    x = СторонаПрибора == kRightSide ? box.left() + box.width() : box.left();
    y = box.top() + box.height() - rect.height() / 2;
  } else {
    x = p == 1 ? rect.left() + rect.width() : rect.left();
    y = rect.top() + rect.height() / 2;
  }
  Line& line = lines_[k];
  if (p == 1) {
    line.X1 = x;
    line.Y1 = y;
  } else {
    line.X2 = x;
    line.Y2 = y;
  }
}

// --- Instruments --------------------------------------------------------------------------------

void AssemblyModel::selectInstrument(ModЧМ& state, int index) {
  state.НомПрибора = static_cast<std::int16_t>(index);
  state.ВидОбъекта = kInstrumentsKind;
}

void AssemblyModel::pointerOverTable(double x, double y) {
  XМыши = wholeTwips(x);
  YМыши = wholeTwips(y);
}

void AssemblyModel::placeInstrument() {
  const int i = state_.НомПрибора;
  if (!onTable(i)) return;
  const QSizeF size = pictureSize(instruments_[i].Picture);
  moveInstrumentTo(i, XМыши - size.width() / 2, YМыши - size.height() / 2);
  instruments_[i].Visible = true;
  // An instrument put somewhere else by a click takes its cable ends along, as a drag does; the
  // last cable it moved becomes the current one.
  if (const auto last = redrawLinesOf(i)) std::tie(НомШтеккера, НомКабеля) = *last;
}

void AssemblyModel::pressInstrument(int i, double x, double y) {
  if (!onTable(i)) return;
  state_.ВидОбъекта = kInstrumentsKind;
  state_.НомПрибора = static_cast<std::int16_t>(i);
  XЗахв = wholeTwips(x);
  YЗахв = wholeTwips(y);
}

void AssemblyModel::moveInstrumentTo(int i, double left, double top) {
  instruments_[i].Left = left;
  instruments_[i].Top = top;
  instruments_[i].z = ++topZ_;  // put down on top of whatever lies there
}

// The plugs move with their instrument; only the ends of their lines have to follow.
std::optional<std::pair<std::int16_t, std::int16_t>> AssemblyModel::redrawLinesOf(int i) {
  ОпрСторону();
  const QString tokens = СоедПрибора[i];
  std::optional<std::pair<std::int16_t, std::int16_t>> last;
  for (qsizetype at = 0; at + 1 < tokens.size(); at += 2) {
    last = {digitOf(tokens, at), digitOf(tokens, at + 1)};
    cableLine(last->second, last->first);  // a blank token gives 0 and 0 and draws nothing
  }
  return last;
}

void AssemblyModel::dropInstrument(double left, double top, bool extraLine) {
  const int i = state_.НомПрибора;
  if (!onTable(i)) return;
  moveInstrumentTo(i, left, top);
  // The last cable it moved becomes the current one, and a drop on the table moves that end again.
  if (const auto last = redrawLinesOf(i)) std::tie(НомШтеккера, НомКабеля) = *last;
  if (extraLine && !СоедПрибора[i].isEmpty()) ЛинияКабеля();
}

// --- Plugs --------------------------------------------------------------------------------------

void AssemblyModel::pressPlug(int k, int p, double x, double y) {
  if (!isCable(k) || !isPlug(p)) return;
  state_.ВидОбъекта = kCablesKind;
  НомШтеккера = static_cast<std::int16_t>(p);
  НомКабеля = static_cast<std::int16_t>(k);
  Plug& plug = plugRef(k, p);

  // Off the modulator. The record names only the plug put there last, but both plugs of one
  // cable can sit at one terminal: the plug pressed leaves whether the record names it or not,
  // so that the marks and every plug's picture follow what is really plugged in, and the record
  // then names the other plug if that one is still there.
  const auto release = [&](Terminal& terminal, const QString& mark) {
    if (!terminal.holds[p]) return;
    terminal.holds[p] = false;
    const int other = 3 - p;
    terminal.connectedPlug =
        terminal.holds[other] ? QString::number(k) + mark + QString::number(other) : QString();
    terminal.draggedOver = true;  // the plug taken off is still over its terminal
    plug.Picture = freePicture(p);
    Убрать(СоедЧМ, mark);
  };
  release(input_[k], kInputMark);
  release(output_[k], kOutputMark);

  // Out of an instrument: the plug stays where it was seen, now lying on the table.
  ПриборШтеккера = digitOf(plug.Tag, 1);
  if (ПриборШтеккера != 0 && onTable(ПриборШтеккера)) {
    const int i = ПриборШтеккера;
    ПриборШтеккера = 0;
    state_.НомПрибора = static_cast<std::int16_t>(i);
    ОпрСторону();
    Коорд(p);
    plug.Left = XРазъема;
    plug.Top = YРазъема;
    plug.container = kTable;
    bringToFront(plug);
    plug.Tag = QString::number(p) + QLatin1Char('0');
    Убрать(instrumentList(i), ИмяПрибора[i]);
    Убрать(СоедПрибора[i], QString::number(p) + QString::number(k), true);
  }

  XЗахв = wholeTwips(x);
  YЗахв = wholeTwips(y);
}

DragFeedback AssemblyModel::dragOverInstrument(int i, double x, double y) {
  XМыши = wholeTwips(x);
  YМыши = wholeTwips(y);
  // An instrument dragged over another one leaves the current instrument as it is.
  if (!handlingPlugs() || !onTable(i)) return DragFeedback::Silent;
  state_.НомПрибора = static_cast<std::int16_t>(i);
  ОпрСторону();
  return DragFeedback::Beep;
}

DragFeedback AssemblyModel::dragOverModulator(double /*x*/, double y) {
  const int k = НомКабеля;
  if (!handlingPlugs() || !isCable(k)) return DragFeedback::Silent;
  const float half = static_cast<float>(modulatorRect().height() / 2);
  if (half <= y) {  // the lower half, the middle line included: the input
    СторонаЧМ = 1;
    output_[k].draggedOver = false;
    input_[k].draggedOver = true;
  } else {
    СторонаЧМ = 2;
    input_[k].draggedOver = false;
    output_[k].draggedOver = true;
  }
  return DragFeedback::Beep;
}

void AssemblyModel::dragOverPlug(double x, double y) {
  XМыши = wholeTwips(x);
  YМыши = wholeTwips(y);
}

void AssemblyModel::dropOnInstrument(int i) {
  if (!onTable(i)) return;
  if (handlingPlugs()) {
    dropPlugOnInstrument(i);
  } else if (handlingInstruments()) {
    // Dropped on itself after a short move, or on another instrument: the dragged one goes
    // where the pointer puts it.
    const QRectF target = instrumentRect(i);
    dropInstrument(target.left() - XЗахв + XМыши, target.top() - YЗахв + YМыши, true);
  }
}

void AssemblyModel::dropPlugOnInstrument(int i) {
  const int k = НомКабеля;
  const int p = НомШтеккера;
  if (!isCable(k) || !isPlug(p)) return;
  // The drag-over event has made the instrument under the pointer current.
  state_.НомПрибора = static_cast<std::int16_t>(i);
  ОпрСторону();
  // A cable never connects an instrument to itself.
  if (digitOf(plugs_[k][3 - p].Tag, 1) == i) return;

  Plug& plug = plugRef(k, p);
  plug.container = i;
  bringToFront(plug);
  plug.Tag = QString::number(p) + QString::number(i);
  ПриборШтеккера = static_cast<std::int16_t>(i);
  СоедПрибора[i] += QString::number(p) + QString::number(k);
  instrumentList(i) += ИмяПрибора[i];
  Коорд(p);
  plug.Left = XРазъема;
  plug.Top = YРазъема;
  if (!СоедПрибора[i].isEmpty()) ЛинияКабеля();
}

void AssemblyModel::dropOnModulator() {
  if (handlingPlugs()) dropPlugOnModulator();
}

void AssemblyModel::dropPlugOnModulator() {
  const int k = НомКабеля;
  const int p = НомШтеккера;
  if (!isCable(k) || !isPlug(p)) return;
  СоедЧМ += СторонаЧМ == 1 ? ВхКабеля(k) : ВыхКабеля(k);
  const QRectF m = modulatorRect();
  Plug& plug = plugRef(k, p);
  if (ВхКабеля(k) == kInputMark) {  // bottom-left corner
    plug.Picture = QStringLiteral("ВхРазъем.wmf");
    plug.Left = m.left();
    plug.Top = m.top() + m.height() - pictureSize(plug.Picture).height();
    bringToFront(plug);
    input_[k].connectedPlug = QString::number(k) + kInputMark + QString::number(p);
    input_[k].holds[p] = true;
    input_[k].draggedOver = false;
  }
  if (ВыхКабеля(k) == kOutputMark) {  // top-right corner
    plug.Picture = QStringLiteral("ВыхРазъем.wmf");
    plug.Left = m.left() + m.width() - pictureSize(plug.Picture).width();
    plug.Top = m.top();
    bringToFront(plug);
    output_[k].connectedPlug = QString::number(k) + kOutputMark + QString::number(p);
    output_[k].holds[p] = true;
    output_[k].draggedOver = false;
  }
  ЛинияКабеля();
}

void AssemblyModel::dropOnTable(double x, double y) {
  if (handlingInstruments()) {
    dropInstrument(x - XЗахв, y - YЗахв, false);
  } else if (handlingPlugs()) {
    const int k = НомКабеля;
    if (!isCable(k)) return;
    Plug& plug = plugRef(k, НомШтеккера == 1 ? 1 : 2);
    plug.Left = x - XЗахв;
    plug.Top = y - YЗахв;
    ЛинияКабеля();
  }
}

void AssemblyModel::dropOnPlug(int k, int p) {
  if (!isCable(k) || !isPlug(p)) return;
  // Dropped on itself after a short move, or on another plug: the dragged item goes where the
  // pointer puts it.
  const QRectF target = plugOnTable(k, p);
  const double left = target.left() - XЗахв + XМыши;
  const double top = target.top() - YЗахв + YМыши;
  if (handlingInstruments()) {
    dropInstrument(left, top, false);
  } else if (handlingPlugs() && isCable(НомКабеля)) {
    Plug& dragged = plugRef(НомКабеля, НомШтеккера == 1 ? 1 : 2);
    dragged.Left = left;
    dragged.Top = top;
    ЛинияКабеля();
  }
}

AssemblyCheck AssemblyModel::checkAssembly() const {
  for (int i = 1; i <= kInstruments; ++i) {
    const QString& list = i <= 3 ? ПриборыВх : ПриборыВых;
    if (!list.contains(ИмяПрибора[i])) return AssemblyCheck::Incomplete;
  }
  if (СоедЧМ.contains(kInputMark) && СоедЧМ.contains(kOutputMark)) return AssemblyCheck::Complete;
  return AssemblyCheck::Incomplete;
}
