// The window with outputs that cannot be written and a locale whose
// decimal separator is a comma. The runner starts under that locale (see main), as a German
// desktop would start it: QApplication takes the C library's locale from the environment.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <functional>
#include <system_error>

#include "app/trevil.h"
#include "modal_answers.h"
#include "support/comma_locale.h"
#include "support/temp_dir.h"
#include "widgets.h"

using zolvane::testing::Session;

namespace {

// The system's words for a fault, in the language the test runs in.
QString Reason(int code) {
  return QString::fromStdString(std::generic_category().message(code));
}

// Transform > Translate > Data in meters, 1.5 km towards 30 degrees, comma layouts.
QByteArray TranslateInMetres(const QString& input, const QString& output) {
  Session session;
  session.answers.Play({Typing("distancia", "1.5"), Typing("teta", "30"), Pressing("traslatecom")})
      .File(input)
      .Play({Named("xyzi"), Pressing("Option1"), Pressing("Command1")})
      .File(output)
      .Play({Named("xyzo"), Pressing("Option1"), Pressing("Command1")});
  session.Trigger("trasla_2");
  [&session] { QCOMPARE(session.answers.Problems(), QString()); }();  // a failure is recorded
  return ReadFile(output);
}

}  // namespace

class HostileWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The folder removed between the Save dialog and the write, and a full device: the box names
  // the file and the system's reason.
  void AnOutputThatCannotBeWrittenIsNamed() {
    zolvane::testing::TempDir dir;
    const QString input = QString::fromStdString(dir.File("in.bna"));
    WriteFile(input, "\"-25\",\"first\",2\r\n2.5,41.3\r\n2.75,41.25\r\n");
    const QString folder = QString::fromStdString(dir.File("weg ü"));
    QVERIFY(QDir().mkdir(folder));
    const std::string full = dir.File("full");
    const bool device = mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    const struct {
      QString output;
      std::function<void()> beforeWrite;
      QString reason;
    } cases[] = {
        {folder + "/-aus.dat", [&folder] { QDir(folder).removeRecursively(); }, Reason(ENOENT)},
        {QString::fromStdString(full), {}, Reason(ENOSPC)},
    };
    for (const auto& c : cases) {
      if (!device && !c.beforeWrite) continue;  // a private device node needs root
      Session session;
      QString message;
      session.answers.File(input)
          .File(c.output)
          .Then([&c](QWidget* dialog) {
            if (c.beforeWrite) c.beforeWrite();
            Play(dialog, {Named("xyzo"), Pressing("Option1"), Pressing("Command1")});
          })
          .Message(QMessageBox::Ok, &message);
      session.Trigger("bnaxyz_1");
      QCOMPARE(session.answers.Problems(), QString());
      QCOMPARE(message.section('|', 1),
               "The file cannot be written:\n" + c.output + "\n" + c.reason);
      QVERIFY(!Label(session.window, "status").contains("Finished"));
    }
    QVERIFY(!QFile::exists(folder));
    // Beside the input and the device, no temporary and no partial output.
    QCOMPARE(dir.Entries(), device ? 2 : 1);
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
