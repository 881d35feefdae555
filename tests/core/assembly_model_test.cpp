#include "assembly/assembly_model.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "app/work_state.h"

namespace {

// Picture sizes in twips. The pictures of a plugged plug are smaller than those of a free one,
// so a position computed from the size of the wrong picture shows.
const std::map<QString, QSizeF> kSizes{
    {QStringLiteral("Генератор.wmf"), {1650, 690}},
    {QStringLiteral("Мв.wmf"), {1425, 450}},
    {QStringLiteral("Осцил.wmf"), {1665, 780}},
    {QStringLiteral("СпектрАн.wmf"), {1845, 795}},
    {QStringLiteral("ОсцВЧ.wmf"), {1830, 1095}},
    {QStringLiteral("ЧМ.wmf"), {855, 1965}},
    {QStringLiteral("РазъемЛев.wmf"), {555, 240}},
    {QStringLiteral("РазъемПр.wmf"), {555, 240}},
    {QStringLiteral("ВклРазъемЛев.wmf"), {450, 210}},
    {QStringLiteral("ВклРазъемПр.wmf"), {450, 210}},
    {QStringLiteral("ВхРазъем.wmf"), {405, 226}},
    {QStringLiteral("ВыхРазъем.wmf"), {405, 226}},
};

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
    place(1, 1500, 600);
    place(2, 1500, 1500);
    place(3, 1500, 2600);
    place(4, 8500, 700);
    place(5, 8500, 2200);
  }

  ModЧМ state;
  AssemblyModel model{state, [](const QString& name) {
                        const auto it = kSizes.find(name);
                        return it == kSizes.end() ? QSizeF() : it->second;
                      }};
};

TEST_F(AssemblyModelTest, AFreePlugLiesInItsStackAndItsLineStartsThere) {
  EXPECT_EQ(model.plug(4, 2).Tag, QStringLiteral("20"));
  EXPECT_EQ(model.plugRect(4, 2), QRectF(8940, 4035, 555, 240));
  EXPECT_EQ(model.Кабель(2).X2, 2385);
}

TEST_F(AssemblyModelTest, CableOneFromTheGeneratorToTheInput) {
  place(1, 2000, 1000);  // the generator's left top is then 1175, 655
  plugInto(1, 1, 1);
  plugToInput(1, 2);

  const auto& plug1 = model.plug(1, 1);
  const auto& plug2 = model.plug(1, 2);
  EXPECT_EQ(plug1.Tag, QStringLiteral("11"));
  EXPECT_EQ(plug2.Tag, QStringLiteral("20"));
  EXPECT_EQ(plug1.container, 1);
  EXPECT_EQ(plug2.container, AssemblyModel::kTable);
  EXPECT_EQ(plug1.Picture, QStringLiteral("ВклРазъемЛев.wmf"));  // the generator's side is "П"
  EXPECT_EQ(model.plugRect(1, 1), QRectF(1650 - 450, 690 - 210, 450, 210));
  EXPECT_EQ(plug2.Picture, QStringLiteral("ВхРазъем.wmf"));
  EXPECT_EQ(model.plugRect(1, 2), QRectF(5640, 810 + 1965 - 226, 405, 226));

  EXPECT_EQ(model.СоедПрибора[1], QStringLiteral("11"));
  EXPECT_EQ(model.ПриборыВх, QStringLiteral("Генератор"));
  EXPECT_EQ(model.ВхКабеля(1), QStringLiteral("1Вхд2"));
  EXPECT_EQ(model.СоедЧМ, QStringLiteral("Вхд"));
  EXPECT_EQ(model.СторонаЧМ, 1);

  // From the generator's right edge to the left edge of plug 2 in the modulator's corner.
  const auto& line = model.Кабель(1);
  EXPECT_DOUBLE_EQ(line.X1, 1175 + 1650);
  EXPECT_DOUBLE_EQ(line.Y1, 655 + 690 - 210 / 2.0);
  EXPECT_DOUBLE_EQ(line.X2, 5640);
  EXPECT_DOUBLE_EQ(line.Y2, 2775 - 226 + 113);
}

// The check: every instrument holds a plug, and the modulator has a plug at each terminal.
constexpr int kInput = -1, kOutput = -2, kOff = 0;
struct Wire {
  int k, p,
      to;  // plug p of cable k goes into instrument `to`, to a terminal, or off onto the table
};
struct CheckCase {
  const char* name;
  std::vector<Wire> wiring;  // after all five instruments are placed
  AssemblyCheck expected;
};

class AssemblyCheckTest : public AssemblyModelTest,
                          public ::testing::WithParamInterface<CheckCase> {};

