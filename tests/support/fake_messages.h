// Message boxes that record what was shown and answer from a script.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "base/umessages.h"

namespace marvessa::test {

class FakeMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer ShowMessage(const MessageSpec& message) override {
    shown.push_back(message);
    if (whileOpen) whileOpen(message);
    if (answers.empty()) return message.buttons == MessageButtons::YesNoCancel ? message.defaultAnswer : MessageAnswer::Ok;
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
