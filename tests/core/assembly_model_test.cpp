#include "assembly/assembly_model.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "app/work_state.h"

// QString in the failure messages as text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

namespace {

// Picture sizes in twips. The pictures of a plugged plug are smaller than those of a free one,
// so a position computed from the size of the wrong picture shows.
QSizeF sizeOf(const QString& picture) {
  static const std::pair<const char*, QSizeF> kSizes[] = {
      {"Генератор.wmf", {1650, 690}},   {"Мв.wmf", {1425, 450}},
      {"Осцил.wmf", {1665, 780}},       {"СпектрАн.wmf", {1845, 795}},
      {"ОсцВЧ.wmf", {1830, 1095}},      {"ЧМ.wmf", {855, 1965}},
      {"РазъемЛев.wmf", {555, 240}},    {"РазъемПр.wmf", {555, 240}},
      {"ВклРазъемЛев.wmf", {450, 210}}, {"ВклРазъемПр.wmf", {450, 210}},
      {"ВхРазъем.wmf", {405, 226}},     {"ВыхРазъем.wmf", {405, 226}}};
  for (const auto& [name, size] : kSizes)
    if (picture == QString::fromUtf8(name)) return size;
  return {};
}

class AssemblyModelTest : public ::testing::Test {
 public:
  // Palette icon i, then a click on the table with the pointer at (x, y).
  void place(int i, double x, double y) {
    model.selectInstrument(i);
    model.pointerOverTable(x, y);
    model.placeInstrument();
  }
  void plugInto(int k, int p, int i) {
    model.pressPlug(k, p, 10, 10);
    EXPECT_EQ(model.dragOverInstrument(i, 300, 100), DragFeedback::Beep);
    model.dropOnInstrument(i);
  }
  // y: the pointer's height in the modulator (1965 twips high; the label ЧМ at 982.5).
  void plugToModulator(int k, int p, double y) {
    model.pressPlug(k, p, 10, 10);
    EXPECT_EQ(model.dragOverModulator(100, y), DragFeedback::Beep);
    model.dropOnModulator();
  }
  void plugToInput(int k, int p) { plugToModulator(k, p, 1500); }
  void plugToOutput(int k, int p) { plugToModulator(k, p, 300); }
  void placeAll() {
    for (const auto& [i, x, y] : {std::tuple{1, 1500, 600},
                                  {2, 1500, 1500},
                                  {3, 1500, 2600},
                                  {4, 8500, 700},
                                  {5, 8500, 2200}})
      place(i, x, y);
  }
  // "tag container picture left,top width x height"
  QString plug(int k, int p) const {
    const QRectF r = model.plugRect(k, p);
    const auto n = [](double v) { return QString::number(v); };
    return model.plug(k, p).Tag + u' ' + n(model.plug(k, p).container) + u' ' +
           model.plug(k, p).Picture + u' ' + n(r.x()) + u',' + n(r.y()) + u' ' + n(r.width()) +
           u'x' + n(r.height());
  }
  // "x1,y1 x2,y2"
  QString line(int k) const {
    const AssemblyModel::Line& l = model.Кабель(k);
    return QStringLiteral("%1,%2 %3,%4").arg(l.X1).arg(l.Y1).arg(l.X2).arg(l.Y2);
  }
  // The lists: the tokens of instruments 1..5 | input instruments | output instruments |
  // terminal marks.
  QString lists() const {
    QStringList tokens;
    for (int i = 1; i <= 5; ++i) tokens << model.СоедПрибора[i];
    return tokens.join(u'/') + u'|' + model.ПриборыВх + u'|' + model.ПриборыВых + u'|' +
           model.СоедЧМ;
  }

