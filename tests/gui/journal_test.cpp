// The teacher's side over students' files that cannot be trusted: a table of crafted files
// through every output of the command line and of the journal; the journal offscreen over a
// class folder that changes while it is open; its controls by name and by Tab.
#include "support/journal.h"

#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTableView>
#include <QTextStream>

#include "records/results_file.h"
#include "support/lab.h"
#include "support/records.h"
#include "tools/fmlab-journal/journal_window.h"
#include "tools/fmlab-journal/page_view.h"
#include "tools/fmlab-results/results_tool.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using R = Результат;
using Column = ClassTable::Column;

// What would act on a terminal: a control character other than the line break.
bool rawControls(const QString& text) {
  return std::ranges::any_of(text, [](QChar c) {
    return c != u'\n' && (c < u' ' || (c >= QChar(0x7F) && c <= QChar(0x9F)));
  });
}

int pdfPages(const QString& path) { return int(fileBytes(path).count("/Type /Page\n")); }

class Journal : public ::testing::Test {
 protected:
  Journal() { window.show(); }
  // A file as the mail left it long ago, or (`fresh`) one written just now.
  QString write(const QString& name, const QByteArray& bytes, bool fresh = false) {
    const QString path = class_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.flush();
    if (!fresh)
      file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFile::FileModificationTime);
    return path;
  }
  template <class Widget = QWidget>
  Widget* find(const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
  }
  QTableView* table() { return find<QTableView>("table"); }
  QString cell(int row, Column column) {
    return table()->model()->index(row, column).data().toString();
  }
  QStringList column(Column column) {
    QStringList texts;
    for (int row = 0; row < table()->model()->rowCount(); ++row) texts << cell(row, column);
    return texts;
  }
  bool shows(int rows) {
    return table()->model()->rowCount() == rows && !find("progress")->isVisible();
  }
  QString card() { return find<QPlainTextEdit>("card")->toPlainText(); }

  QTemporaryDir class_, elsewhere;
  QSettings settings{elsewhere.filePath(u"journal.ini"_s), QSettings::IniFormat};
  ScriptedDialogs dialogs;
  JournalWindow window{dialogs, settings};
};

