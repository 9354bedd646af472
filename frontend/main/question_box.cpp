#include "question_box.h"

#include <QMessageBox>
#include <QString>
#include <utility>

namespace kestra {
namespace {

Answer ShowQuestionBox(QWidget* parent, const std::string& question) {
  const auto button = QMessageBox::question(
      parent, QStringLiteral("Confirm"), QString::fromStdString(question),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
      QMessageBox::Yes);
  if (button == QMessageBox::Yes) return Answer::kYes;
  if (button == QMessageBox::No) return Answer::kNo;
  return Answer::kCancel;
}

QuestionSink& CurrentSink() {
  static QuestionSink sink = ShowQuestionBox;
  return sink;
}

}  // namespace

Answer AskQuestion(QWidget* parent, const std::string& question) {
  QuestionSink sink = CurrentSink();
  return sink ? sink(parent, question) : Answer::kCancel;
}

ScopedQuestionSink::ScopedQuestionSink(QuestionSink sink)
    : previous_(std::exchange(CurrentSink(), std::move(sink))) {}

ScopedQuestionSink::~ScopedQuestionSink() {
  CurrentSink() = std::move(previous_);
}

}  // namespace kestra
