#include "app/wmainwindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ulayout.h"
#include "base/wfonts.h"
#include "base/wqttext.h"

namespace marvessa {

MainWindow::MainWindow(const MainPlatform& platform, const WindowDialogs& dialogs) : dialogs_(dialogs) {
  setObjectName(QStringLiteral("MainForm"));
  setFont(WindowFont());
  setWindowIcon(ProgramIcon());
  // The logic first: the parts show its lists.
  form_ = std::make_unique<TMainForm>(*this, platform);
  BuildParts();
  ConnectCommands();
  ConnectViewSwitches();
  ConnectLists();
  resize(kWidth, kHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  Guarded([this] { form_->FormCreate(); });
}

MainWindow::~MainWindow() {
  Guarded([this] { form_->FormDestroy(); });
  form_->run().SetObservers(nullptr, nullptr);
  // The widgets outlive the form: closing them moves the focus, and a keyword box that loses it
  // may still report an edit.
  address_->onEnter = [] {};
  address_->onUserChange = [] {};
  pages_->onBatchEdited = [] {};
}

// From top to bottom: the band bar, the client area (address bar above the search boxes, the
// splitter and the page control) and the status line.
void MainWindow::BuildParts() {
  actions_ = new MainActions(this);
  actions_->FillMenuBar(menuBar());

  auto* central = new QWidget(this);
  coolBar_ = new CoolBar(*actions_, central);

  auto* PlClient = new QFrame(central);
  PlClient->setObjectName(QStringLiteral("PlClient"));
  PlClient->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  address_ = new AddressBar(PlClient);
  body_ = new QWidget(PlClient);
  scan_ = new SearchBoxes(form_->run(), body_);
  pages_ = new PageControl(form_->results(), body_);
  Spllist_ = new QSplitter(Qt::Horizontal, body_);
  Spllist_->setObjectName(QStringLiteral("Spllist"));
  Spllist_->setHandleWidth(kSplitterWidth);
  Spllist_->setChildrenCollapsible(false);
  Spllist_->addWidget(scan_);
  Spllist_->addWidget(pages_);
  Spllist_->setStretchFactor(0, 0);
  Spllist_->setStretchFactor(1, 1);
  auto* bodyLayout = new QVBoxLayout(body_);
  bodyLayout->setContentsMargins(0, 0, 0, 0);
  bodyLayout->addWidget(Spllist_);
  // Not in the layout: it floats over the tab row.
  news_ = new NewsLine(body_);
  news_->raise();

  auto* clientLayout = new QVBoxLayout(PlClient);
  clientLayout->setContentsMargins(1, 1, 1, 1);
  clientLayout->setSpacing(0);
  clientLayout->addWidget(address_);
  clientLayout->addWidget(body_, 1);

  status_ = new StatusLine(central);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(coolBar_);
  layout->addWidget(PlClient, 1);
  layout->addWidget(status_);
  setCentralWidget(central);

  connect(Spllist_, &QSplitter::splitterMoved, this, [this] { PlaceNewsLine(); });
  pages_->installEventFilter(this);
  body_->installEventFilter(this);
}

void MainWindow::PlaceNewsLine() {
  // The splitter's left edge is just before the page control; with the search boxes hidden it
  // stands at the left edge.
  const int pagesLeft = pages_->mapTo(body_, QPoint()).x();
  const int left = NewsLineLeft(std::max(0, pagesLeft - Spllist_->handleWidth()));
  const QWidget* tabs = pages_->tabBar();
  const int top = tabs->mapTo(body_, QPoint()).y();
  const int right = pages_->mapTo(body_, QPoint(pages_->width(), 0)).x();
  news_->setGeometry(left, top, std::max(0, right - left), tabs->height());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == pages_ || watched == body_) && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
    PlaceNewsLine();
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::AttachUpdateDialog(TdlgUpdate* dialog) {
  updateDialog_ = dialog;
  dialog->onButton = [this] { Guarded([this] { form_->update().BtCancelClick(); }); };
}

void MainWindow::SetUpdateMessage(const std::string& text) {
  if (updateDialog_) updateDialog_->SetUpdateMessage(text);
}

void MainWindow::SetUpdateButtonCaption(const std::string& caption) {
  if (updateDialog_) updateDialog_->SetUpdateButtonCaption(caption);
}

void MainWindow::ShowUpdateDialog() {
  if (updateDialog_) updateDialog_->ShowUpdateDialog();
}

void MainWindow::HideUpdateDialog() {
  if (updateDialog_) updateDialog_->HideUpdateDialog();
}

void MainWindow::ShowPageControl(int page) {
  pages_->ShowPageControl(page);
  PlaceNewsLine();
}

// The caption as it stands: no application display name is set, which Qt would append to the
// title of every window and message box.
void MainWindow::SetCaption(const std::string& caption) { setWindowTitle(FromGbk(caption)); }

void MainWindow::LayOutStatusPanels() { status_->LayOutPanels(frameGeometry().width()); }

void MainWindow::closeEvent(QCloseEvent* event) {
  bool proceed = false;
  Guarded([&] { proceed = form_->FormCloseQuery(); });
  if (!proceed) {
    event->ignore();
    return;
  }
  event->accept();
  if (onClosed) onClosed();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayOutStatusPanels();
}

}  // namespace marvessa
