// A GEBCO export run from the menu bar of the real window.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/trevil.h"
#include "core/ui.h"
#include "modal_answers.h"

using zolvane::testing::ModalAnswers;

namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& text) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text);
}

}  // namespace

class VectorGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void GebcoToXyzFromTheMenu() {
    QTemporaryDir dir;
    const QString gebco = dir.filePath("atlas.asc");
    const QString points = dir.filePath("atlas.dat");
    Write(gebco, "  -200    2\r\n41.50000  2.25000\r\n41.25000  2.50000\r\n");
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();

    QString question;
    ModalAnswers answers;
    answers.File(gebco)
        .File(points)
        .Then([&question](QWidget* widget) {
          auto* box = qobject_cast<QMessageBox*>(widget);
          QVERIFY(box);
          question = box->windowTitle() + "|" + box->text();
          QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
          box->button(QMessageBox::No)->click();
        })
        .Then([](QWidget* dialog) {
          QCOMPARE(dialog->objectName(), QString("xyzo"));
          dialog->findChild<QRadioButton*>("Option1")->click();
          dialog->findChild<QPushButton*>("Command1")->click();
        });
    window.findChild<QAction*>("fil2fil_5")->trigger();
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QVERIFY(answers.Done());
    QCOMPARE(question,
             QString("Coordinates System |Default is Lat-Lon, do you like to change to UTM ?"));
    QCOMPARE(Contents(points), QByteArray("2.25,41.5,-200\r\n2.5,41.25,-200\r\n"));
    QCOMPARE(window.findChild<QLabel*>("status")->text(), QString(" Finished , GEBCO > XYZ "));
    QCOMPARE(window.findChild<QLabel*>("Label4_2")->text(), QString("41.5"));  // latitudes as X
  }
};

QTEST_MAIN(VectorGuiTest)
#include "vector_gui_test.moc"
