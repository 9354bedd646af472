#include "graph_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data_edit_widget.h"
#include "graph_option_lists.h"
#include "page_setup_dialog.h"
#include "plot_layout.h"
#include "widget_test_support.h"

namespace kestra {
namespace {

using testing::ProcessEvents;
using testing::RecordedMessages;

constexpr CurveGroup kMain = CurveGroup::Lines;

// Runs `drive` on the modal dialog of type D once its event loop runs, so
// that the entry points can be called as the graph window calls them.
template <typename D>
void WhenShown(std::function<void(D&)> drive) {
  QTimer::singleShot(0, [drive] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    drive(*dialog);
    // Whatever the drive did, never leave a test waiting on a modal loop.
    if (dialog->isVisible()) dialog->reject();
  });
}

void SelectRow(QListWidget& list, int row) {
  list.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void Retype(QLineEdit& edit, const QString& text) {
  edit.setFocus();
  edit.selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(&edit, Qt::Key_Delete);
  } else {
    QTest::keyClicks(&edit, text);
  }
  QTest::keyClick(&edit, Qt::Key_Return);
}

std::vector<std::string> ListTexts(const QListWidget& list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list.count(); ++i) texts.push_back(list.item(i)->text().toStdString());
  return texts;
}

class GraphDialogs : public ::testing::Test {
 protected:
  GraphDialogs() : plot("Deflection vs Depth", "Load #") {
    plot.SetLineCount(kMain, 3);
    plot.Line(kMain, 1).Name = "Long-Term";
  }

  std::vector<bool> Activity() const {
    std::vector<bool> active;
    for (int k = 0; k < plot.LineCount(kMain); ++k) active.push_back(plot.Line(kMain, k).Active);
    return active;
  }

  TGraphPlot plot;
  RecordedMessages recorded;
};

