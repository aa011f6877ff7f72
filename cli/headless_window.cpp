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

MessageAnswer HeadlessWindow::ShowMessage(const MessageSpec& spec) {
  messages.push_back(spec.text);
  std::string text = spec.text;
  ReplaceAll("\r\n", "\n", text);
  PrintError(Trim(text));
  return spec.buttons == MessageButtons::YesNoCancel ? spec.defaultAnswer : MessageAnswer::Ok;
}

}  // namespace marvessa::cli
