// The small dialogs of a graph window: the graph title, the legend texts,
// the active curves and the size of a saved bitmap. Each runs modal and
// changes the graph only as its entry point says.
#pragma once

#include <QDialog>
#include <QImage>
#include <string>
#include <vector>

#include "plot_data.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kestra {

class TDataEdit;

// "&Graph Title": edits plot.Title and plot.TitleOnTop (OK only, always applies).
void EditGraphTitle(QWidget* parent, TGraphPlot& plot);
// "&Edit Legend": true when the dialog ended with OK (names of plot's Lines curves set).
bool EditLegend(QWidget* parent, TGraphPlot& plot);
// "&Active Curves": true when the dialog ended with OK (Active flags of plot's Lines curves set).
bool EditActiveCurves(QWidget* parent, TGraphPlot& plot);
// "Save Attributes": on kOk `bitmap` has been allocated at the chosen size (white).
enum class SaveAttributesResult { kOk, kCancel, kNoMemory };
SaveAttributesResult ChooseSaveAttributes(QWidget* parent, QImage& bitmap);

// "Graph Caption": the title text and whether it stands on top.
class TfrmGraphCaption : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmGraphCaption(QWidget* parent = nullptr);

  void Load(const TGraphPlot& plot);
  void Store(TGraphPlot& plot) const;

  QLineEdit* edtCaption = nullptr;
  QGroupBox* gbLocation = nullptr;
  QRadioButton* rbTop = nullptr;
  QRadioButton* rbBottom = nullptr;
  QPushButton* btnOK = nullptr;
};

// "Legend": renames the curves one at a time.
class TfrmLineNames : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmLineNames(QWidget* parent = nullptr);

  // Each name is shown in the palette colour of its entry in `colours`
  // (the curve's colour in the graph; -1 for the plain text colour); without
  // that list, in the colour of its row.
  void SetNames(const std::vector<std::string>& names,
                const std::vector<int>& colours = {});
  std::vector<std::string> Names() const;

  QLabel* Label1 = nullptr;
  QListWidget* lbLines = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* edLine = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

 private:
  void ShowSelected();
  // Enter in the edit or leaving it: the text renames the selected line.
  void CommitEdit();
  void OkClick();

  std::vector<int> colours_;
  bool committing_ = false;
};

// "Active Curves": which curves take part in the graph window.
class TfrmActiveLines : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmActiveLines(QWidget* parent = nullptr);

  void SetCurves(const std::vector<std::string>& names,
                 const std::vector<std::string>& states);
  const std::vector<std::string>& States() const { return states_; }

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QListWidget* lbLines = nullptr;
  QPushButton* ActivateDesactivateButton = nullptr;
  QPushButton* ActivateButton = nullptr;
  QPushButton* DesactivateButton = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

 private:
  void FlipSelected();
  void SetAll(bool active);
  void RewriteLine(int row);

  std::vector<std::string> names_;
  std::vector<std::string> states_;
};

// The colour depth chosen for a saved bitmap.
enum class SaveColours { kBlackWhite, k16, k256, kHigh16, kTrue24 };

// The saved picture reduced to the chosen colour depth; the graph is drawn
// in full colour first.
QImage ToSaveColours(const QImage& image, SaveColours colours);

// As above, also giving the colour depth chosen, for ToSaveColours before
// the picture is written.
SaveAttributesResult ChooseSaveAttributes(QWidget* parent, QImage& bitmap,
                                          SaveColours* colours);

// "Save Attributes": size and colour depth of a saved graph picture. It owns
// the bitmap it allocates on OK.
class TdlgFormat : public QDialog {
  Q_OBJECT

 public:
  // done() code when the bitmap could not be allocated.
  static constexpr int kAbort = 3;

  explicit TdlgFormat(QWidget* parent = nullptr);

  SaveColours Colours() const;
  QImage& Bitmap() { return bitmap_; }

  TDataEdit* deHeight = nullptr;
  TDataEdit* deWidth = nullptr;
  TDataEdit* dePPI = nullptr;
  QGroupBox* gbColors = nullptr;
  QButtonGroup* colours_ = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

 private:
  void OkClick();

  QImage bitmap_;
};

}  // namespace kestra
