#include "app/waddressbar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "base/wqttext.h"

namespace marvessa {

namespace {

// The drop-down's keyword lines; the blanks at the end of some belong to them.
const char16_t* const kPresets[AddressBar::kPresetCount] = {
    u"公司", u"北京", u"电脑 公司 -编程  ", u"服装 +出口 ", u"商贸 +北京 ", u"食品 加工 -论坛 -留言", u"家具 制造 浙江", u"建材 销售",
    u"包装 公司", u"玩具 生产", u"旅行社 杭州 -上海", u"机械", u"工业", u"化工 ", u"商业", u"服务", u"农业", u"电子", u"电工",
    u"纺织", u"皮革 ", u"家居", u"建材", u"房产", u"食品", u"饮料", u"服饰", u"礼品", u"工艺品 ", u"电脑", u"冶金", u"包装",
    u"办公", u"文教", u"运动", u"休闲", u"汽摩", u"配件", u"通讯", u"家用", u"能源", u"环保", u"交通", u"运输", u"印刷",
    u"出版", u"玩具", u"安徽", u"北京", u"福建", u"甘肃", u"广东", u"广西", u"贵州", u"海南", u"河北", u"河南", u"黑龙江",
    u"湖北", u"湖南", u"吉林", u"江苏", u"江西", u"辽宁", u"内蒙古", u"宁夏", u"青海", u"山东", u"山西", u"陕西", u"上海",
    u"四川", u"天津", u"新疆", u"西藏", u"云南", u"浙江", u"重庆",
};

const char16_t* const kScopes[8] = {u"中文", u"英文", u"繁体", u"法文", u"俄文", u"德文", u"日文", u"意大利文"};

}  // namespace

AddressBar::AddressBar(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("Pladdress"));
  setFixedHeight(kHeight);
  setFrameShape(QFrame::StyledPanel);

  CBinput_ = new QComboBox(this);
  CBinput_->setObjectName(QStringLiteral("CBinput"));
  CBinput_->setEditable(true);
  CBinput_->setInsertPolicy(QComboBox::NoInsert);
  // A typed keyword stays as typed: no preset is completed into it; the drop-down offers them.
  CBinput_->setCompleter(nullptr);
  CBinput_->setMaxVisibleItems(20);
  for (const char16_t* preset : kPresets) CBinput_->addItem(QString::fromUtf16(preset));
  CBinput_->setCurrentIndex(-1);
  CBinput_->setEditText({});
  connect(CBinput_->lineEdit(), &QLineEdit::returnPressed, this, [this] { onEnter(); });
  connect(CBinput_->lineEdit(), &QLineEdit::textEdited, this, [this] { onUserChange(); });
  connect(CBinput_, &QComboBox::activated, this, [this] { onUserChange(); });

  auto* scopePanel = new QWidget(this);
  scopePanel->setObjectName(QStringLiteral("PlScope"));
  auto* scopeLayout = new QHBoxLayout(scopePanel);
  scopeLayout->setContentsMargins(0, 0, 0, 0);
  scope_ = new QButtonGroup(this);
  for (int i = 0; i < 8; ++i) {
    auto* button = new QRadioButton(QString::fromUtf16(kScopes[i]), scopePanel);
    button->setObjectName(QStringLiteral("RBlang%1").arg(i));
    scope_->addButton(button, i);
    scopeLayout->addWidget(button);
  }
  scopeLayout->addStretch();
  scope_->button(0)->setChecked(true);
  connect(scope_, &QButtonGroup::buttonClicked, this, [this] { onUserChange(); });

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(4, 1, 4, 1);
  layout->setVerticalSpacing(1);
  layout->addWidget(new QLabel(QStringLiteral(u"关键词: "), this), 0, 0);
  layout->addWidget(CBinput_, 0, 1);
  layout->addWidget(new QLabel(QStringLiteral(u"范  围: "), this), 1, 0);
  layout->addWidget(scopePanel, 1, 1);
}

std::string AddressBar::KeywordText() const { return ToGbk(CBinput_->currentText()); }

void AddressBar::SetKeywordText(const std::string& text) { CBinput_->setEditText(FromGbk(text)); }

bool AddressBar::IsChecked(int button) const { return scope_->button(button)->isChecked(); }

void AddressBar::Check(int button) { scope_->button(button)->setChecked(true); }

}  // namespace marvessa
