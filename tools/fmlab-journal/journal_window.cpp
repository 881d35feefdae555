#include "tools/fmlab-journal/journal_window.h"

#include <QCollator>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QProgressDialog>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>

#include "platform/access.h"
#include "teacher/results_output.h"
#include "teacher/results_pages.h"
#include "teacher/results_text.h"
#include "tools/fmlab-journal/journal_dialogs.h"
#include "tools/fmlab-journal/page_view.h"

namespace {

constexpr int kRecentFolders = 8;
const QString kRecentKey = QStringLiteral("recentFolders");
const QString kTitle = QStringLiteral("Журнал преподавателя");
const QString kEmptyHint = QStringLiteral(
    "Откройте папку с присланными файлами результатов (Result7_*.res): «Файл» → «Открыть "
    "папку…» (Ctrl+O), или перетащите папку или файлы в это окно.");

// A control with the name tests and the screen reader know it by.
template <class Widget>
Widget* named(Widget* widget, const char* name, const QString& spoken) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setAccessibleName(spoken);
  return widget;
}

QLabel* caption(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

JournalWindow::JournalWindow(JournalDialogs& dialogs, QSettings& settings, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), settings_(settings) {
  setObjectName(QStringLiteral("JournalWindow"));
  setWindowTitle(kTitle);
  setAcceptDrops(true);
  resize(1280, 800);

  group_ = named(new QComboBox, "group", QStringLiteral("Группа"));
  search_ = named(new QLineEdit, "search", QStringLiteral("Поиск по фамилии, имени или билету"));
  search_->setClearButtonEnabled(true);
  search_->setPlaceholderText(QStringLiteral("фамилия, имя или номер билета"));
  filter_.setSourceModel(&table_);
  view_ = named(new QTableView, "table", QStringLiteral("Студенты"));
  view_->setModel(&filter_);
  view_->setSortingEnabled(true);
  view_->sortByColumn(ClassTable::Student, Qt::AscendingOrder);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setTabKeyNavigation(false);  // Tab goes on to the page
  view_->verticalHeader()->hide();
  view_->setWordWrap(false);
  view_->horizontalHeader()->setStretchLastSection(true);
  // Widths in characters: a long surname with initials, a group, a card, the counts.
  const int widths[ClassTable::File] = {26, 8, 11, 6, 5, 10, 11};
  for (int column = 0; column < ClassTable::File; ++column) {
    QHeaderView& header = *view_->horizontalHeader();
    header.resizeSection(column,
                         std::max(header.sectionSizeHint(column),
                                  view_->fontMetrics().averageCharWidth() * widths[column]));
  }
  page_ = named(new PageView, "page", QStringLiteral("Страница студента"));
  page_->setHint(kEmptyHint);
  card_ = named(new QPlainTextEdit, "card", QStringLiteral("Карточка файла"));
  card_->setReadOnly(true);
  card_->setTabChangesFocus(true);
  card_->setLineWrapMode(QPlainTextEdit::NoWrap);
  card_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

  auto* left = new QWidget;
  auto* filters = new QHBoxLayout;
  filters->addWidget(caption(QStringLiteral("&Группа:"), group_));
  filters->addWidget(group_, 1);
  filters->addWidget(caption(QStringLiteral("&Поиск:"), search_));
  filters->addWidget(search_, 2);
  auto* column = new QVBoxLayout(left);
  column->addLayout(filters);
  column->addWidget(view_);
  auto* right = new QSplitter(Qt::Vertical);
  right->addWidget(page_);
  right->addWidget(card_);
  right->setStretchFactor(0, 3);
  right->setStretchFactor(1, 1);
  auto* sides = new QSplitter(Qt::Horizontal);
  sides->addWidget(left);
  sides->addWidget(right);
  sides->setSizes({700, 580});
  setCentralWidget(sides);
  setTabOrder(group_, search_);
  setTabOrder(search_, view_);
  setTabOrder(view_, page_);
  setTabOrder(page_, card_);

  counts_ = named(new QLabel, "counts", QStringLiteral("Итого"));
  progress_ = named(new QProgressBar, "progress", QStringLiteral("Чтение файлов"));
  progress_->setFormat(QStringLiteral("прочитано %v из %m"));
  progress_->hide();
  statusBar()->addWidget(counts_, 1);
  statusBar()->addPermanentWidget(progress_);
  makeMenus();

  connect(&reader_, &ClassReader::cleared, &table_, &ClassTable::clear);
  connect(&reader_, &ClassReader::read, &table_, &ClassTable::put);
  connect(&reader_, &ClassReader::gone, &table_, &ClassTable::remove);
  connect(&reader_, &ClassReader::progress, this, [this](int done, int total) {
    progress_->setVisible(done < total);
    progress_->setRange(0, total);
    progress_->setValue(done);
    showGroups();
  });
  for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
    connect(&table_, signal, this, &JournalWindow::showCounts);
  }
  connect(&table_, &QAbstractItemModel::modelReset, this, &JournalWindow::showCounts);
  connect(&table_, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from) {
    showCounts();
    const QModelIndex current = filter_.mapToSource(view_->currentIndex());
    if (current.row() == from.row()) showCurrent();
  });
  // The first file read is shown at once; the view keeps its current row as rows come and go.
  connect(&filter_, &QAbstractItemModel::rowsInserted, this, [this] {
    if (!view_->currentIndex().isValid()) view_->selectRow(0);
  });
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &JournalWindow::showCurrent);
  connect(group_, &QComboBox::currentIndexChanged, this,
          [this](int index) { filter_.setGroup(index > 0 ? group_->itemText(index) : QString()); });
  connect(search_, &QLineEdit::textChanged, &filter_, &ClassFilter::setSearch);
  connect(page_, &PageView::step, this, &JournalWindow::stepStudent);
  showGroups();
  showCounts();
}

