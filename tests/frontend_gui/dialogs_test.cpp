#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "conloads_dialog.h"
#include "csd_dialog.h"
#include "data_edit_widget.h"
#include "inc_dialog.h"
#include "input_dialog.h"
#include "input_tables.h"
#include "project.h"
#include "prop_dialog.h"
#include "rebar_dialog.h"
#include "spring_dialog.h"
#include "title_dialog.h"
#include "units.h"
#include "widget_test_support.h"

namespace kestra {
namespace {

using testing::ProcessEvents;
using testing::RecordedMessages;

class InputDialogs : public ::testing::Test {
 protected:
  InputDialogs() {
    host.project = &project;
    host.show_table = [this](TGridTable& t) { shown.push_back(&t); };
    host.close_table = [this](const TGridTable& t) { closed.push_back(&t); };
  }

  TProgramData& Data() { return project.Data(); }

  InputTables tables;
  TProject project{tables};
  TDialogHost host;
  std::vector<const TGridTable*> shown;
  std::vector<const TGridTable*> closed;
};

// Types into a field as the user does, so that the edit counts as one.
void Type(TDataEdit& field, const QString& text) {
  field.setFocus();
  field.selectAll();
  QTest::keyClicks(&field, text);
}

TEST_F(InputDialogs, EnglishDepthsShowInFeetAndStoreInInches) {
  Data().FreeHeight = 240;
  Data().WaterDepthBackfill = 60;
  TDlgProp prop(host);
  TdlgCSD csd(host);
  prop.FormActivate();
  csd.FormActivate();
  EXPECT_EQ(prop.DeFH()->text(), "20");
  EXPECT_EQ(prop.DeFH()->EditLabel()->text(), "Free Height of Wall (ft)");
  EXPECT_EQ(csd.deHL()->text(), "20");
  EXPECT_EQ(csd.deHL()->EditLabel()->text(), "&Free Height of Wall, H (ft)");
  EXPECT_EQ(csd.deHW()->text(), "5");

  csd.show();
  Type(*csd.deHL(), "25");
  ASSERT_TRUE(csd.FormDeactivate());
  EXPECT_EQ(Data().FreeHeight, 300);
  EXPECT_EQ(Data().WaterDepthBackfill, 60);
  EXPECT_TRUE(project.Modified());
}

TEST_F(InputDialogs, EnglishSurchargeShowsPerSquareFoot) {
  Data().UniformSurcharge = 1;
  TdlgCSD csd(host);
  csd.FormActivate();
  EXPECT_EQ(csd.deSP()->text(), "144");
  EXPECT_EQ(csd.deSP()->EditLabel()->text(),
            "Uniform Distributed Load at the top of backfill side  (lbs/ft^2)");
  csd.show();
  Type(*csd.deSP(), "288");
  ASSERT_TRUE(csd.FormDeactivate());
  EXPECT_EQ(Data().UniformSurcharge, 2);
}

TEST_F(InputDialogs, SIValuesAreShownAsStored) {
  Data().SetUnits(kSIUnits);
  Data().FreeHeight = 6;
  Data().UniformSurcharge = 10;
  TdlgCSD csd(host);
  csd.FormActivate();
  EXPECT_EQ(csd.deHL()->text(), "6");
  EXPECT_EQ(csd.deHL()->EditLabel()->text(), "&Free Height of Wall, H (m)");
  EXPECT_EQ(csd.deSP()->text(), "10");
  EXPECT_EQ(csd.deWidth()->EditLabel()->text(),
            "&Width for Active Earth Press. Calculation, Wa (m)");
  EXPECT_EQ(csd.beta()->EditLabel()->text(), "Slope of the backfill, Beta (deg.)");
}

TEST_F(InputDialogs, UntouchedValuesAreNotRoundedThroughTheirShownUnit) {
  // 100 in is 8.333... ft: shown and read back it would drift; an
  // increment count of 0 is shown at the field's minimum of 1.
  Data().FreeHeight = 100;
  Data().IncrementCount = 0;
  TDlgProp prop(host);
  prop.FormActivate();
  EXPECT_EQ(prop.deNI()->text(), "1");
  ASSERT_TRUE(prop.FormDeactivate());
  prop.show();
  prop.close();
  EXPECT_EQ(Data().FreeHeight, 100);
  EXPECT_EQ(Data().IncrementCount, 0);
  EXPECT_FALSE(project.Modified());
}

TEST_F(InputDialogs, RejectedEntryKeepsTheDialogAndTheModelValue) {
  RecordedMessages recorded;
  Data().IncrementCount = 50;
  TDlgProp prop(host);
  prop.FormActivate();
  prop.show();
  Type(*prop.deNI(), "301");

  EXPECT_FALSE(prop.FormDeactivate());
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0], "Entry must be less than or equal to 300");
  EXPECT_EQ(prop.deNI()->text(), "300");
  EXPECT_EQ(Data().IncrementCount, 50);

