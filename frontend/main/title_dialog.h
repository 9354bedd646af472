// "Project Title": the one-line problem title.
#pragma once

#include <QString>
#include <memory>

#include "input_dialog.h"

class QLabel;
class QLineEdit;

namespace kestra {

class TdlgTitle : public TInputDialog {
  Q_OBJECT

 public:
  static constexpr int kMaxLength = 80;

  explicit TdlgTitle(TDialogHost host, QWidget* parent = nullptr);
  ~TdlgTitle() override;

  QLineEdit* TitleMemo() const { return title_memo_.get(); }

 protected:
  void LoadValues() override;
  void StoreValues() override;

 private:
  std::unique_ptr<QLabel> label_;
  std::unique_ptr<QLineEdit> title_memo_;
  // The text as loaded: a title longer than the field is only cut when the
  // user edits it.
  QString loaded_;
};

}  // namespace kestra
