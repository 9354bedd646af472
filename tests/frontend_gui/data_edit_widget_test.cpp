#include "data_edit_widget.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <functional>

#include "widget_test_support.h"

namespace kestra {
namespace {

using testing::ProcessEvents;
using testing::RecordedMessages;

TEST(DataEditWidget, LeavingReplacesAnExpressionByItsValue) {
  RecordedMessages recorded;
  TDataEdit field;
  EXPECT_EQ(field.text(), "0");
  field.setText("3*4");
  EXPECT_TRUE(field.CheckEntry());
  EXPECT_EQ(field.text(), "12");
  EXPECT_TRUE(field.EntryValid());
  EXPECT_TRUE(recorded.messages.empty());
}

struct RejectedEntry {
  const char* name;
  std::function<void(TDataEdit&)> setup;
  const char* typed;
  std::string message;
  const char* shown_after;
};

TEST(DataEditWidget, RejectedEntriesShowTheirMessageAndStayInvalid) {
  const RejectedEntry cases[] = {
      {"below minimum", [](TDataEdit& f) { f.SetMinVal(0); }, "-5",
       "Entry must be greater than or equal to 0", "0"},
      {"above maximum", [](TDataEdit& f) { f.SetMaxVal(10); }, "2*6",
       "Entry must be less than or equal to 10", "10"},
      {"not whole", [](TDataEdit& f) { f.SetIntegerOnly(true); }, "2.5",
       "Entry must be an integer.", "2.5"},
      {"integer not a number", [](TDataEdit& f) { f.SetIntegerOnly(true); },
       "abc", "Entry must be a valid integer.", "abc"},
      {"not a number", [](TDataEdit&) {}, "2+",
       "Entry could not be evaluated:\rinvalid expression", "2+"},
  };
  for (const RejectedEntry& c : cases) {
    SCOPED_TRACE(c.name);
    RecordedMessages recorded;
    TDataEdit field;
    c.setup(field);
    field.setText(c.typed);
    EXPECT_FALSE(field.CheckEntry());
    EXPECT_FALSE(field.EntryValid());
    ASSERT_EQ(recorded.messages.size(), 1u);
    EXPECT_EQ(recorded.messages[0], c.message);
    EXPECT_EQ(field.text(), c.shown_after);
  }
}

TEST(DataEditWidget, ArithmeticFailureIsShownAndKeepsTheEntryInvalid) {
  RecordedMessages recorded;
  TDataEdit field;
  field.setText("1/0");
  EXPECT_FALSE(field.CheckEntry());
  EXPECT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(field.text(), "1/0");
}

TEST(DataEditWidget, LimitsMoveTheShownValue) {
  TDataEdit field;
  field.SetNumber(50);
  field.SetMaxVal(20);
  EXPECT_EQ(field.text(), "20");
  field.SetMinVal(30);  // raised above the maximum: lowered to it
  EXPECT_EQ(field.MinVal(), 20);
  field.SetNumber(-7);
  EXPECT_EQ(field.text(), "20");
}

// Two fields in a window: leaving a rejected field brings the focus back.
class DataEditFocus : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(first = new TDataEdit);
    layout->addWidget(second = new TDataEdit);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus(Qt::OtherFocusReason);
    ProcessEvents();
    ASSERT_TRUE(first->hasFocus());
  }

  QWidget window;
  TDataEdit* first = nullptr;
  TDataEdit* second = nullptr;
};

TEST_F(DataEditFocus, RejectedFieldTakesTheFocusBack) {
  RecordedMessages recorded;
  first->SetMinVal(1);
  first->setText("0.5");
  second->setFocus(Qt::TabFocusReason);
  ProcessEvents();
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0], "Entry must be greater than or equal to 1");
  EXPECT_TRUE(first->hasFocus());
  EXPECT_EQ(first->text(), "1");
  EXPECT_FALSE(first->EntryValid());
}

TEST_F(DataEditFocus, AcceptedFieldLetsTheFocusGo) {
  RecordedMessages recorded;
  first->setText("sqrt(16)+2");
  second->setFocus(Qt::TabFocusReason);
  ProcessEvents();
  EXPECT_TRUE(recorded.messages.empty());
  EXPECT_TRUE(second->hasFocus());
  EXPECT_EQ(first->text(), "6");
}

TEST(DataEditWidget, EnterChecksSelectsAndOperatorsExtendTheValue) {
  RecordedMessages recorded;
  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* field = new TDataEdit;
  auto* ok = new QPushButton("OK");
  ok->setDefault(true);
  layout->addWidget(field);
  layout->addWidget(ok);
  bool accepted = false;
  QObject::connect(ok, &QPushButton::clicked, [&] { accepted = true; });

  field->setText("3*4");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(field->text(), "12");
  EXPECT_EQ(field->selectedText(), "12");
  EXPECT_FALSE(accepted) << "Enter reached the dialog's default button";

  QTest::keyClicks(field, "*2");  // extends the selected value
  EXPECT_EQ(field->text(), "12*2");
  QTest::keyClick(field, Qt::Key_Enter);
  EXPECT_EQ(field->text(), "24");

  QTest::keyClicks(field, "5");  // a digit replaces it
  EXPECT_EQ(field->text(), "5");
  EXPECT_TRUE(recorded.messages.empty());
}

TEST(DataEditWidget, LabelShowsCaptionAndUnitAndFollowsEnabledState) {
  QLabel label;
  TDataEdit field;
  field.SetCaption("Depth");
  field.SetEditLabel(&label);
  EXPECT_EQ(label.text(), "Depth");
  EXPECT_EQ(label.buddy(), &field);
  field.SetUnitsString("L2");
  EXPECT_EQ(label.text(), "Depth (ft)");
  field.SetUnits(2);
  EXPECT_EQ(label.text(), "Depth (m)");
  field.SetUnits(9);
  EXPECT_EQ(field.Units(), 3);
  field.setEnabled(false);
  EXPECT_FALSE(label.isEnabled());
  field.setEnabled(true);
  EXPECT_TRUE(label.isEnabled());
}

TEST(DataEditWidget, LabelDestroyedFirstIsForgotten) {
  TDataEdit field;
  {
    QLabel label;
    field.SetEditLabel(&label);
  }
  field.SetCaption("Load");  // must not touch the destroyed label
  EXPECT_EQ(field.EditLabel(), nullptr);
}

}  // namespace
}  // namespace kestra
