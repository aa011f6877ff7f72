#include "base/uglobal.h"
#include "cli/verbs.h"
#include "engines/uupdate.h"

namespace marvessa::cli {

namespace {

struct ConsoleUpdateDialog : UpdateDialogView {
  void SetUpdateMessage(const std::string& text) override { message = text; }
  void SetUpdateButtonCaption(const std::string&) override {}
  void ShowUpdateDialog() override {}
  void HideUpdateDialog() override {}
  std::string message;
};

struct ConsoleNewsLine : NewsLineView {
  void SetNewsCaption(const std::string& text) override { caption = text; }
  void SetNewsLink(const std::string& text) override { link = text; }
  std::string caption;
  std::string link;
};

}  // namespace

int UpdateVerb(Args& args) {
  args.Rest(0, "update");
  LinuxFolders folders;
  Settings settings;
  LoadSettings(settings, IniPath(folders));
  TaskQueueUiThread ui;
  ConsoleUpdateDialog dialog;
  EngineUpdateService service(settings, folders, ui, dialog);
  service.NTVupdateClick();
  while (service.running()) ui.WaitForEvents(100);
  PrintLine(service.succeeded() ? "引擎升级成功!" : dialog.message);
  ConsoleNewsLine news;
  NewsRotation().ShowNextNews(folders, news);
  if (!news.caption.empty() || !news.link.empty()) PrintFields({news.caption, news.link});
  return service.succeeded() ? 0 : 1;
}

}  // namespace marvessa::cli
