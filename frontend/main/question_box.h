// The confirmation box (Yes, No, Cancel). The call goes through a
// replaceable function so that tests answer instead of a modal dialog.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace kestra {

enum class Answer { kYes, kNo, kCancel };

using QuestionSink =
    std::function<Answer(QWidget* parent, const std::string& question)>;

Answer AskQuestion(QWidget* parent, const std::string& question);

// Installs `sink` for the lifetime of this object.
class ScopedQuestionSink {
 public:
  explicit ScopedQuestionSink(QuestionSink sink);
  ~ScopedQuestionSink();
  ScopedQuestionSink(const ScopedQuestionSink&) = delete;
  ScopedQuestionSink& operator=(const ScopedQuestionSink&) = delete;

 private:
  QuestionSink previous_;
};

}  // namespace kestra
