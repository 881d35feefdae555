#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "records/results_file.h"
#include "support/screen_fixture.h"

namespace {

// A Yes/No question of the real desktop is answered only by "Да" or "Нет"; Escape and the
// window's close button leave it open. OK/Cancel boxes keep Escape as "Отмена".
TEST(SystemBoxes, OnlyAButtonAnswersAQuestion) {
  struct Row {
    MsgButtons buttons;
    bool stillOpen;      // after Escape and after a close of the window
    const char* button;  // then clicked, when the box is still open
    MsgAnswer answer;
  };
  const Row rows[] = {{MsgButtons::YesNo, true, "Да", MsgAnswer::Yes},
                      {MsgButtons::YesNo, true, "Нет", MsgAnswer::No},
                      {MsgButtons::OkCancel, false, "ОК", MsgAnswer::Cancel},
                      {MsgButtons::Ok, false, "ОК", MsgAnswer::Ok}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    bool openAfterEscape = false;
    bool openAfterClose = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      QTest::keyClick(box, Qt::Key_Escape);
      openAfterEscape = box->isVisible();
      if (openAfterEscape) box->close();
      openAfterClose = box->isVisible();
      for (QAbstractButton* b : box->buttons()) {
        if (openAfterClose && b->text() == QString::fromUtf8(row.button)) b->click();
      }
    });
    QTimer::singleShot(10000, [] {  // never hang on a box left open
      if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) box->done(0);
    });
    const MsgAnswer answer = systemDesktop().message(nullptr, QStringLiteral("Вопрос"), row.buttons,
                                                     MsgIcon::None, std::nullopt);
    EXPECT_EQ(std::tuple(openAfterEscape, openAfterClose, answer),
              std::tuple(row.stillOpen, row.stillOpen, row.answer));
  }
}

