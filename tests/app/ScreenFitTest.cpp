// The main window on the tests' 1366 x 768 laptop screen: it opens within the screen,
// every control can be reached, and no result is cut off.
#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionFrame>

#include "GuiTestSupport.h"
#include "app/Form2.h"
#include "app/UiSupport.h"

namespace pcbprep::testing {
namespace {

using ScreenFit = MainFormFixture;

const char* const kCountBoxes[] = {"Text6",  "Text5",  "Text4",  "Text26", "Text25",
                                   "Text24", "Text27", "Text10", "Text9"};
const char* const kEditBoxes[] = {"Text11", "SYNNAME", "Text20", "Text21", "Text17",
                                  "Text23", "Text2",   "Text12", "Text8"};

// Width a line edit has for its text: inside the frame, the inner margins and the
// text margins.
int TextRoom(QLineEdit* box) {
  QStyleOptionFrame option;
  option.initFrom(box);
  option.rect = box->rect();
  option.lineWidth =
      box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
  const QMargins margins = box->textMargins();
  return contents.width() - margins.left() - margins.right() - 2 * 2;
}

void Settle(QWidget* window) {
  window->layout()->activate();
  QApplication::processEvents();
}

TEST(Screen, TheTestsSeeALaptopScreen) {
  EXPECT_EQ(QGuiApplication::primaryScreen()->geometry().size(), QSize(1366, 768));
}

TEST(FittedWindowSize, KeepsToTheFreeAreaButNotBelowTheMinimum) {
  struct Case {
    QSize wanted, minimum;
    QRect available;
    QSize expected;
  };
  const Case cases[] = {
      {{1480, 960}, {1100, 560}, {0, 0, 1920, 1040}, {1480, 960}},  // full HD: as asked
      {{1480, 960}, {1100, 560}, {0, 0, 1366, 728}, {1350, 688}},   // laptop with task bar
      {{1480, 960}, {1100, 560}, {0, 0, 1280, 680}, {1264, 640}},   // 150 % of full HD
      {{1480, 960}, {1100, 560}, {0, 0, 1024, 560}, {1100, 560}},   // too small: minimum
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FittedWindowSize(c.wanted, c.minimum, c.available), c.expected)
        << c.available.width();
  }
}

// At the size it opens at, and at the size it would open at with a 40-pixel task bar,
// the window fits and shows every button and list whole, and at least fifteen lines of
// the check report.
TEST_F(ScreenFit, EveryControlLiesInsideTheWindowAsItOpens) {
  const QRect available = form->screen()->availableGeometry();
  EXPECT_LE(form->width(), available.width());
  EXPECT_LE(form->height(), available.height());
  // Small enough for 1280 x 720 (a full-HD screen at 150 %) with a task bar and a
  // title bar.
  EXPECT_LE(form->minimumSize().width(), 1280 - 16);
  EXPECT_LE(form->minimumSize().height(), 720 - 40 - 40);

  const QSize withTaskBar =
      FittedWindowSize(form->size(), form->minimumSizeHint(), QRect(0, 0, 1366, 728));
  EXPECT_EQ(withTaskBar, QSize(1350, 688));
  for (const QSize size : {form->size(), withTaskBar}) {
    form->resize(size);
    Settle(form.get());
    ASSERT_EQ(form->size(), size);
    QList<QWidget*> controls;
    for (auto* w : form->findChildren<QAbstractButton*>()) controls << w;
    for (auto* w : form->findChildren<QComboBox*>()) controls << w;
    for (auto* w : form->findChildren<QLineEdit*>()) controls << w;
    for (QWidget* w : controls) {
      if (!w->isVisibleTo(form.get())) continue;
      const QRect area(w->mapTo(form.get(), QPoint(0, 0)), w->size());
      EXPECT_TRUE(form->rect().contains(area))
          << qPrintable(w->objectName()) << " at " << size.width() << "x" << size.height();
      EXPECT_GE(w->width(), w->minimumSizeHint().width()) << qPrintable(w->objectName());
    }
    auto* report = find<QPlainTextEdit>("Text7");
    EXPECT_GE(report->viewport()->height() / report->fontMetrics().lineSpacing(), 15);
  }
}

TEST_F(ScreenFit, CountsAndEditBoxesKeepTheirTextWholeAtTheMinimumSize) {
  form->resize(form->minimumSizeHint());
  Settle(form.get());
  for (const char* name : kCountBoxes) {
    auto* box = find<QLineEdit>(name);
    EXPECT_GE(TextRoom(box), box->fontMetrics().horizontalAdvance(QStringLiteral("-9999"))) << name;
    EXPECT_TRUE(box->isReadOnly()) << name;
  }
  for (const char* name : kEditBoxes) {
    auto* box = find<QLineEdit>(name);
    EXPECT_GE(TextRoom(box), box->fontMetrics().horizontalAdvance(QString(12, QLatin1Char('0'))))
        << name;
  }
  EXPECT_TRUE(find<QPlainTextEdit>("Text7")->isReadOnly());
}

TEST_F(ScreenFit, ButtonsAndListsExplainThemselvesAndTabReadsInOrder) {
  QList<QAbstractButton*> buttons;
  for (auto* b : form->findChildren<QPushButton*>()) buttons << b;
  for (auto* b : form->findChildren<QRadioButton*>()) buttons << b;
  EXPECT_GE(buttons.size(), 24);
  for (auto* button : buttons) {
    EXPECT_FALSE(button->toolTip().isEmpty()) << qPrintable(button->objectName());
  }
  for (auto* combo : form->findChildren<QComboBox*>()) {
    EXPECT_FALSE(combo->toolTip().isEmpty()) << qPrintable(combo->objectName());
  }

  // The part-file lookup and the size box stand under the symbol box.
  auto* symbol = find<QWidget>("SYNNAME");
  for (const char* name : {"Command8", "Text8"}) {
    EXPECT_GE(find<QWidget>(name)->mapTo(form.get(), QPoint(0, 0)).y(),
              symbol->mapTo(form.get(), QPoint(0, symbol->height())).y())
        << name;
  }

  // Tab through the edit panel: rows left to right, top to bottom.
  const char* const panel[] = {
      "Text11", "Text20", "Text21", "SYNNAME",   "cmdPast", "cmbRireki", "Text17",    "Command8",
      "Text8",  "Text23", "Text2",  "Command10", "Combo11", "Text12",    "Command11", "Command2"};
  QWidget* w = find<QWidget>(panel[0]);
  for (std::size_t i = 1; i < std::size(panel); ++i) {
    do {
      w = w->nextInFocusChain();
    } while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(form.get()));
    EXPECT_EQ(w->objectName(), QString::fromLatin1(panel[i]));
  }
}

