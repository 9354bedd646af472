// The page setup of graph printing: margins in thousandths of an inch,
// exchanged with the system's page-setup dialog for a printer.
#pragma once

class QPrinter;
class QWidget;

namespace kestra {

class TPageSetupDialog {
 public:
  int MarginLeft = 1000, MarginTop = 1000, MarginRight = 1000, MarginBottom = 1000;  // 1/1000 in
  int MinMarginLeft = 0, MinMarginTop = 0, MinMarginRight = 0, MinMarginBottom = 0;
  int PaperLength() const; int PaperWidth() const;   // 1/1000 in
  bool Execute(QWidget* parent, QPrinter& printer);  // true on OK; margins taken back
  void ApplyTo(QPrinter& printer) const;             // sets the printer's page margins

 private:
  int paper_length_ = 0;
  int paper_width_ = 0;
};

}  // namespace kestra
