// The process-wide settings record and its INI file.
#pragma once

#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "base/ufolders.h"

namespace marvessa {

// A text setting that the UI thread may replace while workers read it: a reader always gets
// either the whole old or the whole new value.
class SettingText {
 public:
  SettingText() = default;
  SettingText(std::string value) : value_(std::move(value)) {}  // NOLINT: plain value semantics
  SettingText(const SettingText& other) : value_(other.get()) {}
  SettingText& operator=(const SettingText& other) { return *this = other.get(); }
  SettingText& operator=(std::string value);

  std::string get() const;
  operator std::string() const { return get(); }  // NOLINT: read like a plain field

 private:
  mutable std::mutex mutex_;
  std::string value_;
};

// One field per INI key; integers and switches are single words that workers read directly.
// Defaults are those of a missing INI file.
struct Settings {
  Settings();

  SettingText Proxy;
  std::atomic<int> ProxyPort{80};
  SettingText Proxyuser;
  SettingText Proxypsd;
  std::atomic<bool> Proxyenabled{false};
  SettingText Appname;
  std::atomic<bool> firstrun{false};
  std::atomic<bool> timeout{true};
  std::atomic<int> timeoutnumber{3};
  std::atomic<bool> sizecheck{true};
  std::atomic<int> size{100};
  std::atomic<int> thdnumber{12};
  std::atomic<bool> autoupdate{true};
  std::atomic<bool> filterurl{true};
  std::atomic<bool> filtertitle{true};
  SettingText searchengine;
  std::atomic<int> chache1number{1000};
  std::atomic<int> chache2number{1000};
  std::atomic<bool> ctrltime{true};
  std::atomic<int> ctrltimenumber{1500};
  std::atomic<bool> ctrlemail{true};
  std::atomic<int> ctrlemailnumber{10000};
  std::atomic<bool> autosave{true};
  std::atomic<int> autosavetime{10};
  SettingText exportstring;
  // Native paths; stored as the INI file's text by StoredPathText.
  std::array<SettingText, 4> filelist;
  // Keys added for today's web, after the original ones.
  SettingText useragent;  // the User-Agent of engine and page requests
  SettingText linkterms;  // words of contact-page links, separated by ","
  std::atomic<bool> httponly{false};  // follow http links only, as the 2005 crawler did
  std::atomic<int> connecttimeout{20};  // seconds a connection may take to open
  // A fetch that receives fewer than lowspeedbytes bytes in lowspeedtime seconds is cut.
  std::atomic<int> lowspeedbytes{1024};
  std::atomic<int> lowspeedtime{30};
  std::atomic<int> hostconnections{4};  // parallel fetches per site host
  std::atomic<bool> robots{true};       // obey robots.txt on crawled sites
  // The language scope of the current run; kept in memory only.
  std::atomic<int> currentScope{0};
};

inline constexpr const char* kIniFileName = "Trovik.ini";
inline constexpr const char* kIniSection = "Rodideva Trovik";

std::string IniPath(const Folders& folders);
// Missing file, missing keys and malformed values give the defaults; never fails.
void LoadSettings(Settings& settings, const std::string& iniPath);
// Writes every key; keeps other sections and keys of the file. Raises FileError
// "Unable to write to <path>" when the file cannot be written.
void SaveSettings(const Settings& settings, const std::string& iniPath);

struct SettingEntry {
  std::string key;
  std::string value;  // as written to the file
};
// Every key with its value as it would be saved, in saving order.
std::vector<SettingEntry> SettingEntries(const Settings& settings);

// The User-Agent of a current desktop browser, the default of useragent.
inline constexpr const char* kBrowserUserAgent =
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/142.0.0.0 Safari/537.36";
// The default of linkterms: contact and about pages in the eight scopes' languages.
extern const char* const kDefaultLinkTerms;

}  // namespace marvessa
