// The student's whole road through the real screens, from Main to the results file.

#include <QStringEncoder>
#include <cmath>

#include "assembly/picture_control.h"
#include "records/results_file.h"
#include "support/assembly.h"
#include "support/lab.h"
#include "support/records.h"

namespace {
using enum ScreenId;

QByteArray cp1251(const char* text, int width) {
  QStringEncoder encoder("windows-1251");
  return QByteArray(encoder.encode(QString::fromUtf8(text))).leftJustified(width, ' ');
}

TEST_F(ScreenTest, EveryStepLeavesTheRightScreensAndTheFileHoldsTheWholeWork) {
  // Four variant draws on the road (title, personal data, bench, band), two numbers each:
  // codes 34, 56, 79 and, last, 18 with N = 1920.
  const double kDraws[] = {0.31, 0.42, 0.52, 0.61, 0.71, 0.88, 0.12, 0.83};
  std::size_t draws = 0;
  state.rnd = [&] { return kDraws[draws++ % 8]; };
  const QString path = programDir.filePath("Result7_123456.res");
  // The screens loaded while each screen's part is done; the personal data screen writes the
  // file first, on leaving.
  // clang-format off
  const std::map<ScreenId, std::vector<ScreenId>> kLoaded{
      {Title, {Title}}, {PersonalData, {PersonalData}}, {Assembly, {MainWindow, Assembly}},
      {Bench, {Bench}}, {Characteristic, {Bench, Characteristic}}, {Band, {Bench, Characteristic, Band}}};
  // clang-format on
  std::vector<ScreenId> done;
  walkRoad([&](ScreenId screen) {
    SCOPED_TRACE(int(screen));
    done.push_back(screen);
    EXPECT_EQ(loaded(), kLoaded.at(screen));
    EXPECT_EQ(recordFaults(state.Рез), QStringList());
    EXPECT_EQ(QFile::exists(path), int(screen) > int(PersonalData));
  });
  EXPECT_EQ(done, (std::vector{Title, PersonalData, Assembly, Bench, Characteristic, Band}));
  EXPECT_EQ(std::tuple(loaded().empty(), draws, desktop.ended), std::tuple(true, 8u, true));
  // The end: three beeps, the closing message, the program ended.
  using K = DesktopCall::Kind;
  const auto last = [&](int n) { return desktop.calls.end()[-n].kind; };
  ASSERT_GE(desktop.calls.size(), 5u);
  EXPECT_EQ(std::tuple(last(5), last(4), last(3), last(2), last(1)),
            std::tuple(K::Beep, K::Beep, K::Beep, K::Message, K::End));
  EXPECT_TRUE(desktop.messages().back().text.endsWith("\r\n\r\nФайл результатов: " +
                                                      QDir::toNativeSeparators(path)));
  const QByteArray bytes = fileBytes(path);
  ASSERT_EQ(bytes.size(), 554);
  const std::pair<int, QByteArray> texts[] = {
      {0, cp1251("Иванов", 20)}, {20, cp1251("Пётр", 20)},   {40, cp1251("Сергеевич", 20)},
      {60, cp1251("РТ-21", 10)}, {70, cp1251("123456", 20)}, {90, cp1251("ivanov@example.org", 20)},
      {110, cp1251("18", 2)},  // the band screen's draw, not the bench's
      {112, cp1251("Да", 5)},    {117, cp1251("Да", 5)}};
  for (const auto& [offset, text] : texts)
    EXPECT_EQ(bytes.mid(offset, text.size()), text) << offset;
  // The table: five rows typed (input 1.41 x reading, deviation half the variant's index).
  const float readings[] = {20.5f, 32.6f, 46.9f, 59.6f, 73.6f};
  const double indices[] = {2.408, 3.832, 5.52, 7.016, 8.654};
  for (int row = 1; row <= 14; ++row) {
    SCOPED_TRACE(row);
    const float reading = row <= 5 ? readings[row - 1] : 0;
    const float deviation = row <= 5 ? float(indices[row - 1] * 0.5) : 0;
    EXPECT_EQ(numberAt<float>(bytes, 178 + 4 * (row - 1)), reading);
    EXPECT_FLOAT_EQ(numberAt<float>(bytes, 122 + 4 * (row - 1)), reading * 1.41f);
    EXPECT_FLOAT_EQ(numberAt<float>(bytes, 258 + 4 * (row - 1)), deviation);
    EXPECT_NEAR(numberAt<float>(bytes, 338 + 4 * (row - 1)),
                row <= 5 ? deviation / (reading * 1.41 / 1000) : 0, 0.01);
  }
  // The band of the last draw (N 1920, pk 32): the values in force at the end, with Δfk typed
  // again after the channel count was confirmed; the snapshot holds those of the confirmation.
  // Offset, width, value (Currency: x 10000).
  const double power = 1920 * 32 / 1000.0, effective = 150 * std::sqrt(power) / 1000;
  // clang-format off
  const std::tuple<int, int, std::int64_t> numbers[] = {
      {418, 8, 1500000}, {426, 8, std::llround(effective * 10000)}, {450, 2, 1920}, {452, 8, 3000000},
      {460, 8, 25960000}, {468, 2, 32}, {470, 8, std::llround(power * 10000)},
      {486, 8, 2000000}, {494, 8, 15677}, {502, 8, 52204}, {510, 8, 229954}, {518, 2, 600}, {520, 8, 3000000},
      {528, 8, 25960000}, {536, 2, 32}, {538, 8, std::llround(power * 10000)}, {546, 8, 20109}};
  // clang-format on
  for (const auto& [offset, width, value] : numbers) {
    const std::int64_t stored =
        width == 2 ? numberAt<std::int16_t>(bytes, offset) : numberAt<std::int64_t>(bytes, offset);
    EXPECT_EQ(stored, value) << offset;
  }
}

// The mounting table worked with the mouse: the error until every cable is right, plugs that
// take their place and picture, the cable ends that follow, and the bookkeeping sound throughout.
TEST_F(ScreenTest, TheTableIsAssembledWithTheMouse) {
  auto* screen = dynamic_cast<FrmМонтаж*>(reach(Assembly));
  ASSERT_NE(screen, nullptr);
  AssemblyDriver table(screen, state);
  table.showWhole();
  const auto lineEnd = [&](int k, const char* x, const char* y) {
    const QObject* line = screen->findChild<QObject*>(QStringLiteral("Кабель(%1)").arg(k));
    return QPointF(line->property(x).toDouble(), line->property(y).toDouble());
  };
  EXPECT_EQ(table.table()->childAt(30, 277), table.plug(1, 1));  // the top plug of the stack
  click(Assembly, "CmdДальше");
  EXPECT_EQ(desktop.messages().back().text, "Ошибка при монтаже! ");
  table.place(3, {300, 100});  // centred on the click
  EXPECT_EQ(table.instrument(3)->geometry(), QRect(245, 74, 111, 52));
  for (int i = 1; i <= 5; ++i) table.place(i, AssemblyDriver::kSpots[i - 1]);
  table.wireEverything();
  EXPECT_EQ(assemblyFaults(screen->model()), QStringList());
  EXPECT_EQ(table.plug(1, 1)->parentWidget(), table.instrument(1));
  for (const auto& [k, p, picture] :
       {std::tuple(1, 1, "ВклРазъемЛев.wmf"), {3, 2, "ВхРазъем.wmf"}, {5, 1, "ВыхРазъем.wmf"}})
    EXPECT_EQ(static_cast<PictureControl*>(table.plug(k, p))->pictureName(), picture) << k;
  // Input plugs in the modulator's bottom-left corner, output plugs in its top-right one.
  EXPECT_EQ(table.plug(3, 2)->geometry(), QRect(376, 169, 37, 16));
  EXPECT_EQ(table.plug(5, 1)->geometry(), QRect(396, 54, 37, 16));
  EXPECT_EQ(lineEnd(1, "X2", "Y2"), QPointF(5640, 2655));
  EXPECT_EQ(lineEnd(5, "X1", "Y1"), QPointF(6495, 930));
  desktop.answers = {MsgAnswer::No};
  click(Assembly, "CmdДальше");
  EXPECT_EQ(desktop.messages().back().text, "Монтаж сделан правильно. Продолжить работу? ");
  EXPECT_EQ(hub->find(Assembly), screen);  // No: everything stays
  // A second plug into one instrument and out to the table, an instrument dragged with its plugs.
  table.plugInto(4, 2, 5);
  table.drag(table.plug(4, 2), {10, 8}, table.table(), {700, 280});
  EXPECT_EQ(assemblyFaults(screen->model()), QStringList());
  click(Assembly, "CmdДальше");
  EXPECT_EQ(desktop.messages().back().text, "Ошибка при монтаже! ");
  table.drag(table.instrument(3), {60, 10}, table.table(), {160, 200});
  EXPECT_EQ(table.instrument(3)->geometry().topLeft(), QPoint(100, 190));
  EXPECT_EQ(table.plug(3, 1)->mapTo(table.table(), QPoint(0, 0)), QPoint(100, 226));
  EXPECT_EQ(lineEnd(3, "X1", "Y1"), QPointF(1500, 190 * 15 + 780 - 120));
  table.plugInto(4, 2, 4);
  EXPECT_EQ(assemblyFaults(screen->model()), QStringList());
  const QPoint onSecond = table.instrument(2)->mapTo(table.table(), QPoint(40, 15));
  table.drag(table.instrument(1), {50, 20}, table.instrument(2), {40, 15});  // now on top of it
  EXPECT_EQ(table.table()->childAt(onSecond), table.instrument(1));
  desktop.answers = {MsgAnswer::Yes};
  click(Assembly, "CmdДальше");
  EXPECT_EQ(loaded(), std::vector{Bench});
}
}  // namespace
