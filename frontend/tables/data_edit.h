// The value logic of the numeric dialog field TDataEdit, without the widget:
// limits, integer-only values, clamping, the 18-digit text form, the label
// text and the exit check with its messages. The widget wraps one of these,
// shows the messages in an information box and keeps the focus while
// EntryValid() is false.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "assign_error.h"
#include "number_text.h"

namespace kestra {

// Outcome of one exit check.
enum class EntryProblem {
  kNone,
  kNotANumber,  // the evaluator rejected the text
  kArithmetic,  // division by zero, domain error, overflow
  kNotInteger,
  kBelowMinimum,
  kAboveMaximum,
};

struct EntryCheck {
  EntryProblem problem = EntryProblem::kNone;
  std::string message;  // empty when the entry was accepted

  bool valid() const { return problem == EntryProblem::kNone; }
};

class TDataEditModel {
 public:
  TDataEditModel();

  // While loading from a form description, limits and values are stored as
  // given, without clamping.
  void BeginLoading() { loading_ = true; }
  void EndLoading() { loading_ = false; }

  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }

  // The text evaluated; throws EAssignError.
  Extended Number() const;
  // The same without throwing.
  std::optional<Extended> TryNumber() const;
  // Clamped into MinVal..MaxVal (unless loading), then shown in the 18-digit
  // general format.
  void SetNumber(Extended value);

  Extended MinVal() const { return min_; }
  Extended MaxVal() const { return max_; }
  void SetMinVal(Extended value);
  void SetMaxVal(Extended value);

  bool IntegerOnly() const { return integer_only_; }
  void SetIntegerOnly(bool integer_only);

  int Units() const { return units_; }
  void SetUnits(int units);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  const std::string& UnitsString() const { return units_string_; }
  void SetUnitsString(std::string units_string);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // "Caption (label)" with the dimension string's label in Units(), or the
  // caption alone when the field has no dimension string.
  std::string LabelText() const;

  // The exit check, run when the field loses the focus and by the dialogs
  // before they close. On failure the text is kept, or set to the limit
  // that was crossed; EntryValid() stays false either way.
  EntryCheck CheckEntry();
  bool EntryValid() const { return entry_valid_; }

  // Typing one of + - / * ^ = % ! over a fully selected text extends the
  // value (Enter followed by *2 doubles it) instead of replacing it.
  static bool ExtendsValue(char key);

  // Called whenever the label's text or enabled state may have changed.
  std::function<void()> OnLabelChanged;
  // The field's own exit event, fired first by every exit check.
  std::function<void()> OnExit;

 private:
  void RefreshLabel();

  std::string text_ = "0";
  Extended min_;
  Extended max_;
  bool integer_only_ = false;
  int units_ = 1;
  std::string caption_;
  std::string units_string_;
  bool enabled_ = true;
  bool loading_ = false;
  bool entry_valid_ = false;
};

}  // namespace kestra
