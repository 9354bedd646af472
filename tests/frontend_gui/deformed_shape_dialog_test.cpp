#include "deformed_shape_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include "widget_test_support.h"

namespace kestra {
namespace {

using testing::ProcessEvents;
using testing::RecordedMessages;

class DeformedShapeDialog : public ::testing::Test {
 protected:
  TDlgDeformedShape* Open() {
    auto* dialog = new TDlgDeformedShape(options, [this] { ++redraws; });
    dialog->show();
    return dialog;
  }
  void TearDown() override {
    delete dialog_;
    ProcessEvents();
  }

  view3d::SceneOptions options;
  int redraws = 0;
  QPointer<TDlgDeformedShape> dialog_;
};

TEST_F(DeformedShapeDialog, ShowDeformedShapeEnablesTheOtherControls) {
  options.factor = 2.5L;
  dialog_ = Open();
  EXPECT_EQ(dialog_->windowTitle(), "Deformed Shape");
  EXPECT_EQ(dialog_->EditDefFactor()->text(), "2.5");
  EXPECT_EQ(dialog_->UpDownDefFactor()->value(), 0);
  EXPECT_EQ(dialog_->UpDownDefFactor()->minimum(), -100);
  EXPECT_EQ(dialog_->CheckBoxDeformedShape()->text(), "Show Deformed Shape");
  EXPECT_EQ(dialog_->CheckBoxUndeformedModel()->text(), "Show Undeformed Model");
  EXPECT_EQ(dialog_->CloseButton()->text(), "Close");
  EXPECT_FALSE(dialog_->CheckBoxDeformedShape()->isChecked());
  EXPECT_FALSE(dialog_->CheckBoxUndeformedModel()->isEnabled());
  EXPECT_FALSE(dialog_->EditDefFactor()->isEnabled());
  EXPECT_FALSE(dialog_->UpDownDefFactor()->isEnabled());

  QTest::mouseClick(dialog_->CheckBoxDeformedShape(), Qt::LeftButton);
  EXPECT_TRUE(options.deformed_shape);
  EXPECT_TRUE(dialog_->CheckBoxUndeformedModel()->isEnabled());
  EXPECT_TRUE(dialog_->EditDefFactor()->isEnabled());
  EXPECT_TRUE(dialog_->UpDownDefFactor()->isEnabled());
  EXPECT_EQ(redraws, 1);

  QTest::mouseClick(dialog_->CheckBoxUndeformedModel(), Qt::LeftButton);
  EXPECT_TRUE(options.undeformed_model);
  EXPECT_EQ(redraws, 2);

  QTest::mouseClick(dialog_->CheckBoxDeformedShape(), Qt::LeftButton);
  EXPECT_FALSE(options.deformed_shape);
  EXPECT_FALSE(dialog_->CheckBoxUndeformedModel()->isEnabled());
  EXPECT_FALSE(dialog_->EditDefFactor()->isEnabled());
  EXPECT_EQ(redraws, 3);

  // Activation reloads from the options the 3D view holds.
  options.deformed_shape = true;
  options.factor = 40;
  dialog_->FormActivate();
  EXPECT_TRUE(dialog_->CheckBoxDeformedShape()->isChecked());
  EXPECT_TRUE(dialog_->EditDefFactor()->isEnabled());
  EXPECT_EQ(dialog_->EditDefFactor()->text(), "40");
  EXPECT_EQ(redraws, 3);
}

TEST_F(DeformedShapeDialog, ArrowsStepTheFactorAndReturnToZero) {
  options.deformed_shape = true;
  options.factor = 9;
  dialog_ = Open();
  QSpinBox* arrows = dialog_->UpDownDefFactor();
  struct Step {
    bool up;
    const char* shown;
  };
  // clang-format off
  const Step steps[] = {{true, "10"}, {false, "9"}, {false, "8"},
                        {false, "7"}, {false, "6"}, {false, "5"}, {false, "4"},
                        {false, "3"}, {false, "2"}, {false, "1"},
                        {false, "0.9"}, {false, "0.8"}, {true, "0.9"}, {true, "1"}};
  // clang-format on
  int expected_redraws = 0;
  for (const Step& s : steps) {
    if (s.up) {
      arrows->stepUp();
    } else {
      arrows->stepDown();
    }
    EXPECT_EQ(dialog_->EditDefFactor()->text(), s.shown);
    EXPECT_EQ(arrows->value(), 0);
    EXPECT_EQ(redraws, ++expected_redraws);
  }
  EXPECT_EQ(options.factor, 1);
}

TEST_F(DeformedShapeDialog, TypedFactorAndTextThatIsNoNumber) {
  RecordedMessages messages;
  options.deformed_shape = true;
  options.factor = 3;
  dialog_ = Open();
  QLineEdit* edit = dialog_->EditDefFactor();

  edit->setText("25.5");
  emit edit->editingFinished();
  EXPECT_EQ(options.factor, 25.5L);
  EXPECT_EQ(redraws, 1);

  edit->setText("12,5");
  emit edit->editingFinished();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0], "'12,5' is not a valid floating point value");
  EXPECT_EQ(options.factor, 25.5L);
  EXPECT_EQ(edit->text(), "25.5");
  EXPECT_EQ(redraws, 1);

  // An emptied field leaves everything as it was.
  edit->clear();
  emit edit->editingFinished();
  EXPECT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(options.factor, 25.5L);

  // Stepping goes on from the typed factor.
  dialog_->UpDownDefFactor()->stepUp();
  EXPECT_EQ(edit->text(), "30");
}

TEST_F(DeformedShapeDialog, CloseTellsTheViewOnceAndFreesTheDialog) {
  dialog_ = Open();
  int closed = 0;
  dialog_->Closed = [&] { ++closed; };
  QTest::mouseClick(dialog_->CloseButton(), Qt::LeftButton);
  ProcessEvents();
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(dialog_.isNull());
}

}  // namespace
}  // namespace kestra
