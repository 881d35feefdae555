#include "support/student_road.h"

#include <gtest/gtest.h>

#include <QFile>
#include <array>

#include "app/work_state.h"
#include "records/results_file.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

namespace {

// The whole lab from the first screen to the results file, through the real screens.
class StudentRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    // Four variant draws on the road (title, personal data, bench, band), two numbers each:
    // codes 34, 56, 79 and, last, 18 with N = 1920.
    state.rnd = [this] {
      static constexpr std::array<double, 8> kDraws{0.31, 0.42, 0.52, 0.61, 0.71, 0.88, 0.12, 0.83};
      return kDraws[draws++ % kDraws.size()];
    };
  }

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  std::size_t draws = 0;
};

template <int N>
QByteArray textBytes(const char* utf8) {
  FixedText<N> field = QString::fromUtf8(utf8);
  return QByteArray(field.bytes().data(), N);
}

TEST_F(StudentRoad, EndsWithAResultsFileThatHoldsTheWholeWork) {
  const QString path = walkStudentRoad(state, desktop);
  ASSERT_FALSE(path.isEmpty());
  EXPECT_TRUE(path.endsWith(QStringLiteral("/Result7_123456.res")));
  EXPECT_EQ(draws, 8u);

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  ASSERT_EQ(bytes.size(), kResultRecordSize);

  // Texts, byte by byte, at their offsets.
  EXPECT_EQ(bytes.mid(0, 20), textBytes<20>("Иванов"));
  EXPECT_EQ(bytes.mid(20, 20), textBytes<20>("Пётр"));
  EXPECT_EQ(bytes.mid(40, 20), textBytes<20>("Сергеевич"));
  EXPECT_EQ(bytes.mid(60, 10), textBytes<10>("РТ-21"));
  EXPECT_EQ(bytes.mid(70, 20), textBytes<20>("123456"));
  EXPECT_EQ(bytes.mid(90, 20), textBytes<20>("ivanov@example.org"));
  EXPECT_EQ(bytes.mid(110, 2), QByteArray("18"));  // the band screen's draw, not the bench's
  EXPECT_EQ(bytes.mid(112, 5), textBytes<5>("Да"));
  EXPECT_EQ(bytes.mid(117, 5), textBytes<5>("Да"));

  // The characteristic table: five rows typed, the rest zeros.
  const Результат saved = decodeResultRecord(bytes);
  const float readings[] = {20.5f, 32.6f, 46.9f, 59.6f, 73.6f};
  const double indices[] = {2.408, 3.832, 5.52, 7.016, 8.654};
  for (int row = 1; row <= 5; ++row) {
    const float reading = readings[row - 1];
    EXPECT_EQ(saved.Харuвх[row], reading) << row;
    EXPECT_FLOAT_EQ(saved.ХарUвх[row], reading * 1.41f) << row;
    EXPECT_FLOAT_EQ(saved.Харdf[row], static_cast<float>(indices[row - 1] * 0.5)) << row;
    EXPECT_FLOAT_EQ(saved.ХарS[row], saved.Харdf[row] / (saved.ХарUвх[row] / 1000)) << row;
  }
  for (int row = 6; row <= 14; ++row) {
    EXPECT_EQ(saved.Харuвх[row], 0.0f) << row;
    EXPECT_EQ(saved.ХарUвх[row], 0.0f) << row;
  }

  // The band for N = 1920 with pk 32, Δfk 200, F2 2596; the snapshot with the typed 600.
  EXPECT_EQ(saved.N, 1920);
  EXPECT_EQ(saved.pk, 32);
  EXPECT_EQ(saved.F1, Currency(300));
  EXPECT_EQ(saved.F2, Currency(2596));
  EXPECT_EQ(saved.dfk, Currency(200));
  EXPECT_EQ(saved.Рср, Currency(61.44));
  EXPECT_EQ(saved.dfэфф, Currency(1.5677));
  EXPECT_EQ(saved.dfпик, Currency(5.2204));
  EXPECT_EQ(saved.mf, Currency(2.0109));
  EXPECT_EQ(saved.Пчм, Currency(22.9954));
  EXPECT_EQ(saved.NИтог, 600);
  EXPECT_EQ(saved.dfkИтог, saved.dfk);
  EXPECT_EQ(saved.dfэффИтог, saved.dfэфф);
  EXPECT_EQ(saved.dfпикИтог, saved.dfпик);
  EXPECT_EQ(saved.ПчмИтог, saved.Пчм);
  EXPECT_EQ(saved.F1Итог, saved.F1);
  EXPECT_EQ(saved.F2Итог, saved.F2);
  EXPECT_EQ(saved.pkИтог, saved.pk);
  EXPECT_EQ(saved.РсрИтог, saved.Рср);
  EXPECT_EQ(saved.mfИтог, saved.mf);

  // The file is exactly the record the program held when the work ended.
  EXPECT_EQ(bytes, encodeResultRecord(state.Рез));
  // The last box said the results were written.
  EXPECT_TRUE(desktop.lastMessage().startsWith(
      QStringLiteral("Внимание! Вы закончили работу и ее результаты записаны в файл Result.res.")));
  EXPECT_EQ(desktop.beepCount() >= 3, true);
}

}  // namespace
