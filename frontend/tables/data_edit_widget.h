// TDataEdit: the numeric field of every dialog. A single-line edit over
// TDataEditModel (limits, integer-only values, exit check, label text); this
// class adds the label control, the keys and the information box, and keeps
// the focus while the entry is rejected.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "data_edit.h"


namespace kestra {

class TDataEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TDataEdit(QWidget* parent = nullptr);
  ~TDataEdit() override;
  TDataEdit(const TDataEdit&) = delete;
  TDataEdit& operator=(const TDataEdit&) = delete;

  // Reading evaluates the text (throws EAssignError); writing clamps into
  // MinVal..MaxVal and shows the 18-digit form.
  Extended Number() const { return model_.Number(); }
  void SetNumber(Extended value);

  Extended MinVal() const { return model_.MinVal(); }
  void SetMinVal(Extended value);
  Extended MaxVal() const { return model_.MaxVal(); }
  void SetMaxVal(Extended value);
  bool IntegerOnly() const { return model_.IntegerOnly(); }
  void SetIntegerOnly(bool integer_only);

  const std::string& Caption() const { return model_.Caption(); }
  void SetCaption(std::string caption) { model_.SetCaption(std::move(caption)); }
  const std::string& UnitsString() const { return model_.UnitsString(); }
  void SetUnitsString(std::string units) {
    model_.SetUnitsString(std::move(units));
  }
  int Units() const { return model_.Units(); }
  void SetUnits(int units) { model_.SetUnits(units); }

  // The label that shows "Caption (unit)"; its buddy becomes this field.
  QLabel* EditLabel() const { return label_; }
  void SetEditLabel(QLabel* label);

  // Runs the exit check now, showing its message on failure; true when the
  // entry is valid. Dialogs call it for their focused field before closing.
  bool CheckEntry();
  bool EntryValid() const { return model_.EntryValid(); }

 Q_SIGNALS:
  // The field's own exit event, fired first by every exit check.
  void Exited();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void TextEdited(const QString& text);
  void ShowModelText();
  void RefreshLabel();
  void TakeFocusBack();

  TDataEditModel model_;
  QPointer<QLabel> label_;
  bool checking_ = false;
};

}  // namespace kestra
