// TDlgDeformedShape: whether the 3D view draws the deflected wall, whether
// the undeformed wall stays with it, and the factor that magnifies the
// deflections.
#pragma once

#include <QWidget>
#include <functional>

#include "scene3d.h"

class QCheckBox;
class QCloseEvent;
class QEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kestra {

class TDlgDeformedShape : public QWidget {
  Q_OBJECT

 public:
  // `options` belongs to the 3D view and outlives the dialog; `redraw`
  // rebuilds and redraws its scene.
  TDlgDeformedShape(view3d::SceneOptions& options, std::function<void()> redraw,
                    QWidget* parent = nullptr);
  ~TDlgDeformedShape() override;

  // Loads the controls from the options.
  void FormActivate();

  // Called once when the dialog closes (the 3D view forgets it).
  std::function<void()> Closed;

  QLineEdit* EditDefFactor() const;
  QSpinBox* UpDownDefFactor() const;
  QCheckBox* CheckBoxDeformedShape() const;
  QCheckBox* CheckBoxUndeformedModel() const;
  QPushButton* CloseButton() const;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CheckBoxDeformedShapeClick(bool checked);
  void CheckBoxUndeformedModelClick(bool checked);
  void EditDefFactorChange();
  void UpDownDefFactorClick(int position);
  void ShowFactor();
  void UpdateEnabled();

  view3d::SceneOptions& options_;
  std::function<void()> redraw_;
  QLabel* label1_ = nullptr;
  QLineEdit* edit_def_factor_ = nullptr;
  QSpinBox* up_down_def_factor_ = nullptr;
  QCheckBox* check_deformed_ = nullptr;
  QCheckBox* check_undeformed_ = nullptr;
  QPushButton* button1_ = nullptr;
  bool closed_ = false;
};

}  // namespace kestra
