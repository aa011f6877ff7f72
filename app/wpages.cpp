#include "app/wpages.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "base/wqttext.h"

namespace marvessa {

PageControl::PageControl(const ResultList& results, QWidget* parent) : QTabWidget(parent) {
  setObjectName(QStringLiteral("MPageControl"));
  setDocumentMode(true);  // flat tabs

  auto* TSlist = new QWidget(this);
  lvlist_ = new CustomerListView(results, TSlist);
  auto* listLayout = new QVBoxLayout(TSlist);
  listLayout->setContentsMargins(0, 0, 0, 0);
  listLayout->addWidget(lvlist_);

  auto* TSkeywords = new QWidget(this);
  auto* PlCaption = new QLabel(QStringLiteral(u"批量关键词搜索,输入格式是一行一关键词"), TSkeywords);
  PlCaption->setObjectName(QStringLiteral("PlCaption"));
  QPalette olive = PlCaption->palette();
  olive.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x00));
  PlCaption->setPalette(olive);
  Mmkeywords_ = new QPlainTextEdit(TSkeywords);
  Mmkeywords_->setObjectName(QStringLiteral("Mmkeywords"));
  Mmkeywords_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* keywordLayout = new QVBoxLayout(TSkeywords);
  keywordLayout->setContentsMargins(0, 2, 0, 0);
  keywordLayout->setSpacing(2);
  keywordLayout->addWidget(PlCaption);
  keywordLayout->addWidget(Mmkeywords_, 1);

  addTab(TSlist, QStringLiteral(u"客户列表  "));
  addTab(TSkeywords, QStringLiteral(u"批量搜索  "));
  connect(this, &QTabWidget::currentChanged, this, [this](int page) {
    if (onPageChosen) onPageChosen(page);
  });
  connect(Mmkeywords_, &QPlainTextEdit::textChanged, this, [this] {
    if (!settingBatch_ && onBatchEdited) onBatchEdited();
  });
}

void PageControl::ShowPageControl(int page) {
  const QSignalBlocker blocker(this);
  setCurrentIndex(page);
}

Lines PageControl::BatchLines() const {
  const QString text = Mmkeywords_->toPlainText();
  if (text.isEmpty()) return {};
  QStringList lines = text.split(QChar('\n'));
  if (lines.back().isEmpty()) lines.pop_back();
  return ToGbk(lines);
}

void PageControl::SetBatchLines(const Lines& lines) {
  settingBatch_ = true;
  Mmkeywords_->setPlainText(FromGbk(lines).join(QChar('\n')));
  settingBatch_ = false;
}

}  // namespace marvessa
