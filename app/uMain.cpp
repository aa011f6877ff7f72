#include "app/uMain.h"

#include "base/ufileio.h"
#include "results/ufile.h"
#include "search/usrchthd.h"

namespace marvessa {

namespace {

constexpr int kNewsIntervalMs = 60000;

}  // namespace

TMainForm::TMainForm(MainView& view, const MainPlatform& platform) : view_(view), platform_(platform) {
  SearchWorkerFactory* workers = platform.workers;
  if (!workers) {
    ownWorkers_ = std::make_unique<TsrchthdFactory>(WorkerContext{settings_, run_, runRows_, platform.ui});
    workers = ownWorkers_.get();
  }
  list_ = std::make_unique<ListCommands>(ListCommandParts{.results = results_,
                                                          .selection = view,
                                                          .sortMenu = view,
                                                          .run = run_,
                                                          .panels = view,
                                                          .document = document_,
                                                          .ui = platform.ui,
                                                          .shell = platform.shell});
  controller_ = std::make_unique<RunController>(RunControllerParts{
      .settings = settings_,
      .folders = platform.folders,
      .run = run_,
      .results = results_,
      .document = document_,
      .keywords = view,
      .scope = view,
      .panels = view,
      .commands = view,
      .messages = view,
      .ui = platform.ui,
      .timers = platform.timers,
      .workers = *workers,
      .clearCustomerList = [this] { list_->ClearCustomerList(); },
      .saveDocument =
          [this](const std::string& path) {
            DocumentParts parts = Parts();
            SaveDocument(parts, path);
          },
      .confirmSaveIfModified = [this] { return files_->ConfirmSaveIfModified(); }});
  files_ = std::make_unique<DocumentCommands>(DocumentCommandParts{.document = Parts(),
                                                                   .state = document_,
                                                                   .settings = settings_,
                                                                   .folders = platform.folders,
                                                                   .mru = mru_,
                                                                   .dialogs = view,
                                                                   .messages = view,
                                                                   .commands = view,
                                                                   .cursor = view,
                                                                   .clearCustomerList = [this] { list_->ClearCustomerList(); }});
  update_ = std::make_unique<EngineUpdateService>(settings_, platform.folders, platform.ui, view);
  MTimer3_ = platform.timers.CreateTimer([this] { MTimer3Timer(); });
  MTimer3_->SetInterval(kNewsIntervalMs);
  power_ = std::make_unique<PowerActions>(platform.dialUp, platform.shutdown, platform.timers, view,
                                          [this] { document_.documentModified = false; });
  document_.changed = [this] { view_.SetCaption(DocumentCaption(document_)); };
  controller_->searchStarted.push_back([this] { update_->SearchStarted(); });
  controller_->endOfRunActions.push_back([this] { power_->RunEndOfRunActions(); });
}

TMainForm::~TMainForm() = default;

DocumentParts TMainForm::Parts() {
  return DocumentParts{
      .results = results_, .run = run_, .keywords = view_, .scope = view_, .panels = view_, .ui = platform_.ui};
}

void TMainForm::FormCreate() {
  update_->ClearSucceeded();
  LoadSettings(settings_, IniPath(platform_.folders));
  view_.SetCaption("Marvessa");
  run_.runKeywords.clear();
  run_.SetRunEngines({});
  run_.SetKeywordTerms({});
  results_.SetView(&view_);
  mru_.SetMenu(&view_);
  mru_.ShowInMenu(false);
  for (int i = TMru::kEntries - 1; i >= 0; --i) mru_.AddFile(settings_.filelist[i]);
  const std::string avi = platform_.folders.ProgramFolder() + "work.avi";
  view_.SetAnimationSource(FileExists(avi) ? avi : std::string());
  view_.LayOutStatusPanels();
  view_.SetNewsCaption("欢迎使用 Marvessa 邮址搜索!");
  view_.SetNewsLink(std::string(kMakerSite) + "/dfault.htm");
  MTimer3_->SetEnabled(true);
  files_->NewDocument();
  controller_->FinishRun();
  files_->RestoreAutosave();
}

bool TMainForm::FormCloseQuery() { return files_->FormCloseQuery(); }

void TMainForm::FormDestroy() {
  run_.userEnded = true;
  try {
    controller_->StopWorkers(true);
  } catch (...) {
    // The settings are saved all the same.
  }
  try {
    update_->StopEngineUpdate(true);
  } catch (...) {
    // As above.
  }
  MTimer3_->SetEnabled(false);
  for (int i = 0; i < TMru::kEntries; ++i) settings_.filelist[i] = mru_.GetFile(i);
  try {
    results_.ClearResults();
  } catch (...) {
    // As above.
  }
  results_.SetView(nullptr);
  mru_.SetMenu(nullptr);
  document_.changed = nullptr;
  SaveSettings(settings_, IniPath(platform_.folders));
  run_.runKeywords.clear();
  run_.SetRunEngines({});
  run_.SetKeywordTerms({});
}

void TMainForm::AHhelpExecute() {
  const std::string help = platform_.folders.ProgramFolder() + "help.htm";
  if (FileExists(help)) OpenProgramFile(platform_.shell, help);
}

void TMainForm::AHhomepageExecute() { OpenInBrowser(platform_.shell, std::string(kMakerSite) + "/dfault.htm"); }

void TMainForm::AHdownloadExecute() { OpenInBrowser(platform_.shell, std::string(kMakerSite) + "/download.htm"); }

void TMainForm::AHfeedbackExecute() { SendMail(platform_.shell, kFeedbackMailbox); }

void TMainForm::MTimer3Timer() { news_.ShowNextNews(platform_.folders, view_); }

void TMainForm::PLmsgClick(const std::string& link) { OpenInBrowser(platform_.shell, link); }

void TMainForm::OpenEngineRow(const EngineRunRow& row) {
  if (row.State() == EngineState::kBlocked && !row.lastUrl.empty()) OpenInBrowser(platform_.shell, row.lastUrl);
}

void TMainForm::CBinputKeyDown(int key) {
  if (key == 13) controller_->StartSearch(false);
}

bool TMainForm::NVdisconnectClick() { return power_->NVdisconnect = !power_->NVdisconnect; }

bool TMainForm::NVwinExitClick() { return power_->NVwinExit = !power_->NVwinExit; }

}  // namespace marvessa
