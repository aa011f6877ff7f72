// The main window's logic: what it is made of, its start-up and shut-down sequences, and the
// commands it carries out. The window itself is a front end that implements MainView.
#pragma once

#include <memory>
#include <string>

#include "app/ucontroller.h"
#include "base/uMru.h"
#include "base/ucommands.h"
#include "base/ufolders.h"
#include "base/uglobal.h"
#include "base/umessages.h"
#include "base/utimer.h"
#include "base/uuithread.h"
#include "base/uview.h"
#include "engines/uupdate.h"
#include "power/upoweractions.h"
#include "results/udoccommands.h"
#include "results/udocstate.h"
#include "results/ulistcommands.h"
#include "results/ulistscroller.h"
#include "results/uresults.h"
#include "results/ushell.h"
#include "search/urunstate.h"
#include "search/ustatusline.h"
#include "search/uworker.h"

namespace marvessa {

// Everything the core asks of the main window.
class MainView : public StatusPanels,
                 public ScopeButtons,
                 public KeywordInput,
                 public CommandView,
                 public MessageBoxes,
                 public FileDialogs,
                 public BusyCursor,
                 public MruMenu,
                 public ResultView,
                 public ResultSelection,
                 public ListScroller,
                 public SortMenu,
                 public UpdateDialogView,
                 public NewsLineView {
 public:
  // The window caption: the document's name and modified mark before "Marvessa".
  virtual void SetCaption(const std::string& caption) = 0;
  // The animation source: the program folder's "work.avi", or empty for the built-in one.
  virtual void SetAnimationSource(const std::string& aviPath) = 0;
  virtual void LayOutStatusPanels() = 0;
};

// The platform layers and the UI thread the main window runs on.
struct MainPlatform {
  UiThread& ui;
  TimerFactory& timers;
  const Folders& folders;
  ShellPlatform& shell;
  DialUpApi& dialUp;
  ShutdownApi& shutdown;
  // The search workers; the real ones over HTTP when none is given.
  SearchWorkerFactory* workers = nullptr;
};

// The maker's feedback mailbox; its web site is kMakerSite.
inline constexpr const char* kFeedbackMailbox = "support@marvessa.example";

class TMainForm {
 public:
  TMainForm(MainView& view, const MainPlatform& platform);
  ~TMainForm();
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // The start-up sequence, run once the window exists.
  void FormCreate();
  // Asked when the window is to close: false keeps it open.
  bool FormCloseQuery();
  // The shut-down sequence, run when the window is destroyed.
  void FormDestroy();

  // The help menu.
  void AHhelpExecute();
  void AHhomepageExecute();
  void AHdownloadExecute();
  void AHfeedbackExecute();
  // The news line: its 60-second tick and a click on it with the link it shows.
  void MTimer3Timer();
  void PLmsgClick(const std::string& link);
  // A row of the engine status view: one that asks for a verification opens its last URL in the
  // browser, where the user can pass the check.
  void OpenEngineRow(const EngineRunRow& row);
  // Enter (virtual key 13) in the keyword box begins a search.
  void CBinputKeyDown(int key);
  void ShowPage(int page) { marvessa::ShowPage(view_, page); }
  // The check items "自动断网" and "自动关机"; gives the new state of the item.
  bool NVdisconnectClick();
  bool NVwinExitClick();

  Settings& settings() { return settings_; }
  RunState& run() { return run_; }
  ResultList& results() { return results_; }
  DocumentState& document() { return document_; }
  TMru& mru() { return mru_; }
  RunController& controller() { return *controller_; }
  DocumentCommands& files() { return *files_; }
  ListCommands& list() { return *list_; }
  EngineUpdateService& update() { return *update_; }
  PowerActions& power() { return *power_; }
  const Folders& folders() const { return platform_.folders; }
  // The parts of the window the document is made of.
  DocumentParts Parts();

 private:

  MainView& view_;
  MainPlatform platform_;
  Settings settings_;
  RunState run_{settings_};
  ResultList results_;
  DocumentState document_;
  RunRows runRows_{settings_, results_, document_};
  TMru mru_;
  std::unique_ptr<SearchWorkerFactory> ownWorkers_;
  std::unique_ptr<ListCommands> list_;
  std::unique_ptr<RunController> controller_;
  std::unique_ptr<DocumentCommands> files_;
  std::unique_ptr<EngineUpdateService> update_;
  NewsRotation news_;
  std::unique_ptr<Timer> MTimer3_;
  std::unique_ptr<PowerActions> power_;
};

}  // namespace marvessa
