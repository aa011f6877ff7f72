#include "options/woptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/wdialogframe.h"
#include "base/wdialogs.h"
#include "base/wqttext.h"
#include "options/wspinedit.h"

namespace marvessa {

namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

}  // namespace

ToptionsDlg::ToptionsDlg(Settings& settings, const Folders& folders, QWidget* parent)
    : QDialog(parent), model_(settings, folders) {
  setWindowTitle(Utf8("选项"));
  pages_ = new QTabWidget(this);
  pages_->addTab(GeneralPage(), Utf8("  常规  "));
  pages_->addTab(ProxyPage(), Utf8("  代理  "));
  pages_->addTab(EnginePage(), Utf8("  引擎  "));
  pages_->addTab(WebPage(), Utf8("  网络  "));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(ButtonRow());
  // A fixed dialog border: the window keeps the size its contents ask for.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  model_.LoadControls();
  model_.LoadEngineList();
  ShowControls();
  ShowEngineList();
}

void ToptionsDlg::ShowPage(int page) { pages_->setCurrentIndex(page); }

void ToptionsDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(*this);
}

QCheckBox* ToptionsDlg::Check(CheckControl& control, const char* name, const char* caption, bool switchesBox) {
  auto* box = new QCheckBox(Utf8(caption));
  box->setObjectName(QString::fromLatin1(name));
  connect(box, &QCheckBox::clicked, this, [this, &control, switchesBox](bool checked) {
    control.checked = checked;
    if (!switchesBox) return;
    model_.UpdateEnabling();
    ShowControls();
  });
  showers_.push_back([box, &control] {
    box->setChecked(control.checked);
    box->setEnabled(control.enabled);
  });
  return box;
}

SpinEdit* ToptionsDlg::Spin(SpinControl& control, const char* name) {
  auto* box = new SpinEdit(control, nullptr);
  box->setObjectName(QString::fromLatin1(name));
  box->setFixedWidth(90);
  showers_.push_back([box] { box->ShowControl(); });
  return box;
}

QLineEdit* ToptionsDlg::Edit(EditControl& control, const char* name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromLatin1(name));
  connect(edit, &QLineEdit::textEdited, this, [&control](const QString& text) { control.text = ToGbk(text); });
  showers_.push_back([edit, &control] {
    const QString text = FromGbk(control.text);
    if (edit->text() != text) edit->setText(text);
    edit->setEnabled(control.enabled);
  });
  return edit;
}

// A switch or a caption, its number box and the unit on one line of the grid, reading as one
// sentence; the boxes of the lines stand in one column.
void ToptionsDlg::Sentence(QGridLayout* grid, QWidget* head, SpinEdit* box, const char* unit) {
  const int row = grid->rowCount();
  grid->addWidget(head, row, 0);
  grid->addWidget(box, row, 1);
  grid->addWidget(new QLabel(Utf8(unit)), row, 2);
}

