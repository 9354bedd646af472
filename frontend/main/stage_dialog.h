// "Staged Construction Options": whether the project is analysed in
// construction stages and how many. OK writes, copies and deletes the stage
// files through the project; Cancel changes nothing.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace kestra {

class TDataEdit;
class TProject;

class TDlgStaged : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kMinStaged = 2;

  explicit TDlgStaged(TProject& project, QWidget* parent = nullptr);
  ~TDlgStaged() override;
  TDlgStaged(const TDlgStaged&) = delete;
  TDlgStaged& operator=(const TDlgStaged&) = delete;

  // Called after OK has set the stage count, so that the window can update
  // its status bar, Stage menu and stage buttons (the dialog may be
  // non-modal).
  std::function<void()> StagesChanged;

  // Loads the controls from the project; run whenever the dialog is shown.
  void FormActivate();

  QCheckBox* StageAnalysis() const { return stage_analysis_.get(); }
  TDataEdit* deStage() const { return stage_.get(); }
  QToolButton* UpButton() const { return up_.get(); }
  QToolButton* DownButton() const { return down_.get(); }
  QPushButton* btnOK() const { return ok_.get(); }
  QPushButton* btnCancel() const { return cancel_.get(); }

  void StageAnalysisClick();
  void UpClick();
  void DownClick();
  void OKClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void EnableCount(bool on);

  TProject& project_;
  std::unique_ptr<QPlainTextEdit> explanation_;
  std::unique_ptr<QCheckBox> stage_analysis_;
  std::unique_ptr<QLabel> stage_label_;
  std::unique_ptr<TDataEdit> stage_;
  std::unique_ptr<QToolButton> up_;
  std::unique_ptr<QToolButton> down_;
  std::unique_ptr<QPushButton> ok_;
  std::unique_ptr<QPushButton> cancel_;
};

}  // namespace kestra
