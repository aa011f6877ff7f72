#include "base/uglobal.h"

#include <type_traits>
#include <variant>

#include "base/ufileio.h"
#include "base/uini.h"
#include "base/upath.h"
#include "base/utext.h"

namespace marvessa {

SettingText& SettingText::operator=(std::string value) {
  std::lock_guard lock(mutex_);
  value_.swap(value);
  return *this;
}

std::string SettingText::get() const {
  std::lock_guard lock(mutex_);
  return value_;
}

const char* const kDefaultLinkTerms =
    "contact,about,lx,kontakt,impressum,ueber-uns,über-uns,contatti,contatto,chi-siamo,contacto,nous-contacter,"
    "mentions-legales,a-propos,kontakty,o-kompanii,контакты,о-компании,toiawase,お問い合わせ,会社概要,lianxi,lxwm,"
    "gywm,联系,关于,聯絡,聯繫,關於";

Settings::Settings()
    : Appname("Marvessa " MARVESSA_VERSION),
      exportstring("<邮址>"),
      useragent(kBrowserUserAgent),
      linkterms(kDefaultLinkTerms) {}

namespace {

using Field = std::variant<SettingText Settings::*, std::atomic<int> Settings::*, std::atomic<bool> Settings::*, int>;

struct Key {
  const char* name;
  Field field;  // an int is the index into filelist
};

// Loading and saving order.
const Key kKeys[] = {
    {"Proxyenabled", &Settings::Proxyenabled},
    {"Proxy", &Settings::Proxy},
    {"ProxyPort", &Settings::ProxyPort},
    {"Proxyuser", &Settings::Proxyuser},
    {"Proxypsd", &Settings::Proxypsd},
    {"Appname", &Settings::Appname},
    {"firstrun", &Settings::firstrun},
    {"timeout", &Settings::timeout},
    {"timeoutnumber", &Settings::timeoutnumber},
    {"sizecheck", &Settings::sizecheck},
    {"size", &Settings::size},
    {"autoupdate", &Settings::autoupdate},
    {"filterurl", &Settings::filterurl},
    {"filtertitle", &Settings::filtertitle},
    {"searchengine", &Settings::searchengine},
    {"thdnumber", &Settings::thdnumber},
    {"chache1number", &Settings::chache1number},
    {"chache2number", &Settings::chache2number},
    {"ctrltime", &Settings::ctrltime},
    {"ctrltimenumber", &Settings::ctrltimenumber},
    {"ctrlemail", &Settings::ctrlemail},
    {"ctrlemailnumber", &Settings::ctrlemailnumber},
    {"autosave", &Settings::autosave},
    {"autosavetime", &Settings::autosavetime},
    {"exportstring", &Settings::exportstring},
    {"filelist0", 0},
    {"filelist1", 1},
    {"filelist2", 2},
    {"filelist3", 3},
    {"useragent", &Settings::useragent},
    {"linkterms", &Settings::linkterms},
    {"httponly", &Settings::httponly},
    {"connecttimeout", &Settings::connecttimeout},
    {"lowspeedbytes", &Settings::lowspeedbytes},
    {"lowspeedtime", &Settings::lowspeedtime},
    {"hostconnections", &Settings::hostconnections},
    {"robots", &Settings::robots},
};

std::string ValueText(const Settings& s, const Field& field) {
  return std::visit(
      [&s](auto member) -> std::string {
        using M = decltype(member);
        if constexpr (std::is_same_v<M, int>) {
          return StoredPathText(s.filelist[member].get());
        } else if constexpr (std::is_same_v<M, std::atomic<bool> Settings::*>) {
          return (s.*member).load() ? "1" : "0";
        } else if constexpr (std::is_same_v<M, std::atomic<int> Settings::*>) {
          return IntToText((s.*member).load());
        } else {
          return (s.*member).get();
        }
      },
      field);
}

void SetFromText(Settings& s, const Field& field, const std::string& text) {
  std::visit(
      [&s, &text](auto member) {
        using M = decltype(member);
        if constexpr (std::is_same_v<M, int>) {
          s.filelist[member] = StoredPathFrom(text);
        } else if constexpr (std::is_same_v<M, std::atomic<bool> Settings::*>) {
          if (auto v = ParseInt(text)) (s.*member) = *v != 0;
        } else if constexpr (std::is_same_v<M, std::atomic<int> Settings::*>) {
          if (auto v = ParseInt(text)) (s.*member) = *v;
        } else {
          (s.*member) = text;
        }
      },
      field);
}

}  // namespace

std::string IniPath(const Folders& folders) { return folders.ProgramFolder() + kIniFileName; }

void LoadSettings(Settings& settings, const std::string& iniPath) {
  const IniFile ini = IniFile::Load(iniPath);
  for (const Key& key : kKeys)
    if (auto text = ini.Read(kIniSection, key.name)) SetFromText(settings, key.field, *text);
}

void SaveSettings(const Settings& settings, const std::string& iniPath) {
  IniFile ini = IniFile::Load(iniPath);
  for (const Key& key : kKeys) ini.Write(kIniSection, key.name, ValueText(settings, key.field));
  try {
    // A new file that holds the proxy password is readable by its owner only.
    ini.Save(iniPath, settings.Proxypsd.get().empty() ? NewFileMode::Shared : NewFileMode::Private);
  } catch (const FileError&) {
    throw FileError("Unable to write to " + PathForDisplay(iniPath));
  }
}

std::vector<SettingEntry> SettingEntries(const Settings& settings) {
  std::vector<SettingEntry> entries;
  for (const Key& key : kKeys) entries.push_back({key.name, ValueText(settings, key.field)});
  return entries;
}

}  // namespace marvessa