// The placement image and the outline window open within the screen too, and keep
// their buttons inside when made as small as they go.
TEST_F(ScreenFit, SecondWindowsOpenWithinTheScreenWithTheirButtonsInside) {
  openNetlist(ExamplePath("sample.NET"));
  find<QPushButton>("Command1")->click();
  find<QPushButton>("Command9")->click();
  find<QPushButton>("Command14")->click();
  EXPECT_TRUE(form->findChild<Form2*>()->Text1->isReadOnly());  // the legend
  const QRect available = form->screen()->availableGeometry();
  for (const char* name : {"Form2", "Form3"}) {
    auto* window = form->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(window, nullptr) << name;
    QApplication::processEvents();
    EXPECT_LE(window->width(), available.width()) << name;
    EXPECT_LE(window->height(), available.height()) << name;
    EXPECT_LE(window->minimumSize().height(), 720 - 80) << name;
    for (auto* button : window->findChildren<QPushButton*>()) {
      EXPECT_FALSE(button->toolTip().isEmpty()) << name << " " << qPrintable(button->objectName());
    }
    for (const QSize size : {window->size(), window->minimumSize()}) {
      window->resize(size);
      QApplication::processEvents();
      for (auto* button : window->findChildren<QPushButton*>()) {
        if (!button->isVisibleTo(window)) continue;
        // A button among settings that scroll is inside once scrolled to.
        for (QWidget* up = button->parentWidget(); up; up = up->parentWidget()) {
          if (auto* area = qobject_cast<QScrollArea*>(up)) area->ensureWidgetVisible(button);
        }
        const QRect area(button->mapTo(window, QPoint(0, 0)), button->size());
        EXPECT_TRUE(window->rect().contains(area))
            << name << " " << qPrintable(button->objectName()) << " at " << size.width() << "x"
            << size.height();
      }
    }
  }
}

TEST(JapaneseQtTexts, DialogButtonsAndTheOverwriteQuestionAreJapanese) {
  QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
  const char* overwrite = "%1 already exists.\nDo you want to replace it?";
  EXPECT_NE(QCoreApplication::translate("QFileDialog", overwrite), QString::fromLatin1(overwrite));
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}

}  // namespace
}  // namespace pcbprep::testing
