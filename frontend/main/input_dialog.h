// The common life of the input dialogs: loaded from the project when
// activated, written back when they lose focus or close, and refusing to
// let go while the focused numeric field holds a rejected entry.
//
// TInputDialogs creates each dialog on first use, brings it forward later,
// forgets it when it closes and re-displays the open ones after a change of
// unit system.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "number_text.h"

class QLabel;
class QMdiSubWindow;

namespace kestra {

class TDataEdit;
class TGridTable;
class TProgramData;
class TProject;

// What the dialogs need from the main window.
struct TDialogHost {
  TProject* project = nullptr;
  // Opens a table's editing window, or brings it forward.
  std::function<void(TGridTable&)> show_table;
  // Closes a table's editing window without committing (its switch went off).
  std::function<void(const TGridTable&)> close_table;
};

// A numeric field with its label, both owned by the dialog. The label is
// declared first so that the field, which refers to it, goes first.
struct TFieldRow {
  std::unique_ptr<QLabel> label;
  std::unique_ptr<TDataEdit> edit;
};

class TInputDialog : public QWidget {
  Q_OBJECT

 public:
  TInputDialog(TDialogHost host, QWidget* parent);
  ~TInputDialog() override;
  TInputDialog(const TInputDialog&) = delete;
  TInputDialog& operator=(const TInputDialog&) = delete;

  // Activation: every field from the model, numeric fields in the project's
  // unit system.
  void FormActivate();
  // Deactivation: false (and the entry's message shown, the field focused)
  // when a numeric field holds a rejected entry; otherwise the values are
  // written to the model.
  bool FormDeactivate();

 protected:
  // Fields other than the bound numeric ones.
  virtual void LoadValues() {}
  virtual void StoreValues() {}

  TProject& Project() const { return *host_.project; }
  TProgramData& Data() const;
  const TDialogHost& Host() const { return host_; }
  bool Loading() const { return loading_; }
  // A user's change: the project counts as modified.
  void MarkModified();

  // Creates a field and its label as children of `parent`.
  void MakeField(TFieldRow& row, QWidget* parent, const char* name,
                 const char* caption, const char* units);
  // Shows get() on activation and hands the value to set() on
  // deactivation, only when the field's text was changed, so an untouched
  // value is never rounded through its shown unit. From here on a change
  // of the field's text marks the project modified.
  void Bind(TDataEdit& field, std::function<Extended()> get,
            std::function<void(Extended)> set);

  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  struct Binding {
    TDataEdit* field;
    std::function<Extended()> get;
    std::function<void(Extended)> set;
    QString loaded_text;
  };

  bool FieldsValid();
  void StoreAll();
  void ActivationChanged(bool active);
  void DeferredDeactivate();
  bool IsActive() const;
  void BringBack();
  void HookSubWindow();
  void SubWindowStateChanged(Qt::WindowStates old_state,
                             Qt::WindowStates new_state);

  TDialogHost host_;
  std::vector<Binding> bindings_;
  bool loading_ = false;
  // Set while a deactivation waits to run, and after a refused one: the
  // activation that brings the dialog back must not reload the fields over
  // the entry being corrected.
  bool deactivation_pending_ = false;
  bool keep_fields_ = false;
  QPointer<QMdiSubWindow> sub_window_;
};

// Conversions between the model's stored units and the shown ones; only
// English units convert (depths in ft over inches, surcharge per ft^2 over
// per in^2).
Extended ShownDepth(Extended stored, int units);
Extended StoredDepth(Extended shown, int units);
Extended ShownSurcharge(Extended stored, int units);
Extended StoredSurcharge(Extended shown, int units);

enum class DialogKind {
  kTitle,
  kProp,
  kCSD,
  kRebar,
  kTieback,
  kSpring,
  kConLoads,
};

class TInputDialogs {
 public:
  // `place` puts a new dialog into the main window's frame and shows it;
  // without one the dialog is shown as a window of its own.
  TInputDialogs(TDialogHost host, std::function<void(QWidget*)> place);
  ~TInputDialogs();
  TInputDialogs(const TInputDialogs&) = delete;
  TInputDialogs& operator=(const TInputDialogs&) = delete;

  // Creates the dialog on first use, otherwise brings it forward.
  TInputDialog* Show(DialogKind kind);
  // The open dialog, or nullptr (a closed dialog is forgotten).
  TInputDialog* Find(DialogKind kind) const;
  // After a change of unit system: the open dialogs that show converted
  // values are activated again.
  void RedisplayUnits();
  // After File New or Open: every open dialog shows the new project.
  void ReloadAll();
  // Writes every open dialog to the model; false when one refused.
  bool CommitAll();

 private:
  std::unique_ptr<TInputDialog> Create(DialogKind kind) const;

  TDialogHost host_;
  std::function<void(QWidget*)> place_;
  std::array<QPointer<TInputDialog>, 7> dialogs_;
};

}  // namespace kestra
