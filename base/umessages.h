// Modal message boxes, asked for by the core and shown by the front end.
#pragma once

#include <string>

namespace marvessa {

enum class MessageIcon { Information, Question, Warning, Error };
enum class MessageButtons { Ok, YesNoCancel, None };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageSpec {
  std::string text;     // GBK
  std::string caption;  // GBK: "提示" or "警告"
  MessageIcon icon = MessageIcon::Information;
  MessageButtons buttons = MessageButtons::Ok;
  MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box modally and returns the answer. While it is open the UI thread keeps
  // serving its events and timers. A box without buttons returns when it is closed.
  virtual MessageAnswer ShowMessage(const MessageSpec& message) = 0;
};

}  // namespace marvessa