TEST_P(AssemblyCheckTest, AnswersAsTheCircuitStands) {
  placeAll();
  for (const Wire& w : GetParam().wiring) {
    if (w.to > 0) plugInto(w.k, w.p, w.to);
    if (w.to == kInput) plugToInput(w.k, w.p);
    if (w.to == kOutput) plugToOutput(w.k, w.p);
    if (w.to == kOff) {
      model.pressPlug(w.k, w.p, 5, 5);
      model.dropOnTable(3000, 3000);
    }
  }
  EXPECT_EQ(model.checkAssembly(), GetParam().expected);
}

const std::vector<Wire> kOneInEach{{1, 1, 1}, {2, 1, 2}, {3, 1, 3}, {4, 1, 4}, {5, 1, 5}};
std::vector<Wire> oneInEachAnd(std::vector<Wire> more) {
  more.insert(more.begin(), kOneInEach.begin(), kOneInEach.end());
  return more;
}

INSTANTIATE_TEST_SUITE_P(
    Circuits, AssemblyCheckTest,
    ::testing::Values(
        CheckCase{"NothingWired", {}, AssemblyCheck::Incomplete},
        CheckCase{"InputOnly", oneInEachAnd({{1, 2, kInput}}), AssemblyCheck::Incomplete},
        CheckCase{"InputAndOutput", oneInEachAnd({{1, 2, kInput}, {4, 2, kOutput}}),
                  AssemblyCheck::Complete},
        CheckCase{"OutputPulledOffAgain",
                  oneInEachAnd({{1, 2, kInput}, {4, 2, kOutput}, {4, 2, kOff}}),
                  AssemblyCheck::Incomplete},
        CheckCase{"PlugPulledFromAnInstrument",
                  oneInEachAnd({{1, 2, kInput}, {4, 2, kOutput}, {3, 1, kOff}}),
                  AssemblyCheck::Incomplete},
        CheckCase{"PlugPutBack",
                  oneInEachAnd({{1, 2, kInput}, {4, 2, kOutput}, {3, 1, kOff}, {3, 1, 3}}),
                  AssemblyCheck::Complete},
        CheckCase{"OneInstrumentWithoutAPlug",
                  {{1, 1, 1}, {2, 1, 2}, {3, 1, 3}, {4, 1, 4}, {1, 2, kInput}, {5, 2, kOutput}},
                  AssemblyCheck::Incomplete},
        // Which instrument goes to which terminal is not compared.
        CheckCase{"WrongWiringPasses",
                  {{1, 1, 1},
                   {1, 2, kOutput},
                   {2, 1, 4},
                   {2, 2, kInput},
                   {3, 1, 2},
                   {4, 1, 3},
                   {5, 1, 5}},
                  AssemblyCheck::Complete}),
    [](const auto& info) { return std::string(info.param.name); });

// Which half of the modulator the pointer is over, by its height in the modulator.
struct SideCase {
  double y;
  int side;
  const char* input;
  const char* output;
};

class ModulatorHalfTest : public AssemblyModelTest,
                          public ::testing::WithParamInterface<SideCase> {};

TEST_P(ModulatorHalfTest, TheMiddleLineBelongsToTheInput) {
  model.pressPlug(2, 1, 10, 10);
  model.dragOverModulator(100, GetParam().y);
  EXPECT_EQ(model.СторонаЧМ, GetParam().side);
  EXPECT_EQ(model.ВхКабеля(2), QString::fromUtf8(GetParam().input));
  EXPECT_EQ(model.ВыхКабеля(2), QString::fromUtf8(GetParam().output));
}

INSTANTIATE_TEST_SUITE_P(Heights, ModulatorHalfTest,
                         ::testing::Values(SideCase{0, 2, "", "Вых"}, SideCase{982, 2, "", "Вых"},
                                           SideCase{982.49, 2, "", "Вых"},
                                           SideCase{982.5, 1, "Вхд", ""},
                                           SideCase{1965, 1, "Вхд", ""}));

TEST_F(AssemblyModelTest, PendingMarkGoesWhenThePlugMovesToTheOtherHalf) {
  model.pressPlug(2, 1, 10, 10);
  model.dragOverModulator(100, 1500);
  model.dragOverModulator(100, 300);
  model.dropOnModulator();
  EXPECT_EQ(model.ВхКабеля(2), QString());
  EXPECT_EQ(model.ВыхКабеля(2), QStringLiteral("2Вых1"));
  EXPECT_EQ(model.СоедЧМ, QStringLiteral("Вых"));
  EXPECT_EQ(model.plugRect(2, 1), QRectF(5640 + 855 - 405, 810, 405, 226));
}

