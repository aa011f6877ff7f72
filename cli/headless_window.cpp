#include "cli/headless_window.h"

#include "cli/console.h"

namespace marvessa::cli {

std::string HeadlessWindow::StatusLine() const {
  std::string line;
  for (const auto& panel : panels_) {
    if (IsBlankText(panel)) continue;
    if (!line.empty()) line += "  ";
    line += panel;
  }
  return line;
}

MessageAnswer HeadlessWindow::ShowMessage(const MessageSpec& message) {
  messages.push_back(message.text);
  std::string text = message.text;
  ReplaceAll("\r\n", "\n", text);
  PrintError(Trim(text));
  if (message.buttons != MessageButtons::YesNoCancel) return MessageAnswer::Ok;
  return std::exchange(nextAnswer, std::nullopt).value_or(message.defaultAnswer);
}

}  // namespace marvessa::cli
