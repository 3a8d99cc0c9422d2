// The outline window typed into as a user would. Run it under a real X server too
// (scripts/xwindow-test.sh): there a window manager and real scroll bars take part in
// the layout, which the offscreen platform does not show.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/Form3.h"
#include "app/GuiTestSupport.h"
#include "app/OutlinePreview.h"
#include "app/PictureView.h"

namespace pcbprep::testing {
namespace {

struct OutlineWindowIdle : MainFormFixture {
  Form3* f = nullptr;
  int resizes = 0;  // of the drawing, since the last change

  void open() {
    QTest::mouseClick(form->Command14, Qt::LeftButton);
    f = form->findChild<Form3*>(QStringLiteral("Form3"));
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    QObject::connect(f->Preview->picOutline, &PictureView::resized, f, [this] { ++resizes; });
    settle();
  }

  // Milliseconds until a zero timer fires, that is until the event loop has worked off
  // what the change started; -1 after a second.
  int settle() {
    QElapsedTimer clock;
    clock.start();
    bool fired = false;
    QTimer::singleShot(0, f, [&fired] { fired = true; });
    while (!fired && clock.elapsed() < 1000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return fired ? static_cast<int>(clock.elapsed()) : -1;
  }

  // Runs one change and reports what it cost: it must leave the loop idle within a
  // second, resize the drawing a few times at most, and nothing may follow later.
  template <typename Change>
  void expectIdleAfter(const std::string& what, Change&& change) {
    resizes = 0;
    change();
    const int ms = settle();
    EXPECT_GE(ms, 0) << what << ": still busy after a second";
    // A stray ping-pong shows as resizes that go on once the loop looked idle.
    const int settled = resizes;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_LE(settled, 2) << what;
    EXPECT_EQ(resizes, settled) << what << ": the drawing keeps being resized";
  }

  void type(QLineEdit* box, const QString& text) {
    expectIdleAfter(box->objectName().toStdString() + " cleared", [&] {
      box->setFocus();
      QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(box, Qt::Key_Backspace);
    });
    for (const QChar c : text) {
      expectIdleAfter(box->objectName().toStdString() + " " + box->text().toStdString() +
                          QString(c).toStdString(),
                      [&] { QTest::keyClicks(box, QString(c)); });
    }
  }
};

TEST_F(OutlineWindowIdle, TypedBoardSizesAndCornersLeaveTheWindowIdle) {
  ASSERT_NO_FATAL_FAILURE(open());
  struct Size {
    const char* x;
    const char* y;
  };
  // Small to large, and the sizes at which the drawing once kept refitting itself.
  const Size sizes[] = {{"50", "50"},   {"60", "40"},   {"90", "60"},   {"100", "70"},
                        {"120", "80"},  {"150", "100"}, {"160", "100"}, {"200", "120"},
                        {"250", "180"}, {"80", "160"},  {"250", "50"},  {"50", "180"}};
  for (const Size& s : sizes) {
    type(f->Text4, QString::fromLatin1(s.x));
    type(f->Text5, QString::fromLatin1(s.y));
    for (QRadioButton* corner : {f->Option4, f->Option5, f->Option6}) {
      expectIdleAfter(std::string(s.x) + "x" + s.y + " " + corner->text().toStdString(),
                      [&] { QTest::mouseClick(corner, Qt::LeftButton); });
    }
    if (HasFailure()) return;  // one size is enough to show it
  }
  // And the window still follows the settings.
  EXPECT_EQ(f->Text4->text(), QStringLiteral("50"));
  EXPECT_TRUE(f->Option6->isChecked());
}

}  // namespace
}  // namespace pcbprep::testing