QWidget* ToptionsDlg::GeneralPage() {
  OptionsModel& m = model_;
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("Tsgeneral"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Check(m.cbautoupdate, "cbautoupdate", "自动升级引擎"));
  layout->addWidget(Check(m.cbfilterurl, "cbfilterurl", "优化二级网址"));
  layout->addWidget(Check(m.cbfiltertitle, "cbfiltertitle", "仅列出含关键词标题"));
  auto* grid = new QGridLayout;
  Sentence(grid, Check(m.CBctrlemail, "CBctrlemail", "控制每次搜索邮址数不多于", true),
           Spin(m.SEctrlemailnumber, "SEctrlemailnumber"), "个.");
  Sentence(grid, Check(m.CBctrltime, "CBctrltime", "控制每次搜索的时间不超过", true),
           Spin(m.SEctrltimenumber, "SEctrltimenumber"), "分钟.");
  Sentence(grid, Check(m.CBtimeout, "CBtimeout", "搜索一个网址的时间不超过", true),
           Spin(m.setimeoutnumber, "setimeoutnumber"), "分钟.");
  Sentence(grid, Check(m.CBsizecheck, "CBsizecheck", "搜索一个网址的大小不大于", true), Spin(m.sesize, "sesize"),
           "KB.");
  Sentence(grid, Check(m.cbautosave, "cbautosave", "自动保存,搜索过程保存时间", true),
           Spin(m.seautosavetime, "seautosavetime"), "分钟.");
  Sentence(grid, new QLabel(Utf8("一级搜索框网址控制数:")), Spin(m.sechache1number, "sechache1number"),
           "个 (100 ~ 100000).");
  Sentence(grid, new QLabel(Utf8("二级搜索框网址控制数:")), Spin(m.sechache2number, "sechache2number"),
           "个 (0 ~ 100000).");
  Sentence(grid, new QLabel(Utf8("同时启动搜索线程数量:")), Spin(m.sethdnumber, "sethdnumber"), "个 (1 ~ 512).");

  cbexportstring_ = new QComboBox;
  cbexportstring_->setObjectName(QStringLiteral("cbexportstring"));
  cbexportstring_->setEditable(true);
  cbexportstring_->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& layoutText : ExportLayouts()) cbexportstring_->addItem(FromGbk(layoutText));
  connect(cbexportstring_, &QComboBox::editTextChanged, this,
          [this](const QString& text) { model_.cbexportstring = ToGbk(text); });
  showers_.push_back([this] {
    QSignalBlocker block(cbexportstring_);
    cbexportstring_->setEditText(FromGbk(model_.cbexportstring));
  });
  const int exportRow = grid->rowCount();
  grid->addWidget(new QLabel(Utf8("导    出    格    式:")), exportRow, 0);
  grid->addWidget(cbexportstring_, exportRow, 1, 1, 3);
  grid->setColumnStretch(3, 1);
  layout->addLayout(grid);
  layout->addStretch();
  return page;
}

QWidget* ToptionsDlg::ProxyPage() {
  OptionsModel& m = model_;
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TsProxy"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Check(m.cbProxyenabled, "cbProxyenabled", "使用HTTP代理服务器", true));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Utf8("服务器:")), 0, 0);
  grid->addWidget(Edit(m.EdProxy, "EdProxy"), 0, 1);
  grid->addWidget(new QLabel(Utf8("端  口:")), 1, 0);
  grid->addWidget(Spin(m.EdProxyPort, "EdProxyPort"), 1, 1, Qt::AlignLeft);
  grid->addWidget(new QLabel(Utf8("用户名:")), 2, 0);
  grid->addWidget(Edit(m.EdProxyuser, "EdProxyuser"), 2, 1);
  grid->addWidget(new QLabel(Utf8("密  码:")), 3, 0);
  QLineEdit* password = Edit(m.EdProxypsd, "EdProxypsd");
  password->setEchoMode(QLineEdit::Password);
  password->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // "*"
  grid->addWidget(password, 3, 1);
  layout->addLayout(grid);
  layout->addStretch();
  return page;
}

QWidget* ToptionsDlg::WebPage() {
  OptionsModel& m = model_;
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TsWeb"));
  auto* layout = new QVBoxLayout(page);
  auto* texts = new QGridLayout;
  texts->addWidget(new QLabel(Utf8("浏览器标识:")), 0, 0);
  texts->addWidget(Edit(m.EdUseragent, "EdUseragent"), 0, 1);
  texts->addWidget(new QLabel(Utf8("联系网页词:")), 1, 0);
  texts->addWidget(Edit(m.EdLinkterms, "EdLinkterms"), 1, 1);
  texts->setColumnMinimumWidth(1, 360);
  layout->addLayout(texts);
  layout->addWidget(Check(m.cbrobots, "cbrobots", "遵守网站的robots.txt"));
  layout->addWidget(Check(m.cbhttponly, "cbhttponly", "仅跟随http链接"));
  auto* grid = new QGridLayout;
  Sentence(grid, new QLabel(Utf8("连接网站的时间不超过")), Spin(m.seconnecttimeout, "seconnecttimeout"), "秒.");
  Sentence(grid, new QLabel(Utf8("每个网站同时连接数:")), Spin(m.sehostconnections, "sehostconnections"),
           "个 (1 ~ 48).");
  Sentence(grid, new QLabel(Utf8("低速中断: 收到字节数少于")), Spin(m.selowspeedbytes, "selowspeedbytes"), "字节,");
  Sentence(grid, new QLabel(Utf8("在")), Spin(m.selowspeedtime, "selowspeedtime"), "秒内.");
  grid->setColumnStretch(3, 1);
  layout->addLayout(grid);
  layout->addStretch();
  return page;
}

