// A byte stream as the student's mouse on the mounting table: palette choices, clicks on the
// table, and drags (a press on an instrument or a plug, moves over whatever lies under the
// pointer, a drop), in the order the screen reports them, and the check "Монтаж окончен".
// After every operation the bookkeeping must hold only known tokens and agree with itself.
#include <cstdio>
#include <cstdlib>

#include "app/work_state.h"
#include "assembly/assembly_model.h"
#include "tests/support/assembly_invariants.h"

namespace {

// The pictures' sizes, twips, as the table's picture boxes have them.
QSizeF sizeOf(const QString& picture) {
  static const std::pair<const char*, QSizeF> kSizes[] = {
      {"Генератор.wmf", {1650, 690}}, {"Мв.wmf", {1425, 450}},     {"Осцил.wmf", {1665, 780}},
      {"СпектрАн.wmf", {1845, 795}},  {"ОсцВЧ.wmf", {1830, 1095}}, {"ЧМ.wmf", {855, 1965}},
  };
  for (const auto& [name, size] : kSizes) {
    if (picture == QString::fromUtf8(name)) return size;
  }
  return {555, 240};  // the plugs, whatever they show
}

// Reads the stream; past its end every byte is 0.
class Stream {
 public:
  Stream(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool done() const { return at_ >= size_; }
  int byte() { return at_ < size_ ? data_[at_++] : 0; }
  // A pointer coordinate in twips: anywhere a 16-bit signed value reaches, half twips included.
  double coordinate() {
    const int high = byte();
    const int low = byte();
    return static_cast<std::int16_t>((high << 8) | low) / 2.0;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

void verify(const AssemblyModel& model, const ModЧМ& state, const char* after) {
  const QStringList faults = assemblyFaults(model, state);
  if (faults.isEmpty()) return;
  std::fprintf(stderr, "after %s:\n", after);
  for (const QString& fault : faults) std::fprintf(stderr, "  %s\n", qPrintable(fault));
  std::abort();
}

// What lies under the pointer during a drag, and the drag-over the screen reports for it.
enum class Target { Table, Instrument, Modulator, Plug };

struct Under {
  Target target;
  int index = 0;  // instrument, or cable of a plug
  int plug = 0;
  double x = 0, y = 0;  // the pointer in the target's coordinates
};

Under pointTo(Stream& in, const AssemblyModel& model) {
  const int b = in.byte();
  Under under{static_cast<Target>(b % 4)};
  under.index = 1 + (b >> 2) % 5;
  under.plug = 1 + (b >> 5) % 2;
  under.x = in.coordinate();
  under.y = in.coordinate();
  // A hidden instrument is not under any pointer: the table is.
  if (under.target == Target::Instrument && !model.instrument(under.index).Visible) {
    under.target = Target::Table;
  }
  return under;
}

void dragOver(AssemblyModel& model, const Under& under) {
  switch (under.target) {
    case Target::Table:
      break;  // the bare table reports nothing during a drag
    case Target::Instrument:
      model.dragOverInstrument(under.index, under.x, under.y);
      break;
    case Target::Modulator:
      model.dragOverModulator(under.x, under.y);
      break;
    case Target::Plug:
      model.dragOverPlug(under.x, under.y);
      break;
  }
}

void drop(AssemblyModel& model, const Under& under) {
  dragOver(model, under);  // the drop point is always reported as a drag-over first
  switch (under.target) {
    case Target::Table:
      model.dropOnTable(under.x, under.y);
      break;
    case Target::Instrument:
      model.dropOnInstrument(under.index);
      break;
    case Target::Modulator:
      model.dropOnModulator();
      break;
    case Target::Plug:
      model.dropOnPlug(under.index, under.plug);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Stream in(data, size);
  ModЧМ state;
  AssemblyModel model(state, sizeOf);
  verify(model, state, "load");
  while (!in.done()) {
    const int op = in.byte();
    switch (op % 8) {
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
      case 3:
      case 4:
      case 5: {  // a drag of an instrument or a plug
        const int what = in.byte();
        const int index = 1 + (what >> 1) % 5;
        const double x = in.coordinate();
        const double y = in.coordinate();
        if (what % 2 == 0) {
          if (!model.instrument(index).Visible) break;  // a hidden one cannot be pressed
          model.pressInstrument(index, x, y);
        } else {
          model.pressPlug(index, 1 + (what >> 4) % 2, x, y);
        }
        verify(model, state, "press");
        for (int moves = in.byte() % 4; moves > 0; --moves) {
          dragOver(model, pointTo(in, model));
          verify(model, state, "drag over");
        }
        drop(model, pointTo(in, model));
        verify(model, state, "drop");
        break;
      }
      case 6:  // "Монтаж окончен"; a complete circuit leaves the table as it is
        model.checkAssembly();
        verify(model, state, "check");
        break;
      case 7:  // the screen loaded anew
        if (in.byte() < 8) {
          model.load();
          verify(model, state, "load");
        }
        break;
    }
  }
  return 0;
}
