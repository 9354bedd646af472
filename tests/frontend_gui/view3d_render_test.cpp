// The 3D view drawn by a real OpenGL implementation: run on an X server
// (Xvfb) with Mesa, since the offscreen platform gives no context.
#include <QApplication>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "gl_window.h"
#include "input_tables.h"
#include "plot_data.h"
#include "project.h"
#include "scene3d.h"
#include "view3d.h"
#include "widget_test_support.h"

namespace kestra {
namespace {

const QString kExamples = QStringLiteral(KESTRA_EXAMPLES);

// Pixels within `tolerance` of `colour` in every channel.
int CountNear(const QImage& image, QColor colour, int tolerance) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) <= tolerance &&
          std::abs(c.green() - colour.green()) <= tolerance &&
          std::abs(c.blue() - colour.blue()) <= tolerance) {
        ++count;
      }
    }
  }
  return count;
}

QColor Opaque(const view3d::Rgba& c) {
  return QColor::fromRgbF(c.r, c.g, c.b);
}

// The anchored wall in clay (soil layers, water inside the scene) in a folder of its own, and its 3D view shown.
class View3dRender : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("anchored-clay-si.ks5d"));
    ASSERT_TRUE(QFile::copy(kExamples + QStringLiteral("/anchored-clay-si.ks5d"), path));
    const std::string message =
        project.Open(path.toStdString(), InputFileKind::kCurrent);
    ASSERT_TRUE(message.empty()) << message;
    block = std::make_unique<TDlgBlock>(
        [this] {
          return view3d::ReadSceneInput(project.Data(), tables, graphs.pltDef);
        },
        nullptr);
    block->resize(800, 600);
    block->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(block.get()));
    testing::ProcessEvents();
    ASSERT_TRUE(block->GL()->HasContext()) << "no OpenGL context on this display";
  }

  QImage Picture() { return block->GL()->RenderImage(block->GL()->size()); }

  QTemporaryDir dir;
  InputTables tables;
  TProject project{tables};
  ResultGraphs graphs;
  std::unique_ptr<TDlgBlock> block;
};

// Outlines are drawn unlit, so their colours reach the picture unchanged.
const QColor kWallOutline = QColor::fromRgbF(0.9f, 0.9f, 0.0f);
const QColor kWaterOutline = QColor::fromRgbF(0.0f, 0.0f, 1.0f);

TEST_F(View3dRender, AnchoredWallShowsWallSoilAndWater) {
  const QImage image = Picture();
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), block->GL()->size());
  EXPECT_EQ(image.format(), QImage::Format_RGB888);
  EXPECT_GT(CountNear(image, kWallOutline, 8), 20);
  EXPECT_GT(CountNear(image, kWaterOutline, 8), 20);
  EXPECT_GT(CountNear(image, Opaque(view3d::SoilLayerColour(0)), 8), 20);
  // Most of the picture is scene, not background.
  EXPECT_LT(CountNear(image, Qt::white, 2), image.width() * image.height() * 3 / 4);

  // The oblique view draws the same parts.
  block->SetView(4);
  const QImage oblique = Picture();
  EXPECT_GT(CountNear(oblique, kWallOutline, 8), 20);
  EXPECT_GT(CountNear(oblique, Opaque(view3d::SoilLayerColour(0)), 8), 20);
}

TEST_F(View3dRender, HiddenPartsLeaveThePicture) {
  block->ShowSoilLayersOption();
  block->ShowWaterLevelOption();
  const QImage image = Picture();
  EXPECT_EQ(CountNear(image, Opaque(view3d::SoilLayerColour(0)), 8), 0);
  EXPECT_EQ(CountNear(image, kWaterOutline, 8), 0);
  EXPECT_GT(CountNear(image, kWallOutline, 8), 20);
}

TEST_F(View3dRender, SavesBitmapOrPngByTheNamesEnding) {
  testing::RecordedMessages messages;
  for (const QString& name : {QStringLiteral("view.bmp"), QStringLiteral("view.PNG")}) {
    const QString path = dir.filePath(name);
    block->ChooseBitmapName = [&] { return path; };
    block->SaveBitmapButtonClick();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const QByteArray head = file.read(4);
    EXPECT_EQ(head.startsWith("BM"), name.endsWith(QStringLiteral(".bmp")));
    EXPECT_EQ(head.mid(1, 3) == "PNG", name.endsWith(QStringLiteral(".PNG")));
    const QImage saved(path);
    EXPECT_EQ(saved.size(), block->GL()->size());
    EXPECT_GT(CountNear(saved, kWallOutline, 8), 20);
  }
  EXPECT_TRUE(messages.messages.empty());

  // A folder that does not exist: a message, nothing written.
  const QString missing = dir.filePath(QStringLiteral("no-such-folder/view.bmp"));
  block->ChooseBitmapName = [&] { return missing; };
  block->SaveBitmapButtonClick();
  EXPECT_EQ(messages.messages.size(), 1u);
  EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(View3dRender, PrintsToAPdfWithinTheMargins) {
  const QPageLayout layout = block->Printer().pageLayout();
  EXPECT_EQ(layout.units(), QPageLayout::Inch);
  EXPECT_DOUBLE_EQ(layout.margins().left(), 1.0);
  EXPECT_DOUBLE_EQ(layout.margins().top(), 1.0);

  const QString path = dir.filePath(QStringLiteral("view.pdf"));
  block->ChoosePrinter = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
  };
  testing::RecordedMessages messages;
  block->PrintButtonClick();
  EXPECT_TRUE(messages.messages.empty());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5).startsWith("%PDF"));
  EXPECT_GT(file.size(), 10000);

  // Cancelled: nothing printed.
  QFile::remove(path);
  block->ChoosePrinter = [](QPrinter&) { return false; };
  block->PrintButtonClick();
  EXPECT_FALSE(QFile::exists(path));
}

// Without a project there is nothing to draw, and nothing fails.
TEST(View3dRenderEmpty, NoProjectGivesAWhitePicture) {
  TDlgBlock block([] { return view3d::SceneInput{}; }, nullptr);
  block.resize(400, 300);
  block.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&block));
  testing::ProcessEvents();
  ASSERT_TRUE(block.GL()->HasContext());
  block.SetView(4);
  const QImage image = block.GL()->RenderImage(block.GL()->size());
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(CountNear(image, Qt::white, 0), image.width() * image.height());
}

}  // namespace
}  // namespace kestra

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