// Each crafted text (or file) through the card, CSV and JSON of the command line and through the
// journal's table, page and card: no output holds a raw control character; the card and the
// journal show `shown`; CSV holds `csv` as a cell; JSON gives back the text exactly.
TEST_F(Journal, AStudentsTextIsShownAsTypedOrEscapedEverywhere) {
  const auto surname = [](R& r, const QString& t) { r.Фамилия = t; };
  const auto name = [](R& r, const QString& t) { r.Имя = t; };
  const auto patronymic = [](R& r, const QString& t) { r.Отчество = t; };
  const auto group = [](R& r, const QString& t) { r.Группа = t; };
  const auto number = [](R& r, const QString& t) { r.НомерСБ = t; };
  const struct {
    std::function<void(R&, const QString&)> set;
    QString raw, shown, csv;
    bool control = false;
    QString file = u"Result7_1.res"_s;
    qsizetype size = kResultRecordSize;
  } rows[] = {
      {surname, uR"(=2+5+cmd|"/c calc"!A)"_s, uR"(=2+5+cmd|"/c calc"!A)"_s,
       uR"("'=2+5+cmd|""/c calc""!A")"_s},
      {name, u"@SUM(A1)"_s, u"@SUM(A1)"_s, u"'@SUM(A1)"_s},
      {group, u"-РС"_s, u"-РС"_s, u"'-РС"_s},
      {number, u"+7"_s, u"+7"_s, u"'+7"_s},
      {patronymic, u"\tИльич"_s, uR"(\x09Ильич)"_s, uR"('\x09Ильич)"_s, true},
      {name, u"\rИван"_s, uR"(\x0DИван)"_s, uR"('\x0DИван)"_s, true},
      {surname, u"\x1b[2J\x1b]0;hi\x07"_s, uR"(\x1B[2J\x1B]0;hi\x07)"_s,
       uR"("\x1B[2J\x1B]0;hi\x07")"_s, true},
      {surname, u"Ив"_s + QChar(0) + u"анов"_s, uR"(Ив\x00анов)"_s, uR"(Ив\x00анов)"_s, true},
      {surname, u"Ив\x7f\x98анов"_s, uR"(Ив\x7F\x98анов)"_s, uR"(Ив\x7F\x98анов)"_s, true},
      {[](R& r, const QString&) { r.Харuвх[1] = -5; }, {}, u"-5"_s, u"-5"_s},  // a number
      {surname, u"<b>x</b>"_s, u"<b>x</b>"_s, u"<b>x</b>"_s},
      {surname, u"<img src=a.png>"_s, u"<img src=a.png>"_s, u"<img src=a.png>"_s},
      {surname,
       u"Петров"_s,
       uR"(Result7_\x1B]0;x\x07.res)"_s,
       {},
       false,
       u"Result7_\x1b]0;x\x07.res"_s},
      {surname, u"Петров"_s, u"в нем 553 байта"_s, {}, false, u"Result7_1.res"_s, 553},
      {surname, u"Петров"_s, u"еще 46 байт"_s, {}, false, u"Result7_1.res"_s, 600}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.shown.toStdString());
    R r = filledRecord();
    row.set(r, row.raw);
    QByteArray bytes = encodeResultRecord(r);
    bytes.resize(row.size, 'x');
    QDir(class_.path()).removeRecursively(), QDir().mkpath(class_.path());
    const QString path = write(row.file, bytes);
    QString outputs[3], err;
    for (int i = 0; i < 3; ++i) {
      QTextStream out(&outputs[i]), errors(&err);
      const QString format[] = {u"--"_s, u"--csv"_s, u"--json"_s};
      runResultsTool({format[i], path}, out, errors, QLocale::c());
    }
    const auto& [cards, csv, json] = outputs;
    EXPECT_FALSE(rawControls(cards + csv + json + err)) << (cards + csv + json + err).toStdString();
    EXPECT_TRUE(cards.contains(row.shown)) << cards.toStdString();
    EXPECT_TRUE(row.csv.isEmpty() || csv.contains(u';' + row.csv + u';')) << csv.toStdString();
    const QJsonObject file = QJsonDocument::fromJson(json.toUtf8()).array()[0].toObject();
    EXPECT_EQ(file[u"file"_s].toString(), path);
    const QVariantList texts = file[u"record"_s].toObject().toVariantMap().values();
    EXPECT_TRUE(row.size != kResultRecordSize || texts.contains(row.raw));
    const auto control = std::ranges::count(inspectResultsFile(path).findings,
                                            ResultsFinding::Kind::Control, &ResultsFinding::kind);
    EXPECT_EQ(control, row.control ? 1 : 0);

    window.open({class_.path()});
    ASSERT_TRUE(QTest::qWaitFor([this] { return shows(1); }));
    EXPECT_FALSE(rawControls(column(Column::Student)[0] + column(Column::File)[0] + card()));
    EXPECT_TRUE(card().contains(row.shown)) << card().toStdString();
    EXPECT_FALSE(find<PageView>("page")->page().isNull());
    EXPECT_EQ(find("page")->accessibleDescription().contains(u"управляющие символы"_s),
              row.control);
  }
}

// A student's record with a surname and a group of their own.
QByteArray student(const QString& surname, const QString& group, const QString& card) {
  R r = filledRecord(card);
  r.Фамилия = surname, r.Группа = group;
  return encodeResultRecord(r);
}