// A box loaded by "Открыть" holds blanks that typing could not put there; editing it keeps
// them, and only what is pasted in is filtered.
TEST_F(ScreenShots, EditingAPersonalDataBoxKeepsTheBlanksAlreadyThere) {
  hub.show(ScreenId::Title);
  LabScreen* screen = hub.show(ScreenId::PersonalData);
  Результат earlier;
  earlier.Фамилия = QStringLiteral("Ван Дейк");
  earlier.НомерСБ = QStringLiteral("12 345");
  QFile file(programDir.filePath(QStringLiteral("earlier.res")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(encodeResultRecord(earlier)));
  file.close();
  struct Row {
    const char* box;
    std::vector<Qt::Key> keys;
    const char* pasted;  // then pasted at the cursor, or nullptr
    const char* text;    // followed by this many blanks of the field's padding
    int blanks;
    int beeps;
  };
  const Row rows[] = {
      {"TxtФИО(0)", {Qt::Key_End, Qt::Key_Backspace}, nullptr, "Ван Дейк", 11, 0},
      {"TxtФИО(0)", {Qt::Key_Home, Qt::Key_Delete}, nullptr, "ан Дейк", 12, 0},
      {"TxtФИО(0)", {Qt::Key_Home, Qt::Key_Right}, "и. Д", "ВиДан Дейк", 12, 2},
      {"Txt№(1)", {Qt::Key_Home, Qt::Key_Delete}, " 6.", "6.2 345", 14, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    desktop.fileNames = {file.fileName()};
    screen->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
    auto* box = screen->findChild<QLineEdit*>(QString::fromUtf8(row.box));
    desktop.clear();
    for (Qt::Key key : row.keys) QTest::keyClick(box, key);
    if (row.pasted) {
      QGuiApplication::clipboard()->setText(QString::fromUtf8(row.pasted));
      QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(box->text(), QString::fromUtf8(row.text) + QString(row.blanks, QLatin1Char(' ')));
    EXPECT_EQ(desktop.beepCount(), row.beeps);
  }
}

// Root writes into any folder; for the test the thread gives up that power for a while.
class WithoutOverridingPermissions {
 public:
  WithoutOverridingPermissions() {
    syscall(SYS_capget, &header_, saved_);
    __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
    reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
    syscall(SYS_capset, &header_, reduced);
  }
  ~WithoutOverridingPermissions() { syscall(SYS_capset, &header_, saved_); }

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2]{};
};

// A results file that exists and may be written is updated even when its folder takes no new
// files (no temporary file beside it); a new file there cannot be made and is reported.
TEST(ResultsFile, ExistingFileIsUpdatedInAFolderThatTakesNoNewFiles) {
  for (const bool exists : {true, false}) {
    SCOPED_TRACE(exists ? "existing file" : "no file yet");
    QTemporaryDir folder;
    const QString name = folder.filePath(QStringLiteral("Result7_77.res"));
    const QByteArray tail("kept after the record");
    QFile old(name);
    ASSERT_TRUE(!exists ||
                (old.open(QIODevice::WriteOnly) && old.write(QByteArray(554, 'x') + tail)));
    old.close();
    ModЧМ state;
    state.Рез.НомерСБ = QStringLiteral("77");
    state.Рез.Фамилия = QStringLiteral("Петров");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    bool probeCreated = false;
    FileStatus status;
    {
      WithoutOverridingPermissions unprivileged;
      probeCreated = QFile(QStringLiteral("probe")).open(QIODevice::WriteOnly);
      status = state.ЗаписатьРезультат();
    }
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir::setCurrent(previous);
    ASSERT_FALSE(probeCreated) << "the folder still takes new files";
    EXPECT_EQ(status, exists ? FileStatus::Ok : FileStatus::OpenFailed);
    QFile written(name);
    EXPECT_EQ(written.exists(), exists);
    if (!exists || !written.open(QIODevice::ReadOnly)) continue;
    const QByteArray bytes = written.readAll();
    // "Петров" in Windows-1251 padded to 20 bytes; the card number at byte 70; the old tail.
    EXPECT_EQ(bytes.left(20), QByteArray("\xcf\xe5\xf2\xf0\xee\xe2") + QByteArray(14, ' '));
    EXPECT_EQ(bytes.mid(70, 20), QByteArray("77") + QByteArray(18, ' '));
    EXPECT_EQ(bytes.mid(554), tail);
  }
}

// On a dark desktop the mounting table, its two captions and the plugs stay white.
class DarkDesktop : public ScreenShots {
 protected:
  void SetUp() override {
    QPalette dark = original;
    dark.setColor(QPalette::Base, QColor(10, 20, 30));
    dark.setColor(QPalette::Window, QColor(11, 21, 31));
    dark.setColor(QPalette::WindowText, QColor(250, 250, 250));
    dark.setColor(QPalette::Text, QColor(250, 250, 250));
    QApplication::setPalette(dark);
  }
  void TearDown() override { QApplication::setPalette(original); }
  const QPalette original = QApplication::palette();
};

TEST_F(DarkDesktop, TableCaptionsAndPlugsStayWhite) {
  hub.show(ScreenId::MainWindow);
  QWidget* assembly = hub.find(ScreenId::Assembly);
  ASSERT_NE(assembly, nullptr);
  settleEvents();
  for (const char* name : {"PicСтол", "Label16", "Label17", "PicРазъем1(1)", "PicРазъем2(4)"}) {
    SCOPED_TRACE(name);
    auto* widget = assembly->findChild<QWidget*>(QString::fromUtf8(name));
    ASSERT_NE(widget, nullptr);
    const QImage image = widget->grab().toImage();
    int white = 0;
    int dark = 0;  // pixels in the dark desktop's window colours
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor pixel = image.pixelColor(x, y);
        white += pixel == QColor(255, 255, 255);
        dark += pixel == QColor(10, 20, 30) || pixel == QColor(11, 21, 31);
      }
    }
    EXPECT_EQ(dark, 0);
    EXPECT_GT(white, image.width() * image.height() / 4);
  }
}

}  // namespace