  ModЧМ state;
  AssemblyModel model{state, sizeOf};
};

TEST_F(AssemblyModelTest, CableOneFromTheGeneratorToTheInput) {
  EXPECT_EQ(plug(4, 2), "20 0 РазъемПр.wmf 8940,4035 555x240");  // in its stack
  EXPECT_EQ(model.Кабель(2).X2, 2385);
  place(1, 2000, 1000);  // the generator's left top is then 1175, 655
  plugInto(1, 1, 1);
  plugToInput(1, 2);
  // The generator's side is "П": the plug sits in its bottom right corner.
  EXPECT_EQ(plug(1, 1), "11 1 ВклРазъемЛев.wmf 1200,480 450x210");
  EXPECT_EQ(plug(1, 2), "20 0 ВхРазъем.wmf 5640,2549 405x226");
  EXPECT_EQ(lists(), "11////|Генератор||Вхд");
  EXPECT_EQ(model.ВхКабеля(1), "1Вхд2");
  EXPECT_EQ(model.СторонаЧМ, 1);
  // From the generator's right edge to the left edge of plug 2 in the modulator's corner.
  EXPECT_EQ(line(1), "2825,1240 5640,2662");
}

// The check: every instrument holds a plug, and the modulator has a plug at each terminal.
// Which instrument goes to which terminal is not compared.
TEST_F(AssemblyModelTest, TheCheckAnswersAsTheCircuitStands) {
  constexpr int kInput = -1, kOutput = -2, kOff = 0;
  struct Wire {
    int k, p, to;  // plug p of cable k into instrument `to`, to a terminal, or off onto the table
  };
  const std::vector<Wire> each{{1, 1, 1}, {2, 1, 2}, {3, 1, 3}, {4, 1, 4}, {5, 1, 5}};
  const auto eachAnd = [&](std::vector<Wire> more) {
    more.insert(more.begin(), each.begin(), each.end());
    return more;
  };
  const std::tuple<const char*, std::vector<Wire>, AssemblyCheck> rows[] = {
      {"nothing wired", {}, AssemblyCheck::Incomplete},
      {"input only", eachAnd({{1, 2, kInput}}), AssemblyCheck::Incomplete},
      {"input and output", eachAnd({{1, 2, kInput}, {4, 2, kOutput}}), AssemblyCheck::Complete},
      {"output pulled off again", eachAnd({{1, 2, kInput}, {4, 2, kOutput}, {4, 2, kOff}}),
       AssemblyCheck::Incomplete},
      {"plug pulled from an instrument", eachAnd({{1, 2, kInput}, {4, 2, kOutput}, {3, 1, kOff}}),
       AssemblyCheck::Incomplete},
      {"plug put back", eachAnd({{1, 2, kInput}, {4, 2, kOutput}, {3, 1, kOff}, {3, 1, 3}}),
       AssemblyCheck::Complete},
      {"one instrument without a plug",
       {{1, 1, 1}, {2, 1, 2}, {3, 1, 3}, {4, 1, 4}, {1, 2, kInput}, {5, 2, kOutput}},
       AssemblyCheck::Incomplete},
      {"wrong wiring passes",
       {{1, 1, 1}, {1, 2, kOutput}, {2, 1, 4}, {2, 2, kInput}, {3, 1, 2}, {4, 1, 3}, {5, 1, 5}},
       AssemblyCheck::Complete}};
  for (const auto& [name, wiring, expected] : rows) {
    SCOPED_TRACE(name);
    state = ModЧМ();
    model.load();  // the screen as it is loaded
    placeAll();
    for (const Wire& w : wiring) {
      if (w.to > 0) plugInto(w.k, w.p, w.to);
      if (w.to == kInput) plugToInput(w.k, w.p);
      if (w.to == kOutput) plugToOutput(w.k, w.p);
      if (w.to == kOff) model.pressPlug(w.k, w.p, 5, 5), model.dropOnTable(3000, 3000);
    }
    EXPECT_EQ(model.checkAssembly(), expected);
  }
}

// Which half of the modulator the pointer is over, by its height in the modulator; the mark
// pending in one half goes when the pointer moves on to the other.
TEST_F(AssemblyModelTest, TheMiddleLineOfTheModulatorBelongsToTheInput) {
  const std::tuple<double, int, const char*> rows[] = {
      {1965, 1, "Вхд|"}, {982.5, 1, "Вхд|"}, {982.49, 2, "|Вых"}, {0, 2, "|Вых"}};
  model.pressPlug(2, 1, 10, 10);
  for (const auto& [y, side, marks] : rows) {
    model.dragOverModulator(100, y);
    EXPECT_EQ(model.СторонаЧМ, side) << y;
    EXPECT_EQ(model.ВхКабеля(2) + u'|' + model.ВыхКабеля(2), marks) << y;
  }
  model.dropOnModulator();
  EXPECT_EQ(model.ВхКабеля(2) + u'|' + model.ВыхКабеля(2) + u'|' + model.СоедЧМ, "|2Вых1|Вых");
  EXPECT_EQ(plug(2, 1), "10 0 ВыхРазъем.wmf 6090,810 405x226");
}

TEST_F(AssemblyModelTest, ACableNeverConnectsAnInstrumentToItself) {
  place(2, 3000, 1000);
  plugInto(3, 1, 2);
  const QString lineBefore = line(3);
  model.pressPlug(3, 2, 20, 30);
  model.dragOverInstrument(2, 400, 100);
  model.dropOnInstrument(2);
  EXPECT_EQ(plug(3, 2), "20 0 РазъемПр.wmf 2430,4035 555x240");
  EXPECT_EQ(lists(), "/13///|МВ||");
  EXPECT_EQ(line(3).section(u' ', 1), lineBefore.section(u' ', 1));
}

TEST_F(AssemblyModelTest, APlugPulledOutLiesOnTheSameSpotAndItsLineFollowsAtTheDrop) {
  place(1, 2000, 1000);  // side "П": the plug sits at the right edge
  place(3, 6000, 3000);  // side "Л": at the left edge
  plugInto(1, 1, 1);
  plugInto(2, 2, 3);
  const QString line1 = line(1);
  model.pressPlug(1, 1, 10, 10);
  // The right and bottom edges stay where the plugged plug had them; no redraw on the press.
  EXPECT_EQ(plug(1, 1), "10 0 РазъемЛев.wmf 2270,1105 555x240");
  EXPECT_EQ(lists(), "//22//|НЧОсц||");
  EXPECT_EQ(line(1), line1);
  model.dragOverPlug(10, 10);
  model.dropOnPlug(1, 1);  // released without moving: dropped on itself
  EXPECT_EQ(plug(1, 1), "10 0 РазъемЛев.wmf 2270,1105 555x240");
  EXPECT_EQ(line(1).section(u' ', 0, 0), "2825,1225");
  // XРазъема is a whole number of twips: 5167.5 rounds to the even 5168.
  model.pressPlug(2, 2, 10, 10);
  EXPECT_EQ(plug(2, 2), "20 0 РазъемПр.wmf 5168,3150 555x240");
  EXPECT_EQ(lists(), "////|||");
}

TEST_F(AssemblyModelTest, MovingAnInstrumentRedrawsEveryPlugLinePastABlankToken) {
  place(2, 3000, 1000);  // left top 2287.5, 775
  plugInto(1, 1, 2);
  plugInto(2, 1, 2);
  plugInto(3, 1, 2);
  model.pressPlug(2, 1, 10, 10);  // the middle token leaves two blanks
  model.dropOnTable(500, 500);
  ASSERT_EQ(lists(), "/11  13///|МВМВ||");  // one МВ per plug
  const QString line2 = line(2);
  model.pressInstrument(2, 100, 50);
  model.dragOverInstrument(4, 10, 10);  // passing over another instrument
  model.dropOnTable(5100, 2050);
  EXPECT_EQ(model.instrumentRect(2).topLeft(), QPointF(5000, 2000));
  EXPECT_EQ(model.plug(1, 1).container, 2);  // the plugs went with it
  EXPECT_EQ(line(1).section(u' ', 0, 0), "5000,2345");
  EXPECT_EQ(line(3).section(u' ', 0, 0), "5000,2345");
  EXPECT_EQ(line(2), line2);
}

TEST_F(AssemblyModelTest, BothPlugsOfOneCableAtTheInputRecordOnlyTheLast) {
  plugToInput(1, 1);
  plugToInput(1, 2);
  EXPECT_EQ(model.ВхКабеля(1) + u'|' + model.СоедЧМ, "1Вхд2|ВхдВхд");
  model.pressPlug(1, 1, 10, 10);
  EXPECT_EQ(model.plug(1, 1).Picture + u'|' + model.СоедЧМ, "ВхРазъем.wmf|ВхдВхд");
  model.pressPlug(1, 2, 10, 10);
  EXPECT_EQ(model.plug(1, 2).Picture + u'|' + model.СоедЧМ, "РазъемПр.wmf|Вхд");
  EXPECT_EQ(model.ВхКабеля(1), "Вхд");
}

TEST_F(AssemblyModelTest, ADragPassingOverTheInputDoesNotForgetThePlugThere) {
  plugToInput(1, 1);
  model.pressPlug(1, 2, 10, 10);
  model.dragOverModulator(100, 1500);  // the other plug passes over the input...
  model.dropOnTable(3000, 3000);       // ...and is put down elsewhere
  EXPECT_EQ(model.ВхКабеля(1), "Вхд");
  model.pressPlug(1, 1, 10, 10);  // the plug at the input still comes off it
  EXPECT_EQ(model.plug(1, 1).Picture + u'|' + model.СоедЧМ, "РазъемЛев.wmf|");
}

TEST_F(AssemblyModelTest, OnlyInstrumentsWithATablePictureArePlaced) {
  for (int chosen : {0, 6}) {
    if (chosen) model.selectInstrument(chosen);
    model.pointerOverTable(4000, 2000);
    model.placeInstrument();
    for (int i = 1; i <= 5; ++i) EXPECT_FALSE(model.instrument(i).Visible) << chosen;
  }
  EXPECT_EQ(state.НомПрибора, 6);
  EXPECT_EQ(state.ВидОбъекта, "Приборы");
  place(5, 4000, 2000);
  EXPECT_TRUE(model.instrument(5).Visible);
  EXPECT_EQ(model.instrumentRect(5), QRectF(4000 - 915, 2000 - 547.5, 1830, 1095));
}

TEST_F(AssemblyModelTest, ADropOnAnotherItemPutsTheDraggedOneUnderThePointer) {
  place(1, 2000, 1000);  // 1175, 655
  place(2, 6000, 1000);  // 5287.5, 775
  model.pressInstrument(1, 200, 100);
  EXPECT_EQ(model.dragOverInstrument(2, 300, 40), DragFeedback::Silent);
  EXPECT_EQ(state.НомПрибора, 1);  // passing over the millivoltmeter did not make it current
  model.dropOnInstrument(2);
  EXPECT_EQ(model.instrumentRect(1).topLeft(), QPointF(5287.5 - 200 + 300, 775 - 100 + 40));
  EXPECT_EQ(model.instrumentRect(2).topLeft(), QPointF(5287.5, 775));
  model.pressPlug(2, 1, 30, 20);
  model.dragOverPlug(50, 60);
  model.dropOnPlug(3, 1);  // a plug of the same stack
  EXPECT_EQ(plug(2, 1), "10 0 РазъемЛев.wmf 305,4075 555x240");
  EXPECT_EQ(plug(3, 1), "10 0 РазъемЛев.wmf 285,4035 555x240");
  EXPECT_EQ(line(2).section(u',', 0, 0), "860");
}

TEST_F(AssemblyModelTest, PlacingAgainByAClickTakesTheCableEndsAlong) {
  place(3, 3000, 1000);
  plugInto(4, 1, 3);
  place(3, 7000, 2000);
  EXPECT_EQ(line(4).section(u' ', 0, 0), "6167.5,2285");
}

TEST_F(AssemblyModelTest, PointerPositionsRoundHalvesToEven) {
  for (const auto& [value, rounded] :
       {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {40000.4, 40000}}) {
    model.pointerOverTable(value, value);
    model.pressInstrument(1, value, value);
    EXPECT_EQ(model.XМыши, rounded) << value;
    EXPECT_EQ(model.YЗахв, rounded) << value;
  }
}

// Убрать: one occurrence goes, its blanks stay in the middle, the ends are trimmed.
TEST(AssemblyModel, УбратьLeavesBlanksOnlyInTheMiddle) {
  const std::tuple<const char*, const char*, bool, const char*> rows[] = {
      {"111213", "12", true, "11  13"},
      {"111213", "11", true, "1213"},
      {"11  13", "13", true, "11"},
      {"212512", "12", true, "2125"},  // "12" at character 2 is no token
      {"ГенераторМВНЧОсц", "МВ", false, "Генератор  НЧОсц"},
      {"ГенераторГенератор", "Генератор", false, "Генератор"},
      {"ВхдВыхВхд", "Вхд", false, "ВыхВхд"},
      {"Вых", "Вхд", false, "Вых"}};
  for (const auto& [before, entry, tokens, after] : rows) {
    QString list = QString::fromUtf8(before);
    AssemblyModel::Убрать(list, QString::fromUtf8(entry), tokens);
    EXPECT_EQ(list, QString::fromUtf8(after)) << before << " - " << entry;
  }
}

}  // namespace