// The journal over a class folder: sorted in the Russian alphabet whatever the locale, filtered,
// a student chosen and walked from; exports and printing of all or the chosen rows; files that
// arrive (one still being copied), go, or are dropped on the window.
TEST_F(Journal, ShowsAWatchedClassFolder) {
  write(u"Result7_1.res"_s, student(u"Жуков"_s, u"РС-9"_s, u"1"_s));
  write(u"Result7_2.res"_s, student(u"Ёлкина"_s, u"РС-10"_s, u"2"_s));
  write(u"Result7_3.res"_s, student(u"иванов"_s, u"РС-10"_s, u"3"_s));
  write(u"Result7_4.res"_s, student(u"Ежов"_s, u"РС-9"_s, u"4"_s));
  write(u"Result7_5.res"_s, QByteArray(100, 'x'));
  dialogs.folders << class_.path();
  find<QAction>("openFolder")->trigger();
  ASSERT_TRUE(QTest::qWaitFor([this] { return shows(5); }));
  EXPECT_EQ(column(Column::Student),
            (QStringList{u"Ежов П. П."_s, u"Ёлкина П. П."_s, u"Жуков П. П."_s, u"иванов П. П."_s,
                         u"Result7_5.res"_s}));
  table()->sortByColumn(Column::Group, Qt::AscendingOrder);
  EXPECT_EQ(column(Column::Group).mid(0, 3), (QStringList{u""_s, u"РС-9"_s, u"РС-9"_s}));
  EXPECT_EQ(find("counts")->property("text").toString(),
            u"Файлов: 5; без замечаний: 0; с замечаниями: 5; не прочитано: 0."_s);

  auto* group = find<QComboBox>("group");
  group->setCurrentIndex(group->findText(u"РС-10"_s));
  EXPECT_EQ(column(Column::Card), (QStringList{u"2"_s, u"3"_s}));
  group->setCurrentIndex(0);
  find<QLineEdit>("search")->setText(u"Ёлк"_s);
  EXPECT_EQ(column(Column::Card), QStringList{u"2"_s});
  find<QLineEdit>("search")->clear();

  table()->sortByColumn(Column::Card, Qt::AscendingOrder);
  table()->setCurrentIndex(table()->model()->index(2, 0));
  EXPECT_TRUE(card().contains(u"Ёлкина"_s));
  find("page")->setFocus();
  QTest::keyClick(find("page"), Qt::Key_Down);
  EXPECT_TRUE(card().contains(u"иванов"_s));
  table()->selectionModel()->select(table()->model()->index(4, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);

  const QString csv = elsewhere.filePath(u"chosen.csv"_s), json = elsewhere.filePath(u"all.json"_s),
                pdf = elsewhere.filePath(u"all.pdf"_s);
  dialogs.saveNames << csv << json << pdf;
  for (const char* action : {"exportChosenCsv", "exportAllJson", "exportAllPdf"})
    find<QAction>(action)->trigger();
  const QStringList lines = QString::fromUtf8(fileBytes(csv)).split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[1].contains(u";иванов;"_s) && lines[2].contains(u";Ежов;"_s));
  EXPECT_EQ(QJsonDocument::fromJson(fileBytes(json)).array().size(), 5);
  EXPECT_EQ(pdfPages(pdf), 6);  // a page each and the summary
  dialogs.printTo = elsewhere.filePath(u"printed.pdf"_s);
  find<QAction>("print")->trigger();
  EXPECT_EQ(pdfPages(dialogs.printTo), 3);
  EXPECT_TRUE(dialogs.told.isEmpty()) << dialogs.told.join(u'\n').toStdString();

  // A file still being copied is shown as such, then read once whole; a file removed goes.
  const QByteArray whole = student(u"Яшин"_s, u"РС-9"_s, u"6"_s);
  write(u"Result7_6.res"_s, whole.left(300), true);
  ASSERT_TRUE(
      QTest::qWaitFor([this] { return column(Column::Findings).contains(u"копируется…"_s); }));
  write(u"Result7_6.res"_s, whole, true);
  QFile::remove(class_.filePath(u"Result7_5.res"_s));
  ASSERT_TRUE(
      QTest::qWaitFor([this] { return column(Column::Student).contains(u"Яшин П. П."_s); }, 3000));
  EXPECT_TRUE(QTest::qWaitFor([this] { return shows(5); }, 3000));

  QTemporaryDir dropped;
  QFile::copy(class_.filePath(u"Result7_1.res"_s), dropped.filePath(u"Result7_7.res"_s));
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(dropped.path())});
  QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QDropEvent drop({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  QApplication::sendEvent(&window, &drop);
  EXPECT_TRUE(QTest::qWaitFor([this] { return shows(6); }));
  EXPECT_EQ(settings.value(u"recentFolders"_s).toStringList(),
            (QStringList{dropped.path(), class_.path()}));
}

// Tab walks the filters, the table, the page and the card, each named for a screen reader; so
// is every menu item.
TEST_F(Journal, EveryControlIsNamedAndOnTheTabChain) {
  write(u"Result7_1.res"_s, student(u"Жуков"_s, u"РС-9"_s, u"1"_s));
  window.open({class_.path()});
  ASSERT_TRUE(QTest::qWaitFor([this] { return shows(1); }));
  QApplication::setActiveWindow(&window);
  find("group")->setFocus();
  for (const char* name : {"group", "search", "table", "page", "card", "group"}) {
    EXPECT_EQ(QApplication::focusWidget(), find(name)) << name;
    EXPECT_FALSE(find(name)->accessibleName().isEmpty()) << name;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  for (const QAction* action : window.menuBar()->findChildren<QAction*>()) {
    const bool item = !action->isSeparator() && !action->menu();
    EXPECT_FALSE(item && (action->objectName().isEmpty() || action->text().isEmpty()));
  }
}

}  // namespace