TEST_F(AssemblyModelTest, ACableNeverConnectsAnInstrumentToItself) {
  place(2, 3000, 1000);
  plugInto(3, 1, 2);
  const AssemblyModel::Line lineBefore = model.Кабель(3);
  model.pressPlug(3, 2, 20, 30);
  model.dragOverInstrument(2, 400, 100);
  model.dropOnInstrument(2);
  EXPECT_EQ(model.plug(3, 2).Tag, QStringLiteral("20"));
  EXPECT_EQ(model.plug(3, 2).container, AssemblyModel::kTable);
  EXPECT_EQ(model.plugRect(3, 2).topLeft(), QPointF(2430, 4035));
  EXPECT_EQ(model.СоедПрибора[2], QStringLiteral("13"));
  EXPECT_EQ(model.ПриборыВх, QStringLiteral("МВ"));
  EXPECT_EQ(model.Кабель(3).X2, lineBefore.X2);
  EXPECT_EQ(model.Кабель(3).Y2, lineBefore.Y2);
}

TEST_F(AssemblyModelTest, APlugPulledOutLiesOnTheSameSpotAndItsLineFollowsAtTheDrop) {
  place(1, 2000, 1000);  // side "П": the plug sits at the right edge
  place(3, 6000, 3000);  // side "Л": at the left edge
  plugInto(1, 1, 1);
  plugInto(2, 2, 3);
  const AssemblyModel::Line line1 = model.Кабель(1);

  model.pressPlug(1, 1, 10, 10);
  EXPECT_EQ(model.plug(1, 1).Tag, QStringLiteral("10"));
  EXPECT_EQ(model.plug(1, 1).container, AssemblyModel::kTable);
  EXPECT_EQ(model.plug(1, 1).Picture, QStringLiteral("РазъемЛев.wmf"));
  // The right and bottom edges stay where the plugged plug had them.
  EXPECT_EQ(model.plugRect(1, 1), QRectF(1175 + 1650 - 555, 655 + 690 - 240, 555, 240));
  EXPECT_EQ(model.СоедПрибора[1], QString());
  EXPECT_EQ(model.ПриборыВх, QStringLiteral("НЧОсц"));
  EXPECT_EQ(model.Кабель(1).X1, line1.X1);  // not redrawn on the press

  model.dragOverPlug(10, 10);
  model.dropOnPlug(1, 1);  // released without moving: dropped on itself
  EXPECT_EQ(model.plugRect(1, 1).topLeft(), QPointF(2270, 1105));
  EXPECT_DOUBLE_EQ(model.Кабель(1).X1, 2270 + 555);
  EXPECT_DOUBLE_EQ(model.Кабель(1).Y1, 1105 + 120);

  model.pressPlug(2, 2, 10, 10);
  // XРазъема is a whole number of twips: 5167.5 rounds to the even 5168.
  EXPECT_EQ(model.plugRect(2, 2), QRectF(5168, 3000 - 390 + 780 - 240, 555, 240));
  EXPECT_EQ(model.plug(2, 2).Tag, QStringLiteral("20"));
  EXPECT_EQ(model.ПриборыВх, QString());
}

TEST_F(AssemblyModelTest, MovingAnInstrumentRedrawsEveryPlugLinePastABlankToken) {
  place(2, 3000, 1000);  // left top 2287.5, 775
  plugInto(1, 1, 2);
  plugInto(2, 1, 2);
  plugInto(3, 1, 2);
  model.pressPlug(2, 1, 10, 10);  // the middle token leaves two blanks
  model.dropOnTable(500, 500);
  ASSERT_EQ(model.СоедПрибора[2], QStringLiteral("11  13"));
  const AssemblyModel::Line line2 = model.Кабель(2);

  model.pressInstrument(2, 100, 50);
  model.dragOverInstrument(4, 10, 10);  // passing over another instrument
  model.dropOnTable(5100, 2050);
  EXPECT_EQ(model.instrumentRect(2).topLeft(), QPointF(5000, 2000));
  EXPECT_EQ(model.plug(1, 1).container, 2);  // the plugs went with it
  for (int k : {1, 3}) {
    EXPECT_DOUBLE_EQ(model.Кабель(k).X1, 5000) << k;
    EXPECT_DOUBLE_EQ(model.Кабель(k).Y1, 2000 + 450 - 105) << k;
  }
  EXPECT_EQ(model.Кабель(2).X1, line2.X1);
  EXPECT_EQ(model.Кабель(2).Y1, line2.Y1);
}