  Type(*prop.deNI(), "2.5");
  EXPECT_FALSE(prop.close());
  EXPECT_TRUE(prop.isVisible());
  EXPECT_EQ(recorded.messages.back(), "Entry must be an integer.");
  EXPECT_EQ(Data().IncrementCount, 50);

  Type(*prop.deNI(), "12*10");
  EXPECT_TRUE(prop.FormDeactivate());
  EXPECT_EQ(Data().IncrementCount, 120);
}

TEST_F(InputDialogs, FieldLeftUncheckedIsCheckedBeforeStoring) {
  // Edited, then the focus moved on without the field's own exit check.
  RecordedMessages recorded;
  TdlgCSD csd(host);
  csd.FormActivate();
  csd.show();
  csd.dePYW()->setText("abc");
  csd.beta()->setFocus();
  EXPECT_FALSE(csd.FormDeactivate());
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(Data().WidthPY, 0);
}

TEST_F(InputDialogs, TitleStoresOnlyAChangedText) {
  project.SetModified(false);
  {
    TdlgTitle title(host);
    title.FormActivate();
    EXPECT_EQ(title.TitleMemo()->text(), "New Wall");
    EXPECT_EQ(title.TitleMemo()->maxLength(), 80);
    title.show();
    title.close();
  }
  EXPECT_FALSE(project.Modified());
  TdlgTitle title(host);
  title.FormActivate();
  title.TitleMemo()->setText("Anchored wall, stage A");
  ASSERT_TRUE(title.FormDeactivate());
  EXPECT_EQ(Data().Title, "Anchored wall, stage A");
  EXPECT_TRUE(project.Modified());
}

TEST_F(InputDialogs, ClearingTheSwitchClosesTheTableAndStoresOnLeaving) {
  Data().ApplyConcentratedLoads = true;
  tables.BoundCond.SetRowCount(3);
  TDlgConLoads dialog(host);
  dialog.FormActivate();
  dialog.show();
  EXPECT_TRUE(dialog.ChkConLoads()->isChecked());
  EXPECT_TRUE(dialog.btnConLoads()->isEnabled());
  EXPECT_FALSE(project.Modified());

  QTest::mouseClick(dialog.ChkConLoads(), Qt::LeftButton);
  EXPECT_FALSE(dialog.btnConLoads()->isEnabled());
  ASSERT_EQ(closed.size(), 1u);
  EXPECT_EQ(closed[0], &tables.BoundCond);
  EXPECT_TRUE(project.Modified());
  EXPECT_TRUE(Data().ApplyConcentratedLoads);  // not before leaving

  ASSERT_TRUE(dialog.FormDeactivate());
  EXPECT_FALSE(Data().ApplyConcentratedLoads);
  EXPECT_EQ(tables.BoundCond.RowCount(), 3);  // emptied only by a save

  QTest::mouseClick(dialog.ChkConLoads(), Qt::LeftButton);
  EXPECT_TRUE(dialog.btnConLoads()->isEnabled());
  dialog.close();
  EXPECT_TRUE(Data().ApplyConcentratedLoads);
}

TEST_F(InputDialogs, SpringDialogFollowsItsSwitch) {
  TDlgSpring dialog(host);
  dialog.FormActivate();
  EXPECT_FALSE(dialog.ChkSpring()->isChecked());
  EXPECT_FALSE(dialog.btnSpring()->isEnabled());
  Data().ApplySprings = true;  // the Options menu's item
  dialog.FormActivate();
  EXPECT_TRUE(dialog.btnSpring()->isEnabled());
  EXPECT_FALSE(project.Modified());
}

