#include "assembly/assembly_model.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <map>

#include "state/work_state.h"

using namespace Qt::Literals::StringLiterals;

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

// The student's mouse on the mounting table as a script of steps separated by ';', each an action
// or a look at the bookkeeping; "step = text" checks what the step gives, "still step" that it
// gives what it gave the last time. Actions: place i x y (palette icon i, a click on the table),
// select i, click x y, pointer x y, into k p i (plug p of cable k dragged into instrument i),
// input k p, output k p (to the halves of the modulator), press k p x y, grab i x y (a press on
// instrument i), over i x y, overm x y, overp x y (drag-overs), table x y, drop i, dropm,
// dropp k p (drops). Looks: plug k p ("tag container picture left,top width x height"), start k,
// line k (of cable k's line), rect i, lists (the tokens of instruments 1..5 | input instruments |
// output instruments | terminal marks), marks k (at the input | at the output), side, visible,
// current, kind, mouse, check.
class AssemblyModelTest : public ::testing::Test {
 public:
  void run(const char* script) {
    std::map<QString, QString> seen;
    for (QString step : QString::fromUtf8(script).split(u';', Qt::SkipEmptyParts)) {
      step = step.trimmed();
      const bool still = step.startsWith(u"still "_s);
      const QString action = step.section(u'=', 0, 0).trimmed().mid(still ? 6 : 0);
      const QStringList w = action.split(u' ', Qt::SkipEmptyParts);
      const auto n = [&](int i) { return w.value(i).toDouble(); };
      const auto k = [&](int i) { return w.value(i).toInt(); };
      const auto text = [](double v) { return QString::number(v); };
      const auto point = [&](double x, double y) { return text(x) + u',' + text(y); };
      const auto feedback = [](DragFeedback f) {
        return f == DragFeedback::Beep ? u"beep"_s : u"silent"_s;
      };
      const QString& op = w[0];
      QString result;
      static const QStringList kSteps =
          u"place select click pointer into input output press grab over "
          u"overm overp table drop dropm dropp plug start line rect lists "
          u"marks side visible current kind mouse check"_s.split(u' ');
      if (!kSteps.contains(op)) ADD_FAILURE() << "no such step: " << qPrintable(step);
      if (op == u"place" || op == u"select") model.selectInstrument(k(1));
      if (op == u"place" || op == u"click" || op == u"pointer")
        model.pointerOverTable(n(op == u"place" ? 2 : 1), n(op == u"place" ? 3 : 2));
      if (op == u"place" || op == u"click") model.placeInstrument();
      if (op == u"into" || op == u"input" || op == u"output") model.pressPlug(k(1), k(2), 10, 10);
      if (op == u"into") {
        EXPECT_EQ(model.dragOverInstrument(k(3), 300, 100), DragFeedback::Beep) << qPrintable(step);
        model.dropOnInstrument(k(3));
      }
      if (op == u"input" || op == u"output") {
        EXPECT_EQ(model.dragOverModulator(100, op == u"input" ? 1500 : 300), DragFeedback::Beep);
        model.dropOnModulator();
      }
      if (op == u"press") model.pressPlug(k(1), k(2), n(3), n(4));
      if (op == u"grab") model.pressInstrument(k(1), n(2), n(3));
      if (op == u"over") result = feedback(model.dragOverInstrument(k(1), n(2), n(3)));
      if (op == u"overm") result = feedback(model.dragOverModulator(n(1), n(2)));
      if (op == u"overp") model.dragOverPlug(n(1), n(2));
      if (op == u"table") model.dropOnTable(n(1), n(2));
      if (op == u"drop") model.dropOnInstrument(k(1));
      if (op == u"dropm") model.dropOnModulator();
      if (op == u"dropp") model.dropOnPlug(k(1), k(2));
      if (op == u"plug") {
        const QRectF r = model.plugRect(k(1), k(2));
        const AssemblyModel::Plug& plug = model.plug(k(1), k(2));
        result = plug.Tag + u' ' + text(plug.container) + u' ' + plug.Picture + u' ' +
                 point(r.x(), r.y()) + u' ' + text(r.width()) + u'x' + text(r.height());
      }
      if (op == u"start" || op == u"line")
        result = point(model.Кабель(k(1)).X1, model.Кабель(k(1)).Y1);
      if (op == u"line") result += u' ' + point(model.Кабель(k(1)).X2, model.Кабель(k(1)).Y2);
      if (op == u"rect") {
        const QRectF r = model.instrumentRect(k(1));
        result = point(r.x(), r.y()) + u' ' + text(r.width()) + u'x' + text(r.height());
      }
      if (op == u"lists") {
        for (int i = 1; i <= 5; ++i) result += model.СоедПрибора[i] + (i < 5 ? u"/"_s : u"|"_s);
        result += model.ПриборыВх + u'|' + model.ПриборыВых + u'|' + model.СоедЧМ;
      }
      if (op == u"marks") result = model.ВхКабеля(k(1)) + u'|' + model.ВыхКабеля(k(1));
      if (op == u"side") result = text(model.СторонаЧМ);
      if (op == u"visible")
        for (int i = 1; i <= 5; ++i) result += model.instrument(i).Visible ? text(i) : QString();
      if (op == u"current") result = text(state.НомПрибора);
      if (op == u"kind") result = state.ВидОбъекта;
      if (op == u"mouse") result = point(model.XМыши, model.YЗахв);
      if (op == u"check")
        result = model.checkAssembly() == AssemblyCheck::Complete ? u"complete"_s : u"incomplete"_s;
      if (still) {
        EXPECT_EQ(result, seen[action]) << qPrintable(step);
      }
      if (step.contains(u'=')) {
        EXPECT_EQ(result, step.section(u'=', 1).trimmed()) << qPrintable(step);
      }
      seen[action] = result;
    }
  }

