#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <functional>
#include <memory>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "model/fm_model.h"
#include "platform/picture_box.h"
#include "platform/text_label.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

namespace {

// Screens on a hub of their own; every draw of the variant gives 0 (КоэфUвх 14).
class Screens : public ::testing::Test {
 public:
  Screens() {
    state.rnd = [] { return 0.0; };
  }
  ~Screens() override {
    hub.reset();
    settleEvents();
  }
  LabScreen* open(ScreenId id) {
    LabScreen* screen = hub->show(id);
    settleEvents();
    return screen;
  }
  template <class T>
  T* child(ScreenId id, const char* name) const {
    LabScreen* screen = hub->find(id);
    T* found = screen ? screen->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  std::unique_ptr<ScreenHub> hub = std::make_unique<ScreenHub>(state, desktop);
};

// The viewer's sweep leaves ИндексМод near 20 while the bench, never activated again, shows an
// amplitude of 1.5: whatever the bench draws or reads next is still that of its amplitude.
TEST_F(Screens, TheBenchDrawsAndReadsItsOwnAmplitudeAfterTheViewer) {
  struct Row {
    const char* handler;
    std::function<void(Screens&)> act, undo;
  };
  auto frequency = [](Screens& t) { return t.child<QScrollBar>(ScreenId::Bench, "HScrFmod"); };
  auto power = [](Screens& t) {
    QTest::mouseClick(t.child<QLabel>(ScreenId::Bench, "LblвклВЧ"), Qt::LeftButton);
  };
  const Row rows[] = {
      {"frequency change", [&](Screens& t) { frequency(t)->setValue(600); },
       [&](Screens& t) { frequency(t)->setValue(550); }},
      {"switch-on", [&](Screens& t) { power(t), power(t); }, [](Screens&) {}},
      {"repaint",
       [](Screens& t) {
         auto* lf = t.child<PictureBox>(ScreenId::Bench, "PicОсцНЧ");
         const QSize size = lf->size();
         lf->resize(size + QSize(1, 1));
         lf->resize(size);
       },
       [](Screens&) {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.handler);
    hub = std::make_unique<ScreenHub>(state, desktop);
    ASSERT_NE(open(ScreenId::Bench), nullptr);
    QTest::mouseClick(child<QLabel>(ScreenId::Bench, "LblВклНЧ"), Qt::LeftButton);
    power(*this);
    child<QScrollBar>(ScreenId::Bench, "HScrUвх")->setValue(150);
    auto shown = [this] {
      return std::tuple(child<QLabel>(ScreenId::Bench, "LblUвх")->text(),
                        child<PictureBox>(ScreenId::Bench, "PicОсцНЧ")->image(),
                        child<PictureBox>(ScreenId::Bench, "PicОсцВЧ")->image());
    };
    row.act(*this);
    const auto expected = shown();
    row.undo(*this);
    ASSERT_NE(open(ScreenId::Bessel), nullptr);
    ASSERT_GT(state.ИндексМод, 19);
    row.act(*this);
    EXPECT_EQ(state.ИндексМод, double(1.5f));
    EXPECT_TRUE(shown() == expected);
  }
}

// The order scrollbar acts on a click and on the thumb's release at a new value; a release where
// the thumb was taken is no change.
TEST_F(Screens, AScrollbarActsOnReleaseOnlyWhenTheValueChanged) {
  struct Row {
    const char* drag;
    std::vector<int> values;  // the thumb's values while it is dragged
    double order;             // Порядок after the release (7: untouched)
  };
  const Row rows[] = {{"none", {}, 7}, {"there and back", {3, 0}, 7}, {"to 3", {1, 3}, 3}};
  ASSERT_NE(open(ScreenId::Bessel), nullptr);
  auto* bar = child<QScrollBar>(ScreenId::Bessel, "HScrlПорядок");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.drag);
    bar->setValue(0);
    state.Порядок = 7;
    bar->setSliderDown(true);
    for (int value : row.values) bar->setValue(value);
    EXPECT_EQ(state.Порядок, 7);  // nothing while dragged
    bar->setSliderDown(false);
    EXPECT_EQ(state.Порядок, row.order);
  }
}

// u = ИндексМод · КоэфU / 1.41 with the single КоэфU widened to double, not a single product.
TEST(MillivoltmeterReading, IsTheDoubleProductOverTheLabsConstant) {
  const std::pair<float, float> rows[] = {{0.1f, 14}, {2.4f, 9.5f}, {25, 14.48077f}, {3.7f, 11}};
  for (const auto& [index, factor] : rows) {
    SCOPED_TRACE(index);
    ModЧМ state;
    state.ИндексМод = index;
    EXPECT_EQ(millivoltReading(state, factor), double(index) * double(factor) / 1.41);
  }
}

// Long captions typed with line-end hyphens break there only at a line end, on every screen
// that has them.
TEST_F(Screens, LongCaptionsSoftenTheirTypedLineBreaks) {
  const std::tuple<ScreenId, const char*, QString> rows[] = {
      {ScreenId::Title, "Label3", QStringLiteral("лабо\u00ADраторной")},
      {ScreenId::PersonalData, "Label10", QStringLiteral("изме\u00ADнится")},
  };
  for (const auto& [id, name, shown] : rows) {
    SCOPED_TRACE(name);
    ASSERT_NE(open(id), nullptr);
    auto* label = dynamic_cast<WrappedLabel*>(child<QLabel>(id, name));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->shownText().contains(shown));
    EXPECT_FALSE(label->text().contains(QChar(QChar::SoftHyphen)));
  }
}

}  // namespace