TEST_F(GraphDialogs, TitleTakesTextAndPlaceHoweverClosed) {
  plot.Title = "Wall A";
  plot.TitleOnTop = false;
  WhenShown<TfrmGraphCaption>([](TfrmGraphCaption& d) {
    EXPECT_EQ(d.edtCaption->text(), "Wall A");
    EXPECT_TRUE(d.rbBottom->isChecked());
    d.edtCaption->setText("Wall A, stage 2");
    d.rbTop->click();
    d.btnOK->click();
  });
  EditGraphTitle(nullptr, plot);
  EXPECT_EQ(plot.Title, "Wall A, stage 2");
  EXPECT_TRUE(plot.TitleOnTop);

  // Closed with Escape: still applied, the dialog has nothing to cancel.
  WhenShown<TfrmGraphCaption>([](TfrmGraphCaption& d) {
    d.edtCaption->setText("");
    d.rbBottom->click();
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  EditGraphTitle(nullptr, plot);
  EXPECT_EQ(plot.Title, "");
  EXPECT_FALSE(plot.TitleOnTop);
}

TEST_F(GraphDialogs, LegendRenamesWithOk) {
  plot.Line(kMain, 1).Active = false;
  WhenShown<TfrmLineNames>([](TfrmLineNames& d) {
    EXPECT_EQ(ListTexts(*d.lbLines),
              (std::vector<std::string>{"Load #1", "Long-Term", "Load #3"}));
    EXPECT_EQ(d.lbLines->currentRow(), 0);
    EXPECT_EQ(d.edLine->text(), "Load #1");
    SelectRow(*d.lbLines, 2);
    EXPECT_EQ(d.edLine->text(), "Load #3");
    // Curve 1 is inactive, so curve 2 is the second drawn: blue, as in the
    // graph.
    EXPECT_EQ(d.edLine->palette().color(QPalette::Text), QColor(0, 0, 255));
    Retype(*d.edLine, "After dredging");
    EXPECT_EQ(d.lbLines->item(2)->text(), "After dredging");
    d.btnOK->click();
  });
  EXPECT_TRUE(EditLegend(nullptr, plot));
  EXPECT_EQ(CurveNames(plot),
            (std::vector<std::string>{"Load #1", "Long-Term", "After dredging"}));
}

TEST_F(GraphDialogs, LegendTextTypedThenOkWithoutEnterCounts) {
  WhenShown<TfrmLineNames>([](TfrmLineNames& d) {
    d.edLine->setFocus();
    d.edLine->selectAll();
    QTest::keyClicks(d.edLine, "Excavated");
    d.btnOK->click();
  });
  EXPECT_TRUE(EditLegend(nullptr, plot));
  EXPECT_EQ(plot.Line(kMain, 0).Name, "Excavated");
}

TEST_F(GraphDialogs, LegendCancelLeavesNames) {
  WhenShown<TfrmLineNames>([](TfrmLineNames& d) {
    SelectRow(*d.lbLines, 1);
    Retype(*d.edLine, "Changed");
    d.btnCancel->click();
  });
  EXPECT_FALSE(EditLegend(nullptr, plot));
  EXPECT_EQ(CurveNames(plot),
            (std::vector<std::string>{"Load #1", "Long-Term", "Load #3"}));
}

TEST_F(GraphDialogs, LegendRefusesAnEmptyName) {
  TfrmLineNames d;
  d.SetNames({"Load #1", "Long-Term"});
  d.show();
  SelectRow(*d.lbLines, 1);
  Retype(*d.edLine, "");
  EXPECT_EQ(recorded.messages, (std::vector<std::string>{"The line must have a name!"}));
  EXPECT_EQ(d.edLine->text(), "Long-Term");
  EXPECT_EQ(d.Names(), (std::vector<std::string>{"Load #1", "Long-Term"}));
  EXPECT_GE(d.minimumWidth(), 195);
  EXPECT_GE(d.minimumHeight(), 167);
}

TEST_F(GraphDialogs, ActiveCurvesDeactivateAllWithOk) {
  WhenShown<TfrmActiveLines>([](TfrmActiveLines& d) {
    EXPECT_EQ(ListTexts(*d.lbLines),
              (std::vector<std::string>{" yes :    Load #1", " yes :    Long-Term",
                                        " yes :    Load #3"}));
    EXPECT_EQ(d.lbLines->currentRow(), 0);
    d.DesactivateButton->click();
    EXPECT_EQ(d.lbLines->item(1)->text(), " no  :    Long-Term");
    d.btnOK->click();
  });
  EXPECT_TRUE(EditActiveCurves(nullptr, plot));
  EXPECT_EQ(Activity(), (std::vector<bool>{false, false, false}));
}

TEST_F(GraphDialogs, ActiveCurvesFlipSelectedAndDoubleClicked) {
  plot.Line(kMain, 2).Active = false;
  WhenShown<TfrmActiveLines>([](TfrmActiveLines& d) {
    EXPECT_EQ(d.lbLines->item(2)->text(), " no  :    Load #3");
    // Two lines selected: both flip.
    d.lbLines->item(0)->setSelected(true);
    d.lbLines->item(2)->setSelected(true);
    d.ActivateDesactivateButton->click();
    EXPECT_EQ(ListTexts(*d.lbLines),
              (std::vector<std::string>{" no  :    Load #1", " yes :    Long-Term",
                                        " yes :    Load #3"}));
    // A double-click flips the line under the mouse only.
    QListWidget& list = *d.lbLines;
    const QRect r = list.visualItemRect(list.item(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(list.item(1)->text(), " no  :    Long-Term");
    EXPECT_EQ(list.item(2)->text(), " yes :    Load #3");
    d.btnOK->click();
  });
  EXPECT_TRUE(EditActiveCurves(nullptr, plot));
  EXPECT_EQ(Activity(), (std::vector<bool>{false, false, true}));
}

TEST_F(GraphDialogs, ActiveCurvesCancelLeavesActivity) {
  plot.Line(kMain, 0).Active = false;
  WhenShown<TfrmActiveLines>([](TfrmActiveLines& d) {
    d.ActivateButton->click();
    EXPECT_EQ(d.lbLines->item(0)->text(), " yes :    Load #1");
    d.btnCancel->click();
  });
  EXPECT_FALSE(EditActiveCurves(nullptr, plot));
  EXPECT_EQ(Activity(), (std::vector<bool>{false, true, true}));
}

TEST_F(GraphDialogs, SaveAttributesDefaultIsSixByFourAtSeventyTwo) {
  QImage bitmap;
  WhenShown<TdlgFormat>([](TdlgFormat& d) {
    EXPECT_EQ(d.deHeight->text(), "4");
    EXPECT_EQ(d.deWidth->text(), "6");
    EXPECT_EQ(d.dePPI->text(), "72");
    EXPECT_EQ(d.Colours(), SaveColours::k16);
    d.btnOK->click();
  });
  ASSERT_EQ(ChooseSaveAttributes(nullptr, bitmap), SaveAttributesResult::kOk);
  EXPECT_EQ(bitmap.width(), 432);
  EXPECT_EQ(bitmap.height(), 288);
  EXPECT_EQ(bitmap.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(bitmap.pixel(431, 287), qRgb(255, 255, 255));
}

TEST_F(GraphDialogs, SaveAttributesRoundsAndHandsBackTheColours) {
  QImage bitmap;
  SaveColours colours = SaveColours::k16;
  WhenShown<TdlgFormat>([](TdlgFormat& d) {
    d.deHeight->setText("2.5");
    d.deWidth->setText("3.3");
    d.dePPI->setText("15");
    d.colours_->button(static_cast<int>(SaveColours::kTrue24))->click();
    d.btnOK->click();
  });
  ASSERT_EQ(ChooseSaveAttributes(nullptr, bitmap, &colours), SaveAttributesResult::kOk);
  EXPECT_EQ(bitmap.width(), 50);   // 49.5 rounds up
  EXPECT_EQ(bitmap.height(), 38);  // 37.5 rounds up
  EXPECT_EQ(colours, SaveColours::kTrue24);
}

TEST_F(GraphDialogs, SaveAttributesCancelAndRefusals) {
  QImage bitmap(7, 7, QImage::Format_RGB32);
  WhenShown<TdlgFormat>([](TdlgFormat& d) { d.btnCancel->click(); });
  EXPECT_EQ(ChooseSaveAttributes(nullptr, bitmap), SaveAttributesResult::kCancel);
  EXPECT_EQ(bitmap.width(), 7);

  // Below the minimum: the message, and the dialog stays open.
  WhenShown<TdlgFormat>([this](TdlgFormat& d) {
    d.deHeight->setText("1");
    d.btnOK->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(recorded.messages.size(), 1u);
    d.btnCancel->click();
  });
  EXPECT_EQ(ChooseSaveAttributes(nullptr, bitmap), SaveAttributesResult::kCancel);

  // A picture far beyond any memory ends as an allocation failure would.
  WhenShown<TdlgFormat>([](TdlgFormat& d) {
    d.deHeight->setText("1000");
    d.deWidth->setText("1000");
    d.dePPI->setText("100000");
    d.btnOK->click();
  });
  EXPECT_EQ(ChooseSaveAttributes(nullptr, bitmap), SaveAttributesResult::kNoMemory);
  EXPECT_EQ(bitmap.width(), 7);
}

TEST(SaveColoursTest, SixteenColoursKeepTheCurvePalette) {
  QImage image(17, 1, QImage::Format_RGB32);
  for (int k = 0; k < 17; ++k) {
    const Rgb c = PaletteColour(k);
    image.setPixel(k, 0, qRgb(c.R, c.G, c.B));
  }
  const QImage reduced = ToSaveColours(image, SaveColours::k16);
  EXPECT_EQ(reduced.format(), QImage::Format_Indexed8);
  for (int k = 0; k < 17; ++k) EXPECT_EQ(reduced.pixel(k, 0), image.pixel(k, 0)) << k;
  EXPECT_EQ(ToSaveColours(image, SaveColours::kBlackWhite).format(), QImage::Format_Mono);
}

TEST_F(GraphDialogs, PageSetupMarginsInThousandthsOfAnInch) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  TPageSetupDialog setup;
  setup.MarginLeft = 500;
  setup.MarginTop = 750;
  setup.MarginRight = 1250;
  setup.MarginBottom = 200;
  setup.MinMarginBottom = 400;  // the bottom may not come closer than this
  setup.ApplyTo(printer);
  const QMarginsF m = printer.pageLayout().margins(QPageLayout::Inch);
  EXPECT_NEAR(m.left(), 0.5, 1e-3);
  EXPECT_NEAR(m.top(), 0.75, 1e-3);
  EXPECT_NEAR(m.right(), 1.25, 1e-3);
  EXPECT_NEAR(m.bottom(), 0.4, 1e-3);

  printer.setPageSize(QPageSize(QPageSize::Letter));
  printer.setPageOrientation(QPageLayout::Portrait);
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  ASSERT_TRUE(setup.Execute(nullptr, printer));
  EXPECT_EQ(setup.MarginLeft, 500);
  EXPECT_EQ(setup.MarginBottom, 400);
  EXPECT_EQ(setup.PaperWidth(), 8500);
  EXPECT_EQ(setup.PaperLength(), 11000);
  EXPECT_TRUE(recorded.messages.empty());
}

}  // namespace
}  // namespace kestra

namespace kestra {
namespace {

// Writes the pictures of the dialogs for the user guide when
// KESTRA_SCREENSHOT_DIR names a folder; otherwise does nothing.
TEST(GraphDialogsScreenshot, WritesPicturesWhenAsked) {
  const QByteArray dir = qgetenv("KESTRA_SCREENSHOT_DIR");
  if (dir.isEmpty()) GTEST_SKIP() << "KESTRA_SCREENSHOT_DIR not set";
  TGraphPlot plot("Deflection vs Depth", "Load #");
  plot.SetLineCount(kMain, 5);
  const char* const names[] = {"Stage: 1", "Stage: 2", "Stage: 3", "Stage: 4",
                               "Stage: 5"};
  for (int k = 0; k < 5; ++k) plot.Line(kMain, k).Name = names[k];
  plot.Line(kMain, 3).Active = false;

  TfrmLineNames legend;
  legend.SetNames(CurveNames(plot));
  legend.resize(220, 240);
  legend.show();
  legend.lbLines->setCurrentRow(1);
  TfrmActiveLines active;
  active.SetCurves(CurveNames(plot), CurveStates(plot));
  active.resize(240, 300);
  active.show();
  active.lbLines->item(3)->setSelected(true);
  TdlgFormat format;
  format.show();
  ProcessEvents();
  EXPECT_TRUE(legend.grab().save(QString::fromLocal8Bit(dir) + "/legend.png"));
  EXPECT_TRUE(active.grab().save(QString::fromLocal8Bit(dir) + "/active.png"));
  EXPECT_TRUE(format.grab().save(QString::fromLocal8Bit(dir) + "/format.png"));
}

}  // namespace
}  // namespace kestra