QWidget* ToptionsDlg::EnginePage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("Tsengine"));
  Lvengine_ = new QTableWidget(0, 2, page);
  Lvengine_->setObjectName(QStringLiteral("Lvengine"));
  Lvengine_->setHorizontalHeaderLabels({Utf8("名称"), Utf8("范围")});
  Lvengine_->setColumnWidth(0, 320);
  Lvengine_->setColumnWidth(1, 100);
  Lvengine_->verticalHeader()->hide();
  Lvengine_->setShowGrid(true);
  Lvengine_->setSelectionBehavior(QAbstractItemView::SelectRows);
  Lvengine_->setSelectionMode(QAbstractItemView::SingleSelection);
  Lvengine_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Lvengine_->setWordWrap(false);
  Lvengine_->setMinimumWidth(320 + 100 + Lvengine_->verticalScrollBar()->sizeHint().width() +
                             2 * Lvengine_->frameWidth());
  connect(Lvengine_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    const auto row = static_cast<std::size_t>(item->row());
    if (item->column() == 0 && row < model_.Lvengine.size()) {
      model_.Lvengine[row].checked = item->checkState() == Qt::Checked;
    }
  });
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Lvengine_);
  return page;
}

QWidget* ToptionsDlg::ButtonRow() {
  QPushButton* ok = NamedButton("BtOk", "确定(&O)");
  QPushButton* cancel = NamedButton("BtCancel", "取消(&C)");
  QPushButton* apply = NamedButton("BtApply", "应用(&A)");
  QPushButton* defaults = NamedButton("BtDefault", "默认(&D)");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    RunGuarded(this, [this] {
      model_.BtOkClick();
      accept();
    });
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(apply, &QPushButton::clicked, this, [this] { RunGuarded(this, [this] { model_.BtOkClick(); }); });
  connect(defaults, &QPushButton::clicked, this, [this] {
    model_.BtDefaultClick();
    ShowControls();
    ShowEngineList();
  });
  return RightAlignedRow({ok, cancel, apply, defaults});
}

void ToptionsDlg::ShowControls() {
  for (const auto& show : showers_) show();
}

void ToptionsDlg::ShowEngineList() {
  QSignalBlocker block(Lvengine_);
  Lvengine_->setRowCount(0);
  for (const EngineListRow& engine : model_.Lvengine) {
    const int row = Lvengine_->rowCount();
    Lvengine_->insertRow(row);
    auto* name = new QTableWidgetItem(FromGbk(engine.name));
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    name->setCheckState(engine.checked ? Qt::Checked : Qt::Unchecked);
    auto* scope = new QTableWidgetItem(FromGbk(engine.scope));
    scope->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    Lvengine_->setItem(row, 0, name);
    Lvengine_->setItem(row, 1, scope);
  }
  Lvengine_->resizeRowsToContents();
}

void ShowOptionsDialog(Settings& settings, const Folders& folders, QWidget* parent) {
  ToptionsDlg dialog(settings, folders, parent);
  dialog.exec();
}

bool SaveOptionsScreenshot(Settings& settings, const Folders& folders, int page, const QString& fileName) {
  ToptionsDlg dialog(settings, folders, nullptr);
  dialog.ShowPage(page);
  return SaveWindowPicture(dialog, fileName);
}

}  // namespace marvessa
