// The deformed-shape dialog of the 3D view.
#include "deformed_shape_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace kestra {

TDlgDeformedShape::TDlgDeformedShape(view3d::SceneOptions&,
                                     std::function<void()>, QWidget* parent)
    : QWidget(parent) {}

TDlgDeformedShape::~TDlgDeformedShape() = default;

void TDlgDeformedShape::FormActivate() {}

QLineEdit* TDlgDeformedShape::EditDefFactor() const { return nullptr; }
QSpinBox* TDlgDeformedShape::UpDownDefFactor() const { return nullptr; }
QCheckBox* TDlgDeformedShape::CheckBoxDeformedShape() const { return nullptr; }
QCheckBox* TDlgDeformedShape::CheckBoxUndeformedModel() const {
  return nullptr;
}
QPushButton* TDlgDeformedShape::CloseButton() const { return nullptr; }

}  // namespace kestra
