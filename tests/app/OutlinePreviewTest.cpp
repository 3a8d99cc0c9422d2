#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "app/Form3.h"
#include "app/GuiTestSupport.h"
#include "app/OutlinePreview.h"
#include "app/PictureView.h"
#include "app/UiSupport.h"
#include "outline/OutlineGenerator.h"

namespace pcbprep::testing {
namespace {

using OutlineDrawing = MainFormFixture;

// The right end of the board outline (layer 23) in the drawing.
double OutlineRight(const OutlinePreview& preview) {
  double right = -1e9;
  for (const DblLine& l : preview.result().drawing.lines) {
    if (l.layer == 23) right = std::max({right, l.from.x, l.to.x});
  }
  return right;
}

TEST_F(OutlineDrawing, FollowsTheSettingsAndHidesLayersFromTheLegend) {
  find<QPushButton>("Command14")->click();
  auto* f = form->findChild<Form3*>();
  ASSERT_NE(f, nullptr);
  OutlinePreview* preview = f->Preview;
  f->Text4->setText(QStringLiteral("100"));
  f->Text5->setText(QStringLiteral("80"));
  ASSERT_TRUE(preview->result().ok());
  EXPECT_EQ(OutlineRight(*preview), 100);

  // Every change of a setting redraws: width, corner option, hole list.
  f->Text4->setText(QStringLiteral("150"));
  EXPECT_EQ(OutlineRight(*preview), 150);
  const auto roundedCorners = [preview] {
    const auto& arcs = preview->result().drawing.arcs;
    return std::any_of(arcs.begin(), arcs.end(), [](const DblArc& a) { return a.layer == 23; });
  };
  EXPECT_FALSE(roundedCorners());
  f->Option4->click();
  EXPECT_TRUE(roundedCorners());
  // The record text beside the drawing is the same file, before anything is saved.
  EXPECT_EQ(f->RichTextBox1->toPlainText(),
            Q(GenerateDbl(f->readSettings()).text()).replace(QStringLiteral("\r\n"), "\n"));

  // The legend names the layers that appear; unchecking one hides it and keeps it
  // hidden through the next change.
  QListWidget* legend = preview->lstLayers;
  const auto items = legend->findItems(QStringLiteral("23 外形線"), Qt::MatchExactly);
  ASSERT_EQ(items.size(), 1);
  EXPECT_TRUE(legend->findItems(QStringLiteral("49 配置補助線"), Qt::MatchExactly).size() == 1);
  items[0]->setCheckState(Qt::Unchecked);
  EXPECT_TRUE(preview->hiddenLayers().contains(23));
  f->Text5->setText(QStringLiteral("90"));
  const auto again = legend->findItems(QStringLiteral("23 外形線"), Qt::MatchExactly);
  ASSERT_EQ(again.size(), 1);
  EXPECT_EQ(again[0]->checkState(), Qt::Unchecked);

  // 全体表示 brings the whole drawing into view.
  PictureView* view = preview->picOutline;
  view->zoomBy(8, QPoint(10, 10));
  preview->cmdFit->click();
  const QRectF shown = view->mapToScene(view->viewport()->rect()).boundingRect();
  EXPECT_TRUE(shown.contains(view->pictureBounds()));

  // A width no board has still draws, and quickly.
  f->Text4->setText(QStringLiteral("1e300"));
  EXPECT_FALSE(f->grab().isNull());
}

}  // namespace
}  // namespace pcbprep::testing
