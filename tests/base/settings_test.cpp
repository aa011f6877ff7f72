#include <gtest/gtest.h>
#include <sys/stat.h>

#include <thread>

#include "base/ufileio.h"
#include "base/uglobal.h"
#include "base/uini.h"
#include "tests/support/sandbox.h"

namespace marvessa {
namespace {

using test::SandboxTest;

class SettingsTest : public SandboxTest {
 protected:
  std::string ini() const { return IniPath(sandbox.folders()); }
  void WriteIni(const std::string& body) { sandbox.Write("Trovik.ini", "[Rodideva Trovik]\r\n" + body); }
};

TEST_F(SettingsTest, MissingFileGivesDefaultsAndFirstSaveWritesEveryKeyInOrder) {
  Settings s;
  LoadSettings(s, ini());
  EXPECT_EQ(s.ProxyPort, 80);
  EXPECT_TRUE(s.timeout);
  EXPECT_EQ(s.thdnumber, 12);
  EXPECT_EQ(s.exportstring.get(), "<邮址>");
  EXPECT_EQ(s.Appname.get().rfind("Marvessa ", 0), 0u);
  SaveSettings(s, ini());
  const Lines lines = SplitLines(sandbox.Read("Trovik.ini"));
  ASSERT_EQ(lines.size(), 38u);
  EXPECT_EQ(lines[0], "[Rodideva Trovik]");
  EXPECT_EQ(lines[1], "Proxyenabled=0");
  EXPECT_EQ(lines[2], "Proxy=");
  EXPECT_EQ(lines[3], "ProxyPort=80");
  EXPECT_EQ(lines[16], "thdnumber=12");
  EXPECT_EQ(lines[25], "exportstring=<邮址>");
  EXPECT_EQ(lines[29], "filelist3=");
  // The keys of today's web follow the original ones, with defaults that work on it.
  EXPECT_EQ(lines[30], std::string("useragent=") + kBrowserUserAgent);
  EXPECT_EQ(lines[31], std::string("linkterms=") + kDefaultLinkTerms);
  EXPECT_EQ(lines[32], "httponly=0");
  EXPECT_EQ(lines[33], "connecttimeout=20");
  EXPECT_EQ(lines[36], "hostconnections=4");
  EXPECT_EQ(lines[37], "robots=1");
}

TEST_F(SettingsTest, MalformedNumbersAndSwitchesFallBackToDefaults) {
  WriteIni("timeout=yes\r\nsizecheck=0\r\nfilterurl=2\r\nsize=0x40\r\nthdnumber=999\r\nProxyPort=8o\r\n"
           "autosavetime=-3\r\nctrlemailnumber=0X10\r\n");
  Settings s;
  LoadSettings(s, ini());
  EXPECT_TRUE(s.timeout);
  EXPECT_FALSE(s.sizecheck);
  EXPECT_TRUE(s.filterurl);
  EXPECT_EQ(s.size, 64);
  EXPECT_EQ(s.thdnumber, 999);
  EXPECT_EQ(s.ProxyPort, 80);
  EXPECT_EQ(s.autosavetime, -3);
  EXPECT_EQ(s.ctrlemailnumber, 16);
}

TEST_F(SettingsTest, ValuesAreReadLikeProfileStrings) {
  WriteIni("  PROXY  =  \"proxy.local\"  \r\nProxypsd= p@ss;w=rd\r\nexportstring='<邮址> <网址>'\r\n"
           "searchengine=" + std::string(3000, '0') + "\r\n");
  Settings s;
  LoadSettings(s, ini());
  EXPECT_EQ(s.Proxy.get(), "proxy.local");
  EXPECT_EQ(s.Proxypsd.get(), "p@ss;w=rd");
  EXPECT_EQ(s.exportstring.get(), "<邮址> <网址>");
  EXPECT_EQ(s.searchengine.get().size(), IniFile::kMaxValue);
}

TEST_F(SettingsTest, SavingKeepsForeignLinesAndAddsMissingKeysAtTheSectionEnd) {
  sandbox.Write("Trovik.ini",
                "; kept\r\n[Other]\r\nProxy=elsewhere\r\n[rodideva trovik]\r\nsize=50\r\nmine=1\r\n\r\n[Last]\r\nx=y\r\n");
  Settings s;
  LoadSettings(s, ini());
  EXPECT_EQ(s.Proxy.get(), "");
  EXPECT_EQ(s.size, 50);
  s.Proxypsd = "secret pass";
  SaveSettings(s, ini());
  const Lines lines = SplitLines(sandbox.Read("Trovik.ini"));
  EXPECT_EQ(lines[0], "; kept");
  EXPECT_EQ(lines[2], "Proxy=elsewhere");
  EXPECT_EQ(lines[4], "size=50");
  EXPECT_EQ(lines[5], "mine=1");
  EXPECT_EQ(lines[6], "Proxyenabled=0");
  EXPECT_EQ(lines[10], "Proxypsd=secret pass");
  EXPECT_EQ(lines[lines.size() - 3], "");
  EXPECT_EQ(lines[lines.size() - 2], "[Last]");
  EXPECT_EQ(lines.back(), "x=y");
}

TEST_F(SettingsTest, RoundTripKeepsEveryValue) {
  Settings a;
  a.Proxyenabled = true;
  a.Proxy = "127.0.0.1";
  a.ProxyPort = 3128;
  a.chache1number = 50;
  a.searchengine = "0011";
  a.filelist[2] = "/home/u/报价.mvx";
  a.exportstring = "<邮址>     <网址>     <标题>";
  a.useragent = "Test/1.0";
  a.linkterms = "kontakt,联系";
  a.hostconnections = 2;
  SaveSettings(a, ini());
  Settings b;
  LoadSettings(b, ini());
  for (std::size_t i = 0; i < SettingEntries(a).size(); ++i) EXPECT_EQ(SettingEntries(a)[i].value, SettingEntries(b)[i].value) << i;
}

TEST_F(SettingsTest, RecentFilesComeBackAsTheNativePathsTheyWere) {
  // Path (native bytes, written here through GBK literals where they are Chinese), its line.
  const std::pair<std::string, std::string> cases[] = {
      {GbkToUtf8("/home/u/报价 100%.mvx"), "/home/u/报价 100%.mvx"},  // GBK text, readable
      {"/home/u/\xf0\x9f\x98\x80 \xed\x95\x9c.mvx", "file:///home/u/%F0%9F%98%80%20%ED%95%9C.mvx"},
      {"/tmp/\xff\xfe#?.mvx", "file:///tmp/%FF%FE%23%3F.mvx"},  // no UTF-8
      {"/tmp/a.mvx ", "file:///tmp/a.mvx%20"},
      {"'/tmp/q'", "file://'/tmp/q'"},
      {"/tmp/a\nb", "file:///tmp/a%0Ab"},
      {"file:///x", "file://file:///x"},
  };
  Settings a;
  for (const auto& [path, line] : cases) {
    a.filelist[1] = path;
    SaveSettings(a, ini());
    EXPECT_NE(sandbox.Read("Trovik.ini").find("\r\nfilelist1=" + line + "\r\n"), std::string::npos) << line;
    Settings b;
    LoadSettings(b, ini());
    EXPECT_EQ(b.filelist[1].get(), path) << line;
  }
  // Older versions stored GBK text.
  WriteIni("filelist0=D:\\报价.mvx\r\n");
  LoadSettings(a, ini());
  EXPECT_EQ(a.filelist[0].get(), GbkToUtf8("D:\\报价.mvx"));
}

TEST_F(SettingsTest, LineBreaksInAValueDoNotAddLinesToTheFile) {
  Settings a;
  a.Proxyuser = "a\r\nfirstrun=1";
  SaveSettings(a, ini());
  Settings b;
  LoadSettings(b, ini());
  EXPECT_EQ(b.Proxyuser.get(), "a  firstrun=1");
  EXPECT_FALSE(b.firstrun);
}

TEST_F(SettingsTest, UnwritableFileRaisesTheUnableToWriteMessageAndKeepsTheOldFile) {
  // A plain file where the folder should be: not writable even for root.
  sandbox.Write("blocked", "not a folder");
  const std::string path = sandbox.Path("blocked/Trovik.ini");
  Settings s;
  try {
    SaveSettings(s, path);
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
  }
  EXPECT_EQ(sandbox.Read("blocked"), "not a folder");
}

TEST_F(SettingsTest, ANewFileHoldingTheProxyPasswordIsReadableByItsOwnerOnly) {
  const mode_t umaskBefore = ::umask(022);
  Settings s;
  SaveSettings(s, sandbox.Path("plain.ini"));
  s.Proxypsd = "secret";
  SaveSettings(s, sandbox.Path("secret.ini"));
  ::umask(umaskBefore);
  struct stat plain {}, secret {};
  ASSERT_EQ(::stat(sandbox.Path("plain.ini").c_str(), &plain), 0);
  ASSERT_EQ(::stat(sandbox.Path("secret.ini").c_str(), &secret), 0);
  EXPECT_EQ(plain.st_mode & 0777, 0644u);
  EXPECT_EQ(secret.st_mode & 0777, 0600u);
}

TEST(SettingText, ConcurrentReadersSeeWholeValues) {
  SettingText text(std::string(64, 'a'));
  std::atomic<bool> stop{false};
  std::thread reader([&] {
    while (!stop) {
      const std::string v = text;
      ASSERT_TRUE(v == std::string(64, 'a') || v == std::string(128, 'b'));
    }
  });
  for (int i = 0; i < 2000; ++i) text = (i % 2) ? std::string(64, 'a') : std::string(128, 'b');
  stop = true;
  reader.join();
}

}  // namespace
}  // namespace marvessa