TEST_F(AssemblyModelTest, BothPlugsOfOneCableAtTheInputRecordOnlyTheLast) {
  plugToInput(1, 1);
  plugToInput(1, 2);
  EXPECT_EQ(model.ВхКабеля(1), QStringLiteral("1Вхд2"));
  EXPECT_EQ(model.СоедЧМ, QStringLiteral("ВхдВхд"));

  model.pressPlug(1, 1, 10, 10);
  EXPECT_EQ(model.plug(1, 1).Picture, QStringLiteral("ВхРазъем.wmf"));
  EXPECT_EQ(model.СоедЧМ, QStringLiteral("ВхдВхд"));

  model.pressPlug(1, 2, 10, 10);
  EXPECT_EQ(model.plug(1, 2).Picture, QStringLiteral("РазъемПр.wmf"));
  EXPECT_EQ(model.СоедЧМ, QStringLiteral("Вхд"));
  EXPECT_EQ(model.ВхКабеля(1), QStringLiteral("Вхд"));
}

TEST_F(AssemblyModelTest, ADragPassingOverTheInputDoesNotForgetThePlugThere) {
  plugToInput(1, 1);
  model.pressPlug(1, 2, 10, 10);
  model.dragOverModulator(100, 1500);  // the other plug passes over the input...
  model.dropOnTable(3000, 3000);       // ...and is put down elsewhere
  EXPECT_EQ(model.ВхКабеля(1), QStringLiteral("Вхд"));

  model.pressPlug(1, 1, 10, 10);  // the plug at the input still comes off it
  EXPECT_EQ(model.plug(1, 1).Picture, QStringLiteral("РазъемЛев.wmf"));
  EXPECT_EQ(model.СоедЧМ, QString());
}

TEST_F(AssemblyModelTest, OnlyInstrumentsWithATablePictureArePlaced) {
  for (int chosen : {0, 6}) {
    if (chosen) model.selectInstrument(chosen);
    model.pointerOverTable(4000, 2000);
    model.placeInstrument();
    for (int i = 1; i <= 5; ++i) EXPECT_FALSE(model.instrument(i).Visible) << chosen;
  }
  EXPECT_EQ(state.НомПрибора, 6);
  EXPECT_EQ(state.ВидОбъекта, QStringLiteral("Приборы"));

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
  EXPECT_EQ(model.plugRect(2, 1).topLeft(), QPointF(285 - 30 + 50, 4035 - 20 + 60));
  EXPECT_EQ(model.plugRect(3, 1).topLeft(), QPointF(285, 4035));
  EXPECT_DOUBLE_EQ(model.Кабель(2).X1, 305 + 555);
}

TEST_F(AssemblyModelTest, PlacingAgainByAClickTakesTheCableEndsAlong) {
  place(3, 3000, 1000);
  plugInto(4, 1, 3);
  place(3, 7000, 2000);
  EXPECT_DOUBLE_EQ(model.Кабель(4).X1, 7000 - 832.5);
  EXPECT_DOUBLE_EQ(model.Кабель(4).Y1, 2000 - 390 + 780 - 105);
}

TEST_F(AssemblyModelTest, PointerPositionsRoundHalvesToEven) {
  const std::pair<double, int> cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {40000.4, 40000}};
  for (const auto& [value, rounded] : cases) {
    model.pointerOverTable(value, value);
    EXPECT_EQ(model.XМыши, rounded) << value;
    model.pressInstrument(1, value, value);
    EXPECT_EQ(model.YЗахв, rounded) << value;
  }
}

// Убрать: one occurrence goes, its blanks stay in the middle, the ends are trimmed.
struct RemoveCase {
  const char* list;
  const char* entry;
  bool tokens;
  const char* result;
};

class RemoveTest : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(RemoveTest, LeavesBlanksOnlyInTheMiddle) {
  QString list = QString::fromUtf8(GetParam().list);
  AssemblyModel::Убрать(list, QString::fromUtf8(GetParam().entry), GetParam().tokens);
  EXPECT_EQ(list, QString::fromUtf8(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RemoveTest,
    ::testing::Values(RemoveCase{"111213", "12", true, "11  13"},
                      RemoveCase{"111213", "11", true, "1213"},
                      RemoveCase{"11  13", "13", true, "11"},
                      RemoveCase{"212512", "12", true, "2125"},  // "12" at character 2 is no token
                      RemoveCase{"ГенераторМВНЧОсц", "МВ", false, "Генератор  НЧОсц"},
                      RemoveCase{"ГенераторГенератор", "Генератор", false, "Генератор"},
                      RemoveCase{"ВхдВыхВхд", "Вхд", false, "ВыхВхд"},
                      RemoveCase{"Вых", "Вхд", false, "Вых"}));

}  // namespace