  ModЧМ state;
  AssemblyModel model{state, sizeOf};
};

#define PLACE_ALL                                                              \
  "place 1 1500 600; place 2 1500 1500; place 3 1500 2600; place 4 8500 700; " \
  "place 5 8500 2200; "
#define ONE_IN_EACH "into 1 1 1; into 2 1 2; into 3 1 3; into 4 1 4; into 5 1 5; "

TEST_F(AssemblyModelTest, KeepsItsBookkeepingThroughTheStudentsMouse) {
  const std::pair<const char*, const char*> scripts[] = {
      {"cable 1 from the generator to the input",
       // A free plug lies in its stack. The generator's left top is 1175, 655; its side is "П",
       // so a plug sits in its bottom right corner; the line runs from the generator's right edge
       // to the left edge of plug 2 in the modulator's bottom right corner.
       "plug 4 2 = 20 0 РазъемПр.wmf 8940,4035 555x240; place 1 2000 1000; into 1 1 1; input 1 2;"
       "plug 1 1 = 11 1 ВклРазъемЛев.wmf 1200,480 450x210; plug 1 2 = 20 0 ВхРазъем.wmf 5640,2549 405x226;"
       "lists = 11////|Генератор||Вхд; marks 1 = 1Вхд2|; side = 1; line 1 = 2825,1240 5640,2662"},
      // The half of the modulator under the pointer, by its height in the modulator (1965 twips,
      // the label ЧМ at 982.5): the middle line belongs to the input, and the mark pending in one
      // half goes when the pointer moves on to the other.
      {"the halves of the modulator",
       "press 2 1 10 10; overm 100 1965; marks 2 = Вхд|; side = 1; overm 100 982.5; side = 1;"
       "overm 100 982.49; marks 2 = |Вых; side = 2; overm 100 0; side = 2; dropm; marks 2 = |2Вых1;"
       "lists = ////|||Вых; plug 2 1 = 10 0 ВыхРазъем.wmf 6090,810 405x226"},
      {"a cable never connects an instrument to itself",
       "place 2 3000 1000; into 3 1 2; line 3; press 3 2 20 30; over 2 400 100; drop 2;"
       "plug 3 2 = 20 0 РазъемПр.wmf 2430,4035 555x240; lists = /13///|МВ||; still line 3"},
      // The right and bottom edges stay where the plugged plug had them; the line follows at the
      // drop. XРазъема is a whole number of twips: 5167.5 rounds to the even 5168.
      {"a plug pulled out lies on the same spot",
       "place 1 2000 1000; place 3 6000 3000; into 1 1 1; into 2 2 3; line 1; press 1 1 10 10;"
       "plug 1 1 = 10 0 РазъемЛев.wmf 2270,1105 555x240; lists = //22//|НЧОсц||; still line 1;"
       "overp 10 10; dropp 1 1; plug 1 1 = 10 0 РазъемЛев.wmf 2270,1105 555x240; start 1 = 2825,1225;"
       "press 2 2 10 10; plug 2 2 = 20 0 РазъемПр.wmf 5168,3150 555x240; lists = ////|||"},
      {"moving an instrument redraws every plug line past a blank token",
       "place 2 3000 1000; into 1 1 2; into 2 1 2; into 3 1 2; press 2 1 10 10; table 500 500;"
       "lists = /11  13///|МВМВ||; line 2; grab 2 100 50; over 4 10 10; table 5100 2050;"
       "rect 2 = 5000,2000 1425x450; start 1 = 5000,2345; start 3 = 5000,2345; still line 2"},
      {"a drag passing over the input does not forget the plug there",
       "input 1 1; press 1 2 10 10; overm 100 1500; table 3000 3000; marks 1 = Вхд|;"
       "press 1 1 10 10; lists = ////|||"},
      {"only instruments with a table picture are placed",
       "click 4000 2000; select 6; click 4000 2000; visible = ; current = 6; kind = Приборы;"
       "place 5 4000 2000; visible = 5; rect 5 = 3085,1452.5 1830x1095"},
      {"a drop on another item puts the dragged one under the pointer",
       "place 1 2000 1000; place 2 6000 1000; grab 1 200 100; over 2 300 40 = silent; current = 1;"
       "drop 2; rect 1 = 5387.5,715 1650x690; rect 2 = 5287.5,775 1425x450; press 2 1 30 20;"
       "overp 50 60; dropp 3 1; plug 2 1 = 10 0 РазъемЛев.wmf 305,4075 555x240;"
       "plug 3 1 = 10 0 РазъемЛев.wmf 285,4035 555x240; start 2 = 860,4195"},
      {"placing again by a click takes the cable ends along",
       "place 3 3000 1000; into 4 1 3; place 3 7000 2000; start 4 = 6167.5,2285"},
      {"pointer positions round halves to even",
       "pointer 0.5 0.5; grab 1 0.5 0.5; mouse = 0,0; pointer 1.5 1.5; grab 1 1.5 1.5; mouse = 2,2;"
       "pointer 2.5 2.5; grab 1 2.5 2.5; mouse = 2,2; pointer -0.5 -0.5; grab 1 -0.5 -0.5;"
       "mouse = 0,0; pointer 40000.4 0; grab 1 0 40000.4; mouse = 40000,40000"},
      // The check: every instrument holds a plug, and the modulator has a plug at each terminal;
      // which instrument goes to which terminal is not compared.
      {"check: nothing wired", PLACE_ALL "check = incomplete"},
      {"check: input only", PLACE_ALL ONE_IN_EACH "input 1 2; check = incomplete"},
      {"check: input and output", PLACE_ALL ONE_IN_EACH "input 1 2; output 4 2; check = complete"},
      {"check: output pulled off again", PLACE_ALL ONE_IN_EACH
       "input 1 2; output 4 2; press 4 2 5 5; table 3000 3000; check = incomplete"},
      {"check: a plug pulled from an instrument and put back",
       PLACE_ALL ONE_IN_EACH "input 1 2; output 4 2; press 3 1 5 5; table 3000 3000;"
                             "check = incomplete; into 3 1 3; check = complete"},
      // Both plugs of one cable at the input: each leaves with its mark and plugged-in picture.
      {"check: both plugs of one cable at the input and out again", PLACE_ALL
       "into 2 1 2; into 3 1 3; into 4 1 4; into 5 1 5; into 2 2 1; output 4 2; input 1 1; input 1 2;"
       "marks 1 = 1Вхд2|; check = complete; press 1 2 5 5; table 3000 3000; press 1 1 5 5;"
       "plug 1 1 = 10 0 РазъемЛев.wmf 5640,2549 555x240; table 3200 3000; check = incomplete"},
      {"check: one instrument without a plug",
       PLACE_ALL "into 1 1 1; into 2 1 2; into 3 1 3; into 4 1 4; input 1 2; output 5 2;"
                 "check = incomplete"},
      {"check: wrong wiring passes", PLACE_ALL
       "into 1 1 1; output 1 2; into 2 1 4; input 2 2; into 3 1 2; into 4 1 3; into 5 1 5;"
       "check = complete"}};
  for (const auto& [name, script] : scripts) {
    SCOPED_TRACE(name);
    state = ModЧМ();
    model.load();  // the screen as it is loaded
    run(script);
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
