// The window with awkward file names, outputs that cannot be written and a locale whose
// decimal separator is a comma. The runner starts under that locale (see main), as a German
// desktop would start it: QApplication takes the C library's locale from the environment.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <system_error>

#include "app/trevil.h"
#include "modal_answers.h"
#include "support/comma_locale.h"
#include "support/temp_dir.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;

namespace {

const QByteArray kBna = "\"-25\",\"first\",2\r\n2.5,41.3\r\n2.75,41.25\r\n";

// The output-options dialog answered with one delimiter, after `before`.
ModalAnswers::Answer Layout(const char* name, const char* option,
                            std::function<void()> before = {}) {
  return [=](QWidget* dialog) {
    if (before) before();
    QCOMPARE(dialog->objectName(), QString(name));
    Child<QRadioButton>(dialog, option)->click();
    Child<QPushButton>(dialog, "Command1")->click();
  };
}

// The system's words for a fault, in the language the test runs in.
QString Reason(int code) {
  return QString::fromStdString(std::generic_category().message(code));
}

// A main window whose dialogs are answered from `answers` when a menu item runs.
struct Session {
  zolvane::RunState state;
  zolvane::Trevil window{state};
  ModalAnswers answers;

  Session() { window.show(); }
  void Run(const char* item) {
    window.findChild<QAction*>(item)->trigger();
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QVERIFY(answers.Done());
  }
  QString Label(const char* name) { return Child<QLabel>(&window, name)->text(); }
};

// Transform > Translate > Data in meters, 1.5 km towards 30 degrees, comma layouts.
QByteArray TranslateInMetres(const QString& input, const QString& output) {
  Session session;
  session.answers
      .Then([](QWidget* dialog) {
        Type(dialog, "distancia", "1.5");
        Type(dialog, "teta", "30");
        Click(dialog, "traslatecom");
      })
      .File(input)
      .Then(Layout("xyzi", "Option1"))
      .File(output)
      .Then(Layout("xyzo", "Option1"));
  session.Run("trasla_2");
  return ReadFile(output);
}

}  // namespace

class HostileWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // A name is typed into the Save dialog as a user would; the input is picked.
  void NamesWithBlanksNonAsciiAndLeadingDashes() {
    QTemporaryDir dir;
    const QString folder = dir.filePath("Kieler Förde ø");
    QVERIFY(QDir().mkdir(folder));
    const QString input = folder + "/-Linien ü.bna";
    WriteFile(input, kBna);
    Session session;
    session.answers.File(input)
        .Then([&folder](QWidget* widget) {
          auto* dialog = qobject_cast<QFileDialog*>(widget);
          QVERIFY(dialog);
          dialog->setDirectory(folder);
          Child<QLineEdit>(dialog, "fileNameEdit")->setText("-aus é.dat");
          static_cast<QDialog*>(dialog)->accept();
        })
        .Then(Layout("xyzo", "Option2"));
    session.Run("bnaxyz_1");
    const QString output = folder + "/-aus é.dat";
    QCOMPARE(session.Label("status"), QString(" Finished  BNA > XYZ "));
    QCOMPARE(ReadFile(output), QByteArray("2.5 41.3 \"-25\"\r\n2.75 41.25 \"-25\"\r\n"));
    QCOMPARE(session.Label("Label1_0"), input);
    QCOMPARE(session.Label("Label1_1"), output);
  }

  // The folder removed between the Save dialog and the write, a file put where the folder
  // was, and a full device: the box names the file and the system's reason.
  void AnOutputThatCannotBeWrittenIsNamed() {
    zolvane::testing::TempDir dir;
    const QString input = QString::fromStdString(dir.File("in.bna"));
    WriteFile(input, kBna);
    const QString folder = QString::fromStdString(dir.File("weg ü"));
    const QString blocked = QString::fromStdString(dir.File("blocked"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(QDir().mkdir(blocked));
    const std::string full = dir.File("full");
    const bool device = mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    const struct {
      QString output;
      std::function<void()> beforeWrite;
      QString reason;
    } cases[] = {
        {folder + "/-aus.dat", [&folder] { QDir(folder).removeRecursively(); }, Reason(ENOENT)},
        {blocked + "/aus.dat",
         [&blocked] {
           QDir(blocked).removeRecursively();
           WriteFile(blocked, "a file, not a folder");
         },
         Reason(ENOTDIR)},
        {QString::fromStdString(full), {}, Reason(ENOSPC)},
    };
    for (const auto& c : cases) {
      if (!device && !c.beforeWrite) continue;  // a private device node needs root
      Session session;
      QString message;
      session.answers.File(input)
          .File(c.output)
          .Then(Layout("xyzo", "Option1", c.beforeWrite))
          .Then([&message](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            QVERIFY(box);
            message = box->text();
            box->button(QMessageBox::Ok)->click();
          });
      session.Run("bnaxyz_1");
      QCOMPARE(message, "The file cannot be written:\n" + c.output + "\n" + c.reason);
      QVERIFY(!session.Label("status").contains("Finished"));
    }
    QVERIFY(!QFile::exists(folder));
    QVERIFY(QFile::remove(blocked));
    // Beside the input and the device, no temporary and no partial output.
    QCOMPARE(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), device ? 2 : 1);
  }

  // The same bytes under the comma locale as under C, from a value typed into a dialog to
  // the numbers read and written.
  void ACommaLocaleChangesNoByte() {
    if (*std::localeconv()->decimal_point != ',') QSKIP("no comma locale could be made");
    QTemporaryDir dir;
    const QString input = dir.filePath("in.dat");
    WriteFile(input, "500000.5,4500000.25,10.5\n431234.75,4581234.5,-3.25\n");
    const QByteArray comma = TranslateInMetres(input, dir.filePath("comma.dat"));
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    const QByteArray plain = TranslateInMetres(input, dir.filePath("plain.dat"));
    std::setlocale(LC_ALL, "");
    QLocale::setDefault(QLocale::system());
    QVERIFY(plain.contains('.'));
    QCOMPARE(comma, plain);
  }
};

int main(int argc, char* argv[]) {
  zolvane::testing::TempDir localeDir;
  const std::string locales = zolvane::testing::MakeCommaLocale(localeDir);
  if (!locales.empty()) {
    setenv("LOCPATH", locales.c_str(), 1);
    setenv("LC_ALL", zolvane::testing::kCommaLocale, 1);
  }
  QApplication application(argc, argv);
  HostileWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "hostile_window_test.moc"
