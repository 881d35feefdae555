// A byte stream as the student's mouse on the mounting table: palette choices, clicks on the
// table, and drags (a press on an instrument or a plug, moves over whatever lies under the
// pointer, a drop), in the order the screen reports them, and the check "Монтаж окончен".
// After every operation the bookkeeping must hold only known tokens and agree with itself.
#include <cstdio>
#include <cstdlib>

#include "assembly/assembly_model.h"
#include "state/work_state.h"
#include "tests/support/assembly_faults.h"

namespace {

// The pictures' sizes, twips, as the table's picture boxes have them.
QSizeF sizeOf(const QString& picture) {
  static const std::pair<const char*, QSizeF> kSizes[] = {
      {"Генератор.wmf", {1650, 690}}, {"Мв.wmf", {1425, 450}},     {"Осцил.wmf", {1665, 780}},
      {"СпектрАн.wmf", {1845, 795}},  {"ОсцВЧ.wmf", {1830, 1095}}, {"ЧМ.wmf", {855, 1965}}};
  for (const auto& [name, size] : kSizes)
    if (picture == QString::fromUtf8(name)) return size;
  return {555, 240};  // the plugs, whatever they show
}

// Reads the stream; past its end every byte is 0.
struct Stream {
  const std::uint8_t* data;
  std::size_t size, at = 0;
  int byte() { return at < size ? data[at++] : 0; }
  // A pointer coordinate in twips: anywhere a 16-bit signed value reaches, half twips included.
  double coordinate() {
    const int high = byte();
    return static_cast<std::int16_t>((high << 8) | byte()) / 2.0;
  }
};

void verify(const AssemblyModel& model, const ModЧМ&, const char* after) {
  const QStringList faults = assemblyFaults(model);
  if (faults.isEmpty()) return;
  std::fprintf(stderr, "after %s:\n", after);
  for (const QString& fault : faults) std::fprintf(stderr, "  %s\n", qPrintable(fault));
  std::abort();
}

// What lies under the pointer during a drag (the table, an instrument, the modulator, a plug of
// cable `index`) and its drag-over; the bare table reports none. A hidden instrument is not
// under any pointer: the table is.
void dragOver(Stream& in, AssemblyModel& model, bool drop) {
  const int b = in.byte();
  int target = b % 4;
  const int index = 1 + (b >> 2) % 5;
  const double x = in.coordinate(), y = in.coordinate();
  if (target == 1 && !model.instrument(index).Visible) target = 0;
  if (target == 1) model.dragOverInstrument(index, x, y);
  if (target == 2) model.dragOverModulator(x, y);
  if (target == 3) model.dragOverPlug(x, y);
  if (!drop) return;
  if (target == 0) model.dropOnTable(x, y);
  if (target == 1) model.dropOnInstrument(index);
  if (target == 2) model.dropOnModulator();
  if (target == 3) model.dropOnPlug(index, 1 + (b >> 5) % 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Stream in{data, size};
  ModЧМ state;
  AssemblyModel model(state, sizeOf);
  verify(model, state, "load");
  while (in.at < in.size) {
    switch (in.byte() % 8) {
      case 0:  // palette
        model.selectInstrument(1 + in.byte() % 6);
        verify(model, state, "select");
        break;
      case 1:  // a click on the table
        model.pointerOverTable(in.coordinate(), in.coordinate());
        model.placeInstrument();
        verify(model, state, "place");
        break;
      case 2:  // the pointer moves over the table
        model.pointerOverTable(in.coordinate(), in.coordinate());
        break;
      case 6:  // "Монтаж окончен"; a complete circuit leaves the table as it is
        model.checkAssembly();
        verify(model, state, "check");
        break;
      case 7:  // the screen loaded anew
        if (in.byte() < 8) model.load();
        verify(model, state, "load");
        break;
      default: {  // a drag of an instrument or a plug
        const int what = in.byte();
        const int index = 1 + (what >> 1) % 5;
        const double x = in.coordinate(), y = in.coordinate();
        if (what % 2 == 0 && !model.instrument(index).Visible) break;  // cannot be pressed
        if (what % 2 == 0) model.pressInstrument(index, x, y);
        if (what % 2 == 1) model.pressPlug(index, 1 + (what >> 4) % 2, x, y);
        verify(model, state, "press");
        for (int moves = in.byte() % 4; moves > 0; --moves) {
          dragOver(in, model, false);
          verify(model, state, "drag over");
        }
        dragOver(in, model, true);  // the drop point is always reported as a drag-over first
        verify(model, state, "drop");
      }
    }
  }
  return 0;
}
