#include <gtest/gtest.h>

#include "results/ushell.h"
#include "tests/support/fake_shell.h"

namespace marvessa {
namespace {

TEST(OpenInBrowser, OpensWebAndMailLinksOnly) {
  test::FakeShell shell;
  for (const char* text : {"  http://127.0.0.1/x.htm ", "HTTPS://127.0.0.1/", "mailto:a@b.cn"}) OpenInBrowser(shell, text);
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"http://127.0.0.1/x.htm", "HTTPS://127.0.0.1/", "mailto:a@b.cn"}));
  shell.opened.clear();
  for (const char* text : {"", "   ", "file:///etc/passwd", "C:\\Windows\\system32\\calc.exe", "/usr/bin/xterm",
                           "help.htm", "javascript:alert(1)", "ftp://127.0.0.1/", "http://127.0.0.1/\r\nx", "httpx://a"})
    OpenInBrowser(shell, text);
  EXPECT_TRUE(shell.opened.empty()) << shell.opened.front();
}

TEST(OpenProgramFile, OpensTheNamedFile) {
  test::FakeShell shell;
  OpenProgramFile(shell, "/opt/marvessa/help.htm");
  OpenProgramFile(shell, " ");
  EXPECT_EQ(shell.opened, std::vector<std::string>{"/opt/marvessa/help.htm"});
}

TEST(SendMail, OpensTheUntrimmedAddressAloneAndRefusesControlBytes) {
  test::FakeShell shell;
  SendMail(shell, " a@b.cn ");
  SendMail(shell, "  ");
  SendMail(shell, "a@b.cn\r\nBcc: all@b.cn");
  SendMail(shell, "a@b.cn\t");
  SendMail(shell, "a@b.cn?attach=/etc/passwd");
  SendMail(shell, "a@b.cn?body=x&cc=c@d.cn");
  SendMail(shell, "a@b.cn%3Fattach%3D/etc/passwd");
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"mailto: a@b.cn ", "mailto:a@b.cn", "mailto:a@b.cn",
                                                    "mailto:a@b.cn%253Fattach%253D/etc/passwd"}));
  CopyText(shell, "x\r\ny");
  EXPECT_EQ(shell.clipboard, std::vector<std::string>{"x\r\ny"});
}

}  // namespace
}  // namespace marvessa
