// A plan export run from the menu bar of the real window.
#include <QAction>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include "app/trevil.h"
#include "modal_answers.h"

using zolvane::testing::ModalAnswers;

namespace {

const QByteArray kLine = "\"S1\",\"two\",-2\r\n-3.25,41.5\r\n10.5,-33.75\r\n";

QString WriteBna(const QTemporaryDir& dir) {
  const QString path = dir.filePath("plan.bna");
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(kLine);
  return path;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Status(const QWidget& window) {
  return window.findChild<QLabel*>("status")->text();
}

}  // namespace

class PlanGuiTest : public QObject {
  Q_OBJECT

 private slots:
  // Transform > bna => MERLIN (Simrad) > "Planning file", with the plan name typed in.
  void MerlinPlanFromTheMenu() {
    QTemporaryDir dir;
    const QString output = dir.filePath("plan.txt");
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();

    QString title, prompt, offered;
    ModalAnswers answers;
    answers.File(WriteBna(dir)).File(output).Then([&](QWidget* widget) {
      auto* box = qobject_cast<QInputDialog*>(widget);
      QVERIFY(box);
      title = box->windowTitle();
      prompt = box->labelText();
      offered = box->textValue();
      box->setTextValue("Bay plan");
      box->accept();
    });
    window.findChild<QAction*>("id_2")->trigger();

    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QVERIFY(answers.Done());
    QCOMPARE(title, QString("MERLIN PLAN NAME"));
    QCOMPARE(prompt, QString("Plan name:"));
    QCOMPARE(offered, QString("Survey1 from bna"));
    QCOMPARE(ReadAll(output),
             QByteArray("DEG\r\nBay plan\r\n0 0 0 0\r\n_LINE L-S1 0 20020110101010 0  "
                        "41.50000000 -3.25000000 -33.75000000 10.50000000 \"S1\r\n"));
    QCOMPARE(Status(window), QString(" Finished ,  BNA => PLANNING  "));
  }
};

QTEST_MAIN(PlanGuiTest)
#include "plan_gui_test.moc"
