#include "base/ucommands.h"

#include <initializer_list>

namespace marvessa {

void ShowPage(CommandView& view, int page) {
  view.ShowPageControl(page);
  view.SetCommandChecked(Command::NVlist, page == 0);
  view.SetCommandChecked(Command::NVkeywords, page == 1);
  for (Command c : {Command::AEcopy, Command::AEinsert, Command::AEUpdate, Command::AEDelete, Command::AESelectall,
                    Command::AEclear, Command::NEfont})
    view.SetCommandEnabled(c, page == 0);
}

}  // namespace marvessa