TEST_F(InputDialogs, ButtonsOpenTheirTables) {
  TDlgProp prop(host);
  TDlgRebar rebar(host);
  TDlgTieback tieback(host);
  TDlgSpring spring(host);
  const std::vector<std::pair<QPushButton*, const TGridTable*>> cases = {
      {prop.btnSect(), &tables.PileSect},
      {rebar.Button(), &tables.SurchargeTable},
      {tieback.Button(), &tables.TiebackTable1},
      {spring.btnSpring(), &tables.SoilStrength},
  };
  for (const auto& [button, table] : cases) {
    SCOPED_TRACE(button->text().toStdString());
    shown.clear();
    button->setEnabled(true);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], table);
  }
  EXPECT_EQ(rebar.Button()->text(), "&Edit Surcharge Loads");
  EXPECT_EQ(tieback.Button()->text(), "&Enter Tieback data");
  EXPECT_EQ(tieback.windowTitle(), "Tieback (Ground Anchor)");
}

TEST_F(InputDialogs, RegistryCreatesOnceForgetsOnCloseAndRedisplaysUnits) {
  std::vector<QWidget*> placed;
  TInputDialogs dialogs(host, [&placed](QWidget* w) {
    placed.push_back(w);
    w->show();
  });
  Data().FreeHeight = 120;
  TInputDialog* first = dialogs.Show(DialogKind::kProp);
  EXPECT_EQ(dialogs.Show(DialogKind::kProp), first);
  EXPECT_EQ(placed.size(), 1u);
  auto* prop = static_cast<TDlgProp*>(first);
  EXPECT_EQ(prop->DeFH()->text(), "10");

  Data().SetUnits(kSIUnits);
  dialogs.RedisplayUnits();
  EXPECT_EQ(prop->DeFH()->EditLabel()->text(), "Free Height of Wall (m)");
  EXPECT_EQ(prop->DeFH()->text(), "3.048");

  first->close();
  ProcessEvents();
  EXPECT_EQ(dialogs.Find(DialogKind::kProp), nullptr);
  EXPECT_NE(dialogs.Show(DialogKind::kProp), nullptr);
  EXPECT_EQ(placed.size(), 2u);
  dialogs.Find(DialogKind::kProp)->close();
  ProcessEvents();
}

TEST_F(InputDialogs, FrameActivationLoadsAndDeactivationStores) {
  QMdiArea area;
  area.resize(900, 700);
  area.show();
  auto* other = area.addSubWindow(new QLineEdit);
  other->show();
  Data().WidthActive = 48;
  auto* csd = new TdlgCSD(host);
  QMdiSubWindow* sub = area.addSubWindow(csd);
  sub->show();
  area.setActiveSubWindow(sub);
  ProcessEvents();
  EXPECT_EQ(csd->deWidth()->text(), "48");

  Type(*csd->deWidth(), "60");
  area.setActiveSubWindow(other);
  ProcessEvents();
  EXPECT_EQ(Data().WidthActive, 60);

  // Changed elsewhere while inactive: shown on the next activation.
  Data().WidthActive = 72;
  area.setActiveSubWindow(sub);
  ProcessEvents();
  EXPECT_EQ(csd->deWidth()->text(), "72");
}

TEST_F(InputDialogs, FrameKeepsARefusedDialogActiveWithItsEntry) {
  RecordedMessages recorded;
  QMdiArea area;
  area.resize(900, 700);
  area.show();
  auto* other = area.addSubWindow(new QLineEdit);
  other->show();
  Data().BackfillSlope = 10;
  auto* csd = new TdlgCSD(host);
  QMdiSubWindow* sub = area.addSubWindow(csd);
  sub->show();
  area.setActiveSubWindow(sub);
  ProcessEvents();

  Type(*csd->beta(), "50");
  area.setActiveSubWindow(other);
  ProcessEvents();
  ProcessEvents();
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0], "Entry must be less than or equal to 45");
  EXPECT_EQ(area.activeSubWindow(), sub);
  EXPECT_EQ(csd->beta()->text(), "45");  // not reloaded over the correction
  EXPECT_EQ(Data().BackfillSlope, 10);
}

}  // namespace
}  // namespace kestra
