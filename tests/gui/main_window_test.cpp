// The main window as the user meets it: the menu bar, the panel, the window-level items.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "app/menu_tree.h"
#include "app/trevil.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::Session;

namespace {

void Walk(const QList<QAction*>& actions, int depth, QStringList& lines, QList<QAction*>& all) {
  for (QAction* action : actions) {
    const QString caption = action->isSeparator() ? "-" : action->text();
    lines << QString(depth, ' ') + action->objectName() + "|" + caption;
    all << action;
    if (action->menu()) Walk(action->menu()->actions(), depth + 1, lines, all);
  }
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void MenuBarFollowsTheMenuTree() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    QStringList lines;
    QList<QAction*> actions;
    Walk(window.menuBar()->actions(), 0, lines, actions);
    // The bar shows the tree in its order, each item at its depth.
    QStringList expected;
    for (const zolvane::MenuItem& item : zolvane::MenuTree()) {
      const bool separator = item.kind == zolvane::MenuKind::Separator;
      expected << QString(item.depth, ' ') + QString::fromStdString(zolvane::ObjectName(item)) +
                      "|" + (separator ? QString("-") : QString::fromUtf8(item.caption));
    }
    QCOMPARE(lines, expected);

    // Items are offered once their command is built.
    for (QAction* action : actions) {
      const zolvane::MenuItem* item = zolvane::FindMenuItem(action->objectName().toStdString());
      QVERIFY2(item, qPrintable(action->objectName()));
      QCOMPARE(action->isEnabled(), zolvane::IsEnabled(*item));
      if (item->kind == zolvane::MenuKind::Command && action->isEnabled()) {
        QVERIFY2(item->command || item->window != zolvane::WindowAction::None,
                 qPrintable(action->objectName()));
      }
    }
    for (const char* name : {"utils_7", "bnaxyz_1", "utils_6", "sortir"}) {
      QVERIFY2(window.findChild<QAction*>(name)->isEnabled(), name);
    }
  }

  void PanelStartsIdleWithItsMapSketch() {
    Session s;
    QVERIFY(!s.window.findChild<QPushButton*>("stop")->isEnabled());
    // The map sketch: Y Max above Y min, X Max left of X min, the count at the bottom.
    const auto at = [&s](const char* name) {
      QWidget* w = s.window.findChild<QWidget*>(name);
      return w->mapTo(&s.window, QPoint(0, 0));
    };
    QVERIFY(at("Label1_11").y() < at("Label1_10").y());
    QVERIFY(at("Label1_10").y() < at("Label1_13").y());
    QCOMPARE(at("Label1_13").y(), at("Label1_12").y());
    QVERIFY(at("Label1_13").x() < at("Label1_12").x());
    QVERIFY(at("Label1_13").y() < at("Label1_14").y());
    QVERIFY(at("Label1_14").y() < at("Label3_3").y());
  }

  void OpeningTransformBlanksTheFileNames() {
    Session s;
    s.state.InputFileName = "a.bna";
    s.window.ui().SetInputFileName("a.bna");
    s.window.ui().SetOutputFileName("b.dat");
    auto* transform = s.window.findChild<QMenu*>("transformar");
    transform->popup(QPoint(0, 0));
    transform->hide();
    QCOMPARE(Label(s.window, "Label1_0"), QString());
    QCOMPARE(Label(s.window, "Label1_1"), QString());
    QVERIFY(s.state.InputFileName.empty());
  }

  void HelpShowsTheDocumentBesideTheWindow() {
    Session s;
    s.Trigger("ajuda");
    auto* text = s.window.findChild<QTextBrowser*>("RichTextBox1");
    QVERIFY(text);
    QWidget* help = text->window();
    QVERIFY(help->isVisible());
    QVERIFY(!help->isModal());
    QVERIFY(text->isReadOnly());
    QVERIFY(text->toPlainText().startsWith("ZOLVANE 8.05"));
  }

  void ExitAsksFirstAndCancelKeepsTheWindow() {
    Session s;
    bool cancelIsDefault = false;
    s.answers
        .Then([&](QWidget* widget) {
          auto* box = qobject_cast<QMessageBox*>(widget);
          QVERIFY(box);
          cancelIsDefault = box->defaultButton() == box->button(QMessageBox::Cancel);
          box->button(QMessageBox::Cancel)->click();
        })
        .Message(QMessageBox::Ok);
    s.Trigger("sortir");
    QVERIFY(s.window.isVisible());
    QVERIFY(cancelIsDefault);
    // Closing through the frame asks the same.
    s.window.close();
    QVERIFY(!s.window.isVisible());
    QCOMPARE(s.answers.Problems(), QString());
  }

  void AboutBoxesUseTheExclamationIcon() {
    Session s;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    s.answers.Then([&](QWidget* widget) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      QVERIFY(box);
      title = box->windowTitle();
      icon = box->icon();
      box->accept();
    });
    s.Trigger("about_3");
    QCOMPARE(title, QString(" About GEBCO "));
    QCOMPARE(icon, QMessageBox::Warning);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
