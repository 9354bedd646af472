#include "stage_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "data_edit_widget.h"
#include "input_tables.h"
#include "project.h"
#include "stage_files.h"
#include "widget_test_support.h"

namespace kestra {
namespace {

using testing::RecordedMessages;

class StageDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    project.Data().FileName = dir.filePath("Wall.ks5d").toStdString();
  }

  bool StageFileExists(int stage) {
    return QFileInfo::exists(QString::fromStdString(
        StageFileName(project.Data().FileName, stage)));
  }

  QTemporaryDir dir;
  InputTables tables;
  TProject project{tables};
};

TEST_F(StageDialog, BoxFieldAndArrowsFollowEachOther) {
  TDlgStaged dialog(project);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Staged Construction Options");
  EXPECT_FALSE(dialog.StageAnalysis()->isChecked());
  EXPECT_EQ(dialog.deStage()->text(), "1");
  EXPECT_FALSE(dialog.deStage()->isEnabled());
  EXPECT_FALSE(dialog.UpButton()->isEnabled());
  EXPECT_EQ(dialog.deStage()->EditLabel()->text(),
            "Enter the total number of stages (Max. = 5, Min =2)");

  QTest::mouseClick(dialog.StageAnalysis(), Qt::LeftButton);
  EXPECT_EQ(dialog.deStage()->text(), "2");
  EXPECT_TRUE(dialog.deStage()->isEnabled());
  EXPECT_TRUE(dialog.DownButton()->isEnabled());

  dialog.DownClick();
  EXPECT_EQ(dialog.deStage()->text(), "2");
  for (int k = 0; k < 5; ++k) dialog.UpClick();
  EXPECT_EQ(dialog.deStage()->text(), "5");
  dialog.DownClick();
  EXPECT_EQ(dialog.deStage()->text(), "4");

  QTest::mouseClick(dialog.StageAnalysis(), Qt::LeftButton);
  EXPECT_EQ(dialog.deStage()->text(), "1");
  EXPECT_FALSE(dialog.deStage()->isEnabled());
  EXPECT_FALSE(dialog.DownButton()->isEnabled());
}

TEST_F(StageDialog, OkWritesTheStageFilesAndCancelChangesNothing) {
  int changed = 0;
  {
    TDlgStaged dialog(project);
    dialog.StagesChanged = [&changed] { ++changed; };
    dialog.show();
    QTest::mouseClick(dialog.StageAnalysis(), Qt::LeftButton);
    dialog.deStage()->setText("4");
    dialog.OKClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(project.Data().StageCount, 4);
  EXPECT_EQ(project.Data().CurrentStage, 1);
  for (int k = 1; k <= 4; ++k) EXPECT_TRUE(StageFileExists(k)) << k;
  EXPECT_FALSE(StageFileExists(5));
  EXPECT_TRUE(project.Modified());

  {
    TDlgStaged dialog(project);
    dialog.show();
    EXPECT_TRUE(dialog.StageAnalysis()->isChecked());
    EXPECT_EQ(dialog.deStage()->text(), "4");
    dialog.DownClick();
    QTest::mouseClick(dialog.btnCancel(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
  }
  EXPECT_EQ(project.Data().StageCount, 4);
  EXPECT_TRUE(StageFileExists(4));

  {
    TDlgStaged dialog(project);
    dialog.show();
    dialog.DownClick();
    dialog.DownClick();
    QTest::mouseClick(dialog.btnOK(), Qt::LeftButton);
  }
  EXPECT_EQ(project.Data().StageCount, 2);
  EXPECT_TRUE(StageFileExists(2));
  EXPECT_FALSE(StageFileExists(3));
  EXPECT_FALSE(StageFileExists(4));

  {
    TDlgStaged dialog(project);
    dialog.show();
    QTest::mouseClick(dialog.StageAnalysis(), Qt::LeftButton);
    dialog.OKClick();
  }
  EXPECT_EQ(project.Data().StageCount, 1);
  EXPECT_FALSE(StageFileExists(1));
  EXPECT_FALSE(StageFileExists(2));
}

TEST_F(StageDialog, RejectedCountKeepsTheDialogOpen) {
  RecordedMessages recorded;
  TDlgStaged dialog(project);
  dialog.show();
  QTest::mouseClick(dialog.StageAnalysis(), Qt::LeftButton);
  dialog.deStage()->setText("7");
  dialog.OKClick();
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0], "Entry must be less than or equal to 5");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(project.Data().StageCount, 1);
  EXPECT_FALSE(StageFileExists(1));
}

TEST_F(StageDialog, UnwritableFolderEndsTheCommandWithItsMessage) {
  RecordedMessages recorded;
  project.Data().FileName =
      dir.filePath("missing/folder/Wall.ks5d").toStdString();
  TDlgStaged dialog(project);
  dialog.show();
  QTest::mouseClick(dialog.StageAnalysis(), Qt::LeftButton);
  dialog.OKClick();
  EXPECT_EQ(recorded.messages.size(), 1u);
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace kestra
