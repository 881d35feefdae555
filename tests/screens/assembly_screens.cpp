#include "support/assembly_driver.h"
#include "support/screen_fixture.h"

namespace {

class AssemblyShots : public ScreenShots {
 protected:
  AssemblyDriver open() {
    state.Предв = 0;
    hub.show(ScreenId::MainWindow);
    auto* screen = hub.find<FrmМонтаж>(ScreenId::Assembly);
    EXPECT_NE(screen, nullptr);
    AssemblyDriver driver(screen, state);
    driver.showWhole();
    return driver;
  }
};

TEST_F(AssemblyShots, FreshTable) {
  open();
  capture(ScreenId::Assembly, "FrmМонтаж");
}

TEST_F(AssemblyShots, HalfAssembled) {
  AssemblyDriver table = open();
  table.place(1, {120, 60});
  table.place(2, {120, 150});
  table.place(4, {560, 60});
  table.plugInto(1, 1, 1);
  table.plugToInput(1, 2);
  table.plugInto(2, 1, 2);
  table.plugToOutput(4, 1);
  table.drag(table.plug(4, 2), {10, 8}, table.table(), {700, 150});
  capture(ScreenId::Assembly, "FrmМонтаж_half");
}

TEST_F(AssemblyShots, CompleteCircuit) {
  AssemblyDriver table = open();
  table.assembleEverything();
  capture(ScreenId::Assembly, "FrmМонтаж_complete");
}

}  // namespace