void JournalWindow::makeMenus() {
  enableMenuKeys(this);
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
  const auto action = [this](QMenu* menu, const char* name, const QString& text, auto slot,
                             QKeySequence keys = {}) {
    QAction* item = menu->addAction(text, this, slot);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(keys);
    return item;
  };
  action(
      file, "openFolder", QStringLiteral("&Открыть папку…"),
      [this] {
        const QString folder = dialogs_.chooseFolder(this, reader_.sources().value(0));
        if (!folder.isEmpty()) open({folder});
      },
      QKeySequence::Open);
  action(file, "openFiles", QStringLiteral("Открыть &файлы…"), [this] {
    const QStringList files = dialogs_.chooseFiles(this, reader_.sources().value(0));
    if (!files.isEmpty()) open(files);
  });
  recent_ = file->addMenu(QStringLiteral("&Недавние папки"));
  recent_->setObjectName(QStringLiteral("recentFolders"));
  makeRecentMenu();
  file->addSeparator();
  const struct {
    ExportFormat format;
    const char* name;
    const char* text;
  } formats[] = {{ExportFormat::Pdf, "Pdf", "PDF…"},
                 {ExportFormat::Csv, "Csv", "CSV (для электронной таблицы)…"},
                 {ExportFormat::Json, "Json", "JSON…"}};
  for (const bool chosen : {false, true}) {
    QMenu* menu = file->addMenu(chosen ? QStringLiteral("Экспорт &выбранных строк")
                                       : QStringLiteral("&Экспорт всех строк таблицы"));
    for (const auto& format : formats) {
      const QByteArray name = (chosen ? "exportChosen" : "exportAll") + QByteArray(format.name);
      action(menu, name.constData(), QString::fromUtf8(format.text),
             [this, format = format.format, chosen] { exportRows(format, chosen); });
    }
  }
  action(
      file, "print", QStringLiteral("&Печать выбранных страниц…"), [this] { printChosen(); },
      QKeySequence::Print);
  file->addSeparator();
  action(
      file, "quit", QStringLiteral("В&ыход"), [this] { close(); }, QKeySequence::Quit);
}

void JournalWindow::makeRecentMenu() {
  recent_->clear();
  const QStringList folders = settings_.value(kRecentKey).toStringList();
  for (int i = 0; i < folders.size(); ++i) {
    const QString folder = folders[i];
    QAction* item = recent_->addAction(
        QStringLiteral("&%1 %2").arg(i + 1).arg(shownText(folder)), this, [this, folder] {
          if (QFileInfo(folder).isDir()) return open({folder});
          dialogs_.tell(this, QStringLiteral("Папки больше нет: %1").arg(folder));
          QStringList kept = settings_.value(kRecentKey).toStringList();
          kept.removeAll(folder);
          settings_.setValue(kRecentKey, kept);
          makeRecentMenu();
        });
    item->setObjectName(QStringLiteral("recentFolder%1").arg(i + 1));
  }
  recent_->setEnabled(!folders.isEmpty());
}

void JournalWindow::remember(const QStringList& paths) {
  QStringList folders = settings_.value(kRecentKey).toStringList();
  for (const QString& path : paths) {
    if (!QFileInfo(path).isDir()) continue;
    const QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    folders.removeAll(folder);
    folders.prepend(folder);
  }
  settings_.setValue(kRecentKey, folders.mid(0, kRecentFolders));
  makeRecentMenu();
}

void JournalWindow::open(const QStringList& paths, bool add) {
  if (!add) page_->setHint(kEmptyHint), card_->clear();
  reader_.open(paths, add);
  remember(paths);
  QStringList names;
  for (const QString& source : reader_.sources()) names << QFileInfo(source).fileName();
  setWindowTitle(kTitle + QStringLiteral(" — ") + shownText(names.join(QStringLiteral(", "))));
}

void JournalWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (std::ranges::any_of(urls, &QUrl::isLocalFile)) event->acceptProposedAction();
}

void JournalWindow::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  open(paths, !reader_.sources().isEmpty());  // what is dropped joins what is open
}

