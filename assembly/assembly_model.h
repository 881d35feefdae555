#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

struct ModЧМ;

// The size in twips of a picture, named as the screen names it ("РазъемЛев.wmf"). Picture boxes
// on the table take the size of the picture they show, so every size is read through here.
using PictureSizes = std::function<QSizeF(const QString& picture)>;

// What a drag-over event asks of the desktop.
enum class DragFeedback { Silent, Beep };

// The answer of the check behind "Монтаж окончен".
enum class AssemblyCheck { Incomplete, Complete };

// The bookkeeping of the mounting table: which instrument stands where, which plug sits in which
// instrument or at which half of the modulator, where the cable lines end, and the completeness
// check. All positions are in twips: a plug in an instrument is placed in that instrument's
// coordinates, everything else in the table's. The screen calls one operation per mouse event
// and then draws what the model holds.
class AssemblyModel {
 public:
  static constexpr int kInstruments = 5;  // instruments with a picture on the table
  static constexpr int kCables = 5;
  static constexpr int kTable = 0;  // container of a plug that lies on the table

  struct Instrument {
    double Left = 0, Top = 0;
    bool Visible = false;
    QString Tag;      // side letter of its plugs, then its name: "ПГенератор"
    QString Picture;  // "Генератор.wmf"
    int z = 0;        // when it was put down: the later lies on the other instruments
  };
  struct Plug {
    double Left = 0, Top = 0;  // in the container's coordinates
    int container = kTable;    // 0: the table; i: the picture of instrument i
    QString Tag;               // plug number, then instrument index: "10", "23"
    QString Picture;
    int z = 0;  // stacking order among its siblings: the higher one lies on top
  };
  struct Line {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  };

  AssemblyModel(ModЧМ& state, PictureSizes sizes);

  // The load step: every instrument hidden, every plug free at its place in the two stacks,
  // every list and record empty, cable 1 current.
  void load();

  // --- Operations, one per event of the screen -------------------------------------------------
  void selectInstrument(int index) { selectInstrument(state_, index); }  // palette click
  // The palette click as the main window, which holds the palette, makes it.
  static void selectInstrument(ModЧМ& state, int index);
  void pointerOverTable(double x, double y);         // pointer moves over the table
  void placeInstrument();                            // click on the table
  void pressInstrument(int i, double x, double y);   // (x, y) inside the instrument
  void pressPlug(int k, int p, double x, double y);  // (x, y) inside the plug
  DragFeedback dragOverInstrument(int i, double x, double y);
  DragFeedback dragOverModulator(double x, double y);
  void dragOverPlug(double x, double y);  // (x, y) inside the plug under the pointer
  // Drops, by what lies under the pointer; what happens depends on what is being handled.
  void dropOnTable(double x, double y);
  void dropOnInstrument(int i);
  void dropOnModulator();
  void dropOnPlug(int k, int p);
  AssemblyCheck checkAssembly() const;

  // --- The form's procedures
  // ---------------------------------------------------------------------- Removes the first
  // occurrence of the entry: it is overwritten with blanks, then the list is trimmed at both ends,
  // so an entry taken from the middle leaves its blanks behind. With wholeTokens only two-character
  // tokens count (a match starts at character 1, 3, 5, ...).
  static void Убрать(QString& list, const QString& entry, bool wholeTokens = false);
  void ОпрСторону();
  void Коорд1();
  void Коорд2();
  void ЛинияКабеля();

  // --- Geometry
  // -----------------------------------------------------------------------------------
  QSizeF pictureSize(const QString& picture) const;
  QRectF instrumentRect(int i) const;      // on the table
  QRectF plugRect(int k, int p) const;     // in its container
  QRectF plugOnTable(int k, int p) const;  // the same spot in the table's coordinates
  QRectF modulatorRect() const;            // on the table

  const Instrument& instrument(int i) const { return instruments_.at(i); }
  const Plug& plug(int k, int p) const { return plugs_.at(k).at(p); }
  const Line& Кабель(int k) const { return lines_.at(k); }
  QString modulatorPicture() const { return QStringLiteral("ЧМ.wmf"); }

  // The modulator records of cable k: empty; the pending mark "Вхд" ("Вых") while a plug of the
  // cable is dragged over that half; or k, "Вхд" ("Вых") and the plug number when connected.
  QString ВхКабеля(int k) const;
  QString ВыхКабеля(int k) const;
  // Whether plug p of cable k really sits at the modulator's input (output): both plugs of one
  // cable may, though the record names only one of them.
  bool atInput(int k, int p) const { return input_.at(k).holds.at(p); }
  bool atOutput(int k, int p) const { return output_.at(k).holds.at(p); }

  // --- The form's variables
  // -----------------------------------------------------------------------
  std::array<QString, 11> ИмяПрибора;  // keys of the instruments, 1..5 used
  std::int16_t НомКабеля = 1;
  std::int16_t НомШтеккера = 0;
  // Pointer and plug positions are whole twips, rounded half to even. They are kept wider than
  // 16 bits: a table stretched over a wide screen is more than 32767 twips across.
  int XМыши = 0, YМыши = 0;
  int XЗахв = 0, YЗахв = 0;
  int XРазъема = 0, YРазъема = 0;
  QString СторонаПрибора;
  std::int16_t ПриборШтеккера = 0;
  QString ПриборыВх, ПриборыВых;
  std::array<QString, 7> СоедПрибора;  // 1..6: tokens plug number + cable number
  QString СоедЧМ;
  std::int16_t СторонаЧМ = 0;

 private:
  // A modulator terminal of one cable: the plug its record names, which plugs of the cable are
  // really there (both may be), and whether a plug of the cable is being dragged over it now
  // (then the terminal shows the mark "Вхд" or "Вых").
  struct Terminal {
    QString connectedPlug;        // "1Вхд2" or empty
    std::array<bool, 3> holds{};  // 1..2: that plug sits at this terminal
    bool draggedOver = false;
  };

  void Коорд(int p);
  // The line end of plug p of cable k follows the plug (ЛинияКабеля for the current cable).
  void cableLine(int k, int p);
  Plug& plugRef(int k, int p) { return plugs_.at(k).at(p); }
  void bringToFront(Plug& plug) { plug.z = ++topZ_; }
  void moveInstrumentTo(int i, double left, double top);
  // Moves the cable ends in instrument i's sockets; returns the plug and cable of the last end
  // it moved (the form's loop leaves them current), or nothing when no cable sits there.
  std::optional<std::pair<std::int16_t, std::int16_t>> redrawLinesOf(int i);
  void dropInstrument(double left, double top, bool extraLine);
  void dropPlugOnInstrument(int i);
  void dropPlugOnModulator();
  QString& instrumentList(int i) { return i <= 3 ? ПриборыВх : ПриборыВых; }
  bool handlingPlugs() const;
  bool handlingInstruments() const;

  ModЧМ& state_;
  PictureSizes sizes_;
  std::array<Instrument, kInstruments + 1> instruments_;
  std::array<std::array<Plug, 3>, kCables + 1> plugs_;
  std::array<Line, kCables + 1> lines_;
  std::array<Terminal, kCables + 1> input_, output_;
  int topZ_ = 0;
};
