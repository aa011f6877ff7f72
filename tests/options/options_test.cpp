#include <gtest/gtest.h>

#include "base/ufileio.h"
#include "base/uglobal.h"
#include "options/uoptions.h"
#include "tests/support/engine_list_file.h"
#include "tests/support/sandbox.h"

namespace marvessa {
namespace {

using test::ListedEngine;
using test::WriteEngineFile;

class OptionsModelTest : public test::SandboxTest {
 protected:
  std::string Ini() const { return IniPath(sandbox.folders()); }
  OptionsModel Loaded() {
    OptionsModel m(settings, sandbox.folders());
    m.LoadControls();
    m.LoadEngineList();
    return m;
  }
  void WriteFourEngines() {
    WriteEngineFile(sandbox, {{"甲", "0"}, {"乙", "9"}, {"丙", "x"}, {"丁", "7"}});
  }
  Settings settings;
};

TEST_F(OptionsModelTest, StoredValuesOutsideARangeShowClampedAndAreSavedClamped) {
  settings.thdnumber = 1000;
  settings.chache1number = 50;
  settings.chache2number = 200000;
  settings.autosavetime = 0;
  settings.ctrlemailnumber = -5;  // unbounded: shown as stored
  settings.ProxyPort = 70000;
  OptionsModel m = Loaded();
  EXPECT_EQ(m.sethdnumber.Text(), "512");
  EXPECT_EQ(m.sechache1number.Text(), "100");
  EXPECT_EQ(m.sechache2number.Text(), "100000");
  EXPECT_EQ(m.seautosavetime.Text(), "1");
  EXPECT_EQ(m.SEctrlemailnumber.Text(), "-5");
  EXPECT_EQ(m.EdProxyPort.Text(), "70000");

  m.BtOkClick();
  Settings reread;
  LoadSettings(reread, Ini());
  EXPECT_EQ(reread.thdnumber, 512);
  EXPECT_EQ(reread.chache1number, 100);
  EXPECT_EQ(reread.chache2number, 100000);
  EXPECT_EQ(reread.autosavetime, 1);
  EXPECT_EQ(reread.ctrlemailnumber, -5);
}

TEST_F(OptionsModelTest, LoadingEnablesEachBoxByItsSwitch) {
  settings.Proxyenabled = false;
  settings.ctrlemail = false;
  settings.timeout = false;
  OptionsModel m = Loaded();
  EXPECT_FALSE(m.cbProxyenabled.checked);
  for (const auto* box : {&m.EdProxy.enabled, &m.EdProxyuser.enabled, &m.EdProxypsd.enabled}) EXPECT_FALSE(*box);
  EXPECT_FALSE(m.EdProxyPort.enabled);
  EXPECT_FALSE(m.SEctrlemailnumber.enabled);
  EXPECT_FALSE(m.setimeoutnumber.enabled);
  EXPECT_TRUE(m.SEctrltimenumber.enabled);
  EXPECT_TRUE(m.sesize.enabled);
  EXPECT_TRUE(m.seautosavetime.enabled);
}

TEST_F(OptionsModelTest, EachSwitchEnablesExactlyItsOwnBoxes) {
  OptionsModel m = Loaded();
  struct Rule {
    CheckControl* check;
    std::vector<bool*> boxes;
  };
  const std::vector<Rule> rules = {
      {&m.cbProxyenabled, {&m.EdProxy.enabled, &m.EdProxyPort.enabled, &m.EdProxyuser.enabled, &m.EdProxypsd.enabled}},
      {&m.CBctrlemail, {&m.SEctrlemailnumber.enabled}},
      {&m.CBctrltime, {&m.SEctrltimenumber.enabled}},
      {&m.CBsizecheck, {&m.sesize.enabled}},
      {&m.CBtimeout, {&m.setimeoutnumber.enabled}},
      {&m.cbautosave, {&m.seautosavetime.enabled}},
  };
  std::vector<bool*> all;
  for (const Rule& r : rules) all.insert(all.end(), r.boxes.begin(), r.boxes.end());
  for (const Rule& rule : rules) {
    for (const Rule& r : rules) r.check->checked = true;
    rule.check->checked = false;
    m.UpdateEnabling();
    for (bool* box : all) {
      const bool own = std::find(rule.boxes.begin(), rule.boxes.end(), box) != rule.boxes.end();
      EXPECT_EQ(*box, !own);
    }
  }
  // Switches, capacities and the thread count are never greyed.
  for (const Rule& r : rules) r.check->checked = false;
  m.UpdateEnabling();
  for (const CheckControl* c : {&m.cbautoupdate, &m.cbfilterurl, &m.cbfiltertitle, &m.CBctrlemail}) EXPECT_TRUE(c->enabled);
  for (const SpinControl* s : {&m.sechache1number, &m.sechache2number, &m.sethdnumber}) EXPECT_TRUE(s->enabled);
}

TEST_F(OptionsModelTest, StoringCopiesEveryControlToItsKeyGreyedOrNot) {
  OptionsModel m = Loaded();
  m.cbProxyenabled.checked = false;
  m.EdProxy.text = "proxy.local";
  m.EdProxyPort.SetText("3128");
  m.EdProxyuser.text = "user";
  m.EdProxypsd.text = "p@ss word";
  m.CBctrlemail.checked = false;
  m.SEctrlemailnumber.SetText("77");
  m.CBctrltime.checked = false;
  m.SEctrltimenumber.SetText("88");
  m.CBtimeout.checked = false;
  m.setimeoutnumber.SetText("9");
  m.CBsizecheck.checked = false;
  m.sesize.SetText("64");
  m.cbautosave.checked = false;
  m.seautosavetime.SetText("5");
  m.sechache1number.SetText("2000");
  m.sechache2number.SetText("0");
  m.sethdnumber.SetText("40");
  m.cbexportstring = ExportLayouts()[4];
  m.cbautoupdate.checked = false;
  m.cbfilterurl.checked = false;
  m.cbfiltertitle.checked = false;
  m.EdUseragent.text = "Test/2";
  m.EdLinkterms.text = "kontakt,联系";
  m.cbhttponly.checked = true;
  m.cbrobots.checked = false;
  m.seconnecttimeout.SetText("7");
  m.selowspeedbytes.SetText("500");
  m.selowspeedtime.SetText("11");
  m.sehostconnections.SetValue(99);
  m.UpdateEnabling();
  m.StoreControls();

  const Settings& s = settings;
  EXPECT_FALSE(s.Proxyenabled);
  EXPECT_EQ(s.Proxy.get(), "proxy.local");
  EXPECT_EQ(s.ProxyPort, 3128);
  EXPECT_EQ(s.Proxyuser.get(), "user");
  EXPECT_EQ(s.Proxypsd.get(), "p@ss word");
  EXPECT_FALSE(s.ctrlemail);
  EXPECT_EQ(s.ctrlemailnumber, 77);
  EXPECT_FALSE(s.ctrltime);
  EXPECT_EQ(s.ctrltimenumber, 88);
  EXPECT_FALSE(s.timeout);
  EXPECT_EQ(s.timeoutnumber, 9);
  EXPECT_FALSE(s.sizecheck);
  EXPECT_EQ(s.size, 64);
  EXPECT_FALSE(s.autosave);
  EXPECT_EQ(s.autosavetime, 5);
  EXPECT_EQ(s.chache1number, 2000);
  EXPECT_EQ(s.chache2number, 0);
  EXPECT_EQ(s.thdnumber, 40);
  EXPECT_EQ(s.exportstring.get(), "<邮址>,<网址>,<标题>");
  EXPECT_FALSE(s.autoupdate);
  EXPECT_FALSE(s.filterurl);
  EXPECT_FALSE(s.filtertitle);
  EXPECT_EQ(s.useragent.get(), "Test/2");
  EXPECT_EQ(s.linkterms.get(), "kontakt,联系");
  EXPECT_TRUE(s.httponly);
  EXPECT_FALSE(s.robots);
  EXPECT_EQ(s.connecttimeout, 7);
  EXPECT_EQ(s.lowspeedbytes, 500);
  EXPECT_EQ(s.lowspeedtime, 11);
  EXPECT_EQ(s.hostconnections, 48);  // clamped to the box's range
}

TEST_F(OptionsModelTest, NumberBoxesHoldingNoIntegerStoreTheirMinimum) {
  settings.thdnumber = 30;
  settings.size = 30;
  OptionsModel m = Loaded();
  m.sethdnumber.SetText("many");
  m.sesize.SetText("");
  m.sechache1number.SetText("?");
  m.StoreControls();
  EXPECT_EQ(settings.thdnumber, 1);
  EXPECT_EQ(settings.size, 0);
  EXPECT_EQ(settings.chache1number, 100);
}

TEST_F(OptionsModelTest, DefaultsFillTheControlsAndResetOnlyTheEngineSelection) {
  WriteFourEngines();
  settings.searchengine = "1111";
  settings.Proxyenabled = true;
  settings.Proxy = "proxy.local";
  settings.thdnumber = 3;
  settings.ctrlemail = false;
  settings.exportstring = "<网址>";
  settings.useragent = "Old/1";
  settings.robots = false;
  OptionsModel m = Loaded();
  m.BtDefaultClick();
  EXPECT_EQ(m.EdUseragent.text, kBrowserUserAgent);
  EXPECT_EQ(m.EdLinkterms.text, kDefaultLinkTerms);
  EXPECT_TRUE(m.cbrobots.checked);
  EXPECT_EQ(m.sehostconnections.Value(), 4);

  EXPECT_FALSE(m.cbProxyenabled.checked);
  EXPECT_EQ(m.EdProxy.text, "");
  EXPECT_EQ(m.EdProxyPort.Value(), 80);
  EXPECT_FALSE(m.EdProxy.enabled);
  EXPECT_TRUE(m.CBctrlemail.checked);
  EXPECT_TRUE(m.SEctrlemailnumber.enabled);
  EXPECT_EQ(m.SEctrlemailnumber.Value(), 10000);
  EXPECT_EQ(m.SEctrltimenumber.Value(), 1500);
  EXPECT_EQ(m.sesize.Value(), 100);
  EXPECT_EQ(m.setimeoutnumber.Value(), 3);
  EXPECT_EQ(m.seautosavetime.Value(), 10);
  EXPECT_EQ(m.cbexportstring, "<邮址>");
  EXPECT_EQ(m.sethdnumber.Value(), 12);
  EXPECT_EQ(m.sechache1number.Value(), 10000);
  EXPECT_EQ(m.sechache2number.Value(), 10000);
  EXPECT_TRUE(m.cbautoupdate.checked && m.cbfilterurl.checked && m.cbfiltertitle.checked);
  ASSERT_EQ(m.Lvengine.size(), 4u);
  for (const EngineListRow& row : m.Lvengine) EXPECT_TRUE(row.checked);

  // Only the engine selection has reached the settings, and nothing the INI file.
  EXPECT_EQ(settings.searchengine.get(), "");
  EXPECT_TRUE(settings.Proxyenabled);
  EXPECT_EQ(settings.thdnumber, 3);
  EXPECT_EQ(settings.exportstring.get(), "<网址>");
  EXPECT_FALSE(sandbox.Exists("Trovik.ini"));
}

TEST_F(OptionsModelTest, EngineListShowsScopesAndTheSelection) {
  WriteFourEngines();
  settings.searchengine = "011";
  OptionsModel m = Loaded();
  ASSERT_EQ(m.Lvengine.size(), 4u);
  const std::vector<std::string> names = {"甲", "乙", "丙", "丁"};
  const std::vector<std::string> scopes = {"中文", "未知", "中文", "意大利文"};
  const std::vector<bool> checked = {true, false, false, true};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(m.Lvengine[i].name, names[i]);
    EXPECT_EQ(m.Lvengine[i].scope, scopes[i]);
    EXPECT_EQ(m.Lvengine[i].checked, checked[i]) << i;
  }
}

TEST_F(OptionsModelTest, EngineChecksAreStoredOneFlagPerRow) {
  WriteFourEngines();
  OptionsModel m = Loaded();
  m.Lvengine[0].checked = false;
  m.BtOkClick();
  EXPECT_EQ(settings.searchengine.get(), "1000");
  Settings reread;
  LoadSettings(reread, Ini());
  EXPECT_EQ(reread.searchengine.get(), "1000");

  // A selection longer than the catalogue is cut to the listed engines.
  settings.searchengine = "0101111";
  OptionsModel again = Loaded();
  again.StoreEngineChecks();
  EXPECT_EQ(settings.searchengine.get(), "0101");
}

TEST_F(OptionsModelTest, AFailedWriteReachesTheCallerAfterTheSettingsChanged) {
  sandbox.Write("blocker", "a file where the program folder should be");
  const FixedFolders folders(sandbox.Path("blocker/"), sandbox.Path("win/"));
  OptionsModel m(settings, folders);
  m.LoadControls();
  m.sethdnumber.SetValue(20);
  EXPECT_THROW(m.BtOkClick(), FileError);
  EXPECT_EQ(settings.thdnumber, 20);
}

}  // namespace
}  // namespace marvessa