void JournalWindow::showCurrent() {
  const QModelIndex current = filter_.mapToSource(view_->currentIndex());
  if (!current.isValid()) {
    page_->setHint(table_.rowCount() == 0 ? kEmptyHint
                                          : QStringLiteral("Выберите студента в таблице."));
    card_->clear();
    return;
  }
  const ClassEntry& entry = table_.entry(current.row());
  const ResultsFileReport& report = entry.report;
  if (entry.copying) {
    const QString copying =
        QStringLiteral("Файл %1 еще копируется; он будет прочитан, когда копирование закончится.")
            .arg(shownText(report.path));
    page_->setHint(copying);
    card_->setPlainText(copying);
  } else {
    page_->setReport(report);
    card_->setPlainText(resultsCard(report));
  }
  QStringList findings;
  for (const ResultsFinding& finding : report.findings) findings << finding.text;
  page_->setAccessibleDescription(!report.readable()   ? report.error
                                  : findings.isEmpty() ? QStringLiteral("Замечаний нет.")
                                                       : QStringLiteral("Замечания: ") +
                                                             findings.join(QLatin1Char(' ')));
}

void JournalWindow::showCounts() {
  const ClassTable::Counts c = table_.counts();
  QString text =
      QStringLiteral("Файлов: %1; без замечаний: %2; с замечаниями: %3; не прочитано: %4")
          .arg(c.files)
          .arg(c.sound)
          .arg(c.withFindings)
          .arg(c.unread);
  if (c.copying > 0) text += QStringLiteral("; копируется: %1").arg(c.copying);
  counts_->setText(text + QLatin1Char('.'));
}

void JournalWindow::showGroups() {
  QStringList groups = table_.groups();
  QCollator collator(QLocale(QLocale::Russian, QLocale::Russia));
  collator.setNumericMode(true);
  std::ranges::sort(groups, collator);
  groups.prepend(QStringLiteral("Все группы"));
  QStringList shown;
  for (int i = 0; i < group_->count(); ++i) shown << group_->itemText(i);
  if (shown == groups) return;
  const QString chosen = group_->currentText();
  const QSignalBlocker quiet(group_);
  group_->clear();
  group_->addItems(groups);
  group_->setCurrentIndex(std::max(0, int(groups.indexOf(chosen))));
}

void JournalWindow::stepStudent(int rows) {
  const int row = std::clamp(view_->currentIndex().row() + rows, 0, filter_.rowCount() - 1);
  if (row >= 0) view_->setCurrentIndex(filter_.index(row, view_->currentIndex().column()));
}

std::vector<ResultsFileReport> JournalWindow::rows(bool chosenOnly) const {
  std::vector<int> shownRows;
  if (chosenOnly) {
    for (const QModelIndex& index : view_->selectionModel()->selectedRows())
      shownRows.push_back(index.row());
    if (shownRows.empty() && view_->currentIndex().isValid())
      shownRows.push_back(view_->currentIndex().row());
    std::ranges::sort(shownRows);
  } else {
    for (int row = 0; row < filter_.rowCount(); ++row) shownRows.push_back(row);
  }
  std::vector<ResultsFileReport> reports;
  for (int row : shownRows) {
    const ClassEntry& entry = table_.entry(filter_.mapToSource(filter_.index(row, 0)).row());
    if (!entry.copying) reports.push_back(entry.report);
  }
  return reports;
}

void JournalWindow::exportRows(ExportFormat format, bool chosenOnly) {
  const std::vector<ResultsFileReport> reports = rows(chosenOnly);
  if (reports.empty()) {
    dialogs_.tell(this, QStringLiteral("В таблице нет строк для экспорта."));
    return;
  }
  const char* const suffixes[] = {"pdf", "csv", "json"};
  const char* const filters[] = {"Документ PDF (*.pdf)", "Таблица CSV (*.csv)", "JSON (*.json)"};
  const int kind = static_cast<int>(format);
  const QString folder = reader_.sources().isEmpty() ? QDir::homePath() : reader_.sources()[0];
  const QString proposed = QFileInfo(folder).isDir() ? folder : QFileInfo(folder).path();
  const QString name = dialogs_.chooseSaveName(
      this,
      QDir(proposed).filePath(QStringLiteral("журнал.") + QString::fromLatin1(suffixes[kind])),
      QString::fromUtf8(filters[kind]));
  if (name.isEmpty()) return;
  QProgressDialog progress(QStringLiteral("Страницы PDF…"), QString(), 0, int(reports.size()),
                           this);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  if (!exportReports(format, name, reports,
                     [&progress](int done, int) { progress.setValue(done); })) {
    dialogs_.tell(this, QStringLiteral("Не удалось записать файл %1.").arg(name));
  }
}

void JournalWindow::printChosen() {
  const std::vector<ResultsFileReport> reports = rows(true);
  if (reports.empty()) return;
  QPrinter printer(QPrinter::HighResolution);
  setResultsPageLayout(printer);
  printer.setDocName(QStringLiteral("Отчеты студентов"));
  if (!dialogs_.choosePrinter(this, printer)) return;
  if (!drawResultsPages(printer, reports, reports.size() > 1))
    dialogs_.tell(this, QStringLiteral("Не удалось напечатать страницы."));
}
