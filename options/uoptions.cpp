#include "options/uoptions.h"

#include "engines/ucatalog.h"

namespace marvessa {

const std::array<std::string, 6>& ExportLayouts() {
  static const std::array<std::string, 6> kLayouts = {
      "<邮址>",
      "<邮址> <网址>",
      "<邮址> <标题>",
      "<邮址> <网址> <标题>",
      "<邮址>,<网址>,<标题>",
      "<邮址>     <网址>     <标题>",
  };
  return kLayouts;
}

void OptionsModel::LoadControls() {
  const Settings& s = settings_;
  cbProxyenabled.checked = s.Proxyenabled;
  EdProxy.text = s.Proxy;
  EdProxyPort.SetValue(s.ProxyPort);
  EdProxyuser.text = s.Proxyuser;
  EdProxypsd.text = s.Proxypsd;
  CBctrlemail.checked = s.ctrlemail;
  SEctrlemailnumber.SetValue(s.ctrlemailnumber);
  CBctrltime.checked = s.ctrltime;
  SEctrltimenumber.SetValue(s.ctrltimenumber);
  CBsizecheck.checked = s.sizecheck;
  sesize.SetValue(s.size);
  CBtimeout.checked = s.timeout;
  setimeoutnumber.SetValue(s.timeoutnumber);
  sechache1number.SetValue(s.chache1number);
  sechache2number.SetValue(s.chache2number);
  sethdnumber.SetValue(s.thdnumber);
  cbautosave.checked = s.autosave;
  seautosavetime.SetValue(s.autosavetime);
  cbexportstring = s.exportstring;
  UpdateEnabling();
  cbautoupdate.checked = s.autoupdate;
  cbfilterurl.checked = s.filterurl;
  cbfiltertitle.checked = s.filtertitle;
  LoadWebControls(s);
}

void OptionsModel::LoadWebControls(const Settings& s) {
  EdUseragent.text = s.useragent;
  EdLinkterms.text = s.linkterms;
  cbhttponly.checked = s.httponly;
  cbrobots.checked = s.robots;
  seconnecttimeout.SetValue(s.connecttimeout);
  selowspeedbytes.SetValue(s.lowspeedbytes);
  selowspeedtime.SetValue(s.lowspeedtime);
  sehostconnections.SetValue(s.hostconnections);
}

void OptionsModel::StoreControls() {
  Settings& s = settings_;
  s.Proxyenabled = cbProxyenabled.checked;
  s.Proxy = EdProxy.text;
  s.ProxyPort = EdProxyPort.Value();
  s.Proxyuser = EdProxyuser.text;
  s.Proxypsd = EdProxypsd.text;
  s.ctrlemail = CBctrlemail.checked;
  s.ctrlemailnumber = SEctrlemailnumber.Value();
  s.ctrltime = CBctrltime.checked;
  s.ctrltimenumber = SEctrltimenumber.Value();
  s.sizecheck = CBsizecheck.checked;
  s.size = sesize.Value();
  s.timeout = CBtimeout.checked;
  s.timeoutnumber = setimeoutnumber.Value();
  s.chache1number = sechache1number.Value();
  s.chache2number = sechache2number.Value();
  s.thdnumber = sethdnumber.Value();
  s.autosave = cbautosave.checked;
  s.autosavetime = seautosavetime.Value();
  s.exportstring = cbexportstring;
  s.autoupdate = cbautoupdate.checked;
  s.filterurl = cbfilterurl.checked;
  s.filtertitle = cbfiltertitle.checked;
  s.useragent = EdUseragent.text;
  s.linkterms = EdLinkterms.text;
  s.httponly = cbhttponly.checked;
  s.robots = cbrobots.checked;
  s.connecttimeout = seconnecttimeout.Value();
  s.lowspeedbytes = selowspeedbytes.Value();
  s.lowspeedtime = selowspeedtime.Value();
  s.hostconnections = sehostconnections.Value();
}

void OptionsModel::LoadEngineList() {
  Lvengine.clear();
  for (const EngineRow& row : ListEngines(LoadCatalog(folders_), settings_.searchengine)) {
    Lvengine.push_back({row.on, row.name, ScopeName(row.scope)});
  }
}

void OptionsModel::StoreEngineChecks() {
  std::string flags;
  for (const EngineListRow& row : Lvengine) flags += row.checked ? '0' : '1';
  settings_.searchengine = flags;
}

void OptionsModel::UpdateEnabling() {
  const bool proxy = cbProxyenabled.checked;
  EdProxy.enabled = proxy;
  EdProxyPort.enabled = proxy;
  EdProxyuser.enabled = proxy;
  EdProxypsd.enabled = proxy;
  SEctrlemailnumber.enabled = CBctrlemail.checked;
  SEctrltimenumber.enabled = CBctrltime.checked;
  sesize.enabled = CBsizecheck.checked;
  setimeoutnumber.enabled = CBtimeout.checked;
  seautosavetime.enabled = cbautosave.checked;
}

void OptionsModel::BtOkClick() {
  StoreControls();
  StoreEngineChecks();
  SaveSettings(settings_, IniPath(folders_));
}

void OptionsModel::BtDefaultClick() {
  cbProxyenabled.checked = false;
  EdProxy.text.clear();
  EdProxyPort.SetValue(80);
  EdProxyuser.text.clear();
  EdProxypsd.text.clear();

  CBctrlemail.checked = true;
  SEctrlemailnumber.SetValue(10000);
  CBctrltime.checked = true;
  SEctrltimenumber.SetValue(1500);
  CBsizecheck.checked = true;
  sesize.SetValue(100);
  CBtimeout.checked = true;
  setimeoutnumber.SetValue(3);
  cbautosave.checked = true;
  seautosavetime.SetValue(10);
  cbexportstring = ExportLayouts()[0];
  cbfilterurl.checked = true;
  cbfiltertitle.checked = true;

  UpdateEnabling();

  sethdnumber.SetValue(12);
  sechache1number.SetValue(10000);
  sechache2number.SetValue(10000);
  cbautoupdate.checked = true;

  LoadWebControls(Settings());

  // The engine selection is reset in the settings themselves, even if the dialog is cancelled.
  settings_.searchengine = std::string();
  LoadEngineList();
}

}  // namespace marvessa
