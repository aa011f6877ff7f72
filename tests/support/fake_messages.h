// Message boxes that record what was shown and answer from a script.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "app/umessages.h"

namespace marvessa::test {

class FakeMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer ShowMessage(const MessageSpec& spec) override {
    shown.push_back(spec);
    if (whileOpen) whileOpen(spec);
    if (answers.empty()) return spec.buttons == MessageButtons::YesNoCancel ? spec.defaultAnswer : MessageAnswer::Ok;
    const MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::vector<MessageSpec> shown;
  std::deque<MessageAnswer> answers;
  // Runs while the box is "open", e.g. to fire a timer before the user answers.
  std::function<void(const MessageSpec&)> whileOpen;
};

}  // namespace marvessa::test
