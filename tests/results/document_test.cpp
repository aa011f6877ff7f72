#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "base/ufileio.h"
#include "results/ufile.h"
#include "tests/support/document_rig.h"
#include "tests/support/sandbox.h"

namespace marvessa {
namespace {

class DocumentTest : public test::SandboxTest, protected test::DocumentRig {
 protected:

  std::string Save(const std::string& name = "doc.mvx") {
    SaveDocument(parts, sandbox.Path(name));
    return sandbox.Read(name);
  }
  void Load(const std::string& text, bool merge = false) {
    sandbox.Write("in.mvx", text);
    LoadDocument(parts, merge, sandbox.Path("in.mvx"), document);
  }
  static std::string Text(const Lines& lines) { return JoinLinesCrLf(lines); }
};

TEST_F(DocumentTest, EmptyDocumentHas27LinesAndLoadsBackEmpty) {
  const Lines lines = SplitLines(Save());
  ASSERT_EQ(lines.size(), 27u);
  EXPECT_EQ(lines[0], "[qemosearchfile]");
  EXPECT_EQ(lines[1], "请勿修改文件!");
  EXPECT_EQ(lines[10], "[head]");
  EXPECT_EQ(lines[12], "0");
  EXPECT_EQ(lines[26], "[/title]");
  Load(sandbox.Read("doc.mvx"));
  EXPECT_EQ(results.Count(), 0);
  EXPECT_EQ(run.Level1().Count(), 0);
  EXPECT_FALSE(document.documentModified);
}

TEST_F(DocumentTest, RoundTripRestoresEveryPart) {
  window.keyword = "服装 +出口 ";
  window.Check(3);
  window.batch = {"a", "", "b"};
  results.AddResult("Sales@Example.com", "http://e/contact.htm", "Example 公司");
  results.AddResult("x@y.cn", "http://y/", "");
  run.AddLevel1("http://one/", "T1");
  run.AddLevel1("http://two/", "T2");
  run.AddLevel2("http://three/");
  run.SetProgress(1, 0, 3);
  const std::string text = Save();
  const Lines lines = SplitLines(text);
  EXPECT_EQ(lines.size(), 27u + 3 + 24 + 2 + 1 + 2);
  EXPECT_EQ(lines[23 + 3], "Example 公司");  // the title's copy at row offset 3

  test::DocumentRig copy;
  sandbox.Write("copy.mvx", text);
  LoadDocument(copy.parts, false, sandbox.Path("copy.mvx"), copy.document);
  const test::FakeWindow& window2 = copy.window;
  const ResultList& results2 = copy.results;
  const RunState& run2 = copy.run;
  EXPECT_EQ(window2.keyword, "服装 +出口 ");
  EXPECT_EQ(SelectedScope(window2), 3);
  EXPECT_EQ(window2.batch, (Lines{"a", "", "b"}));
  ASSERT_EQ(results2.Count(), 2);
  EXPECT_EQ(results2.ResultAt(0).email, "Sales@Example.com");
  EXPECT_EQ(results2.ResultAt(0).title, "Example 公司");
  EXPECT_EQ(results2.ResultAt(1).url, "http://y/");
  EXPECT_EQ(window2.rowCount, 2);
  EXPECT_EQ(run2.Seen().At(1), "sales@example.com");
  EXPECT_EQ(run2.Level1().DisplayOrder(), (Lines{"http://two/", "http://one/"}));
  EXPECT_EQ(run2.Level1Titles(), (Lines{"T1", "T2"}));
  EXPECT_EQ(run2.Level2().AtAge(0), "http://three/");
  EXPECT_EQ(run2.Level1Cursor(), 1);
  EXPECT_EQ(run2.PagesFetched(), 3);
  EXPECT_EQ(window2.panels[3], "已搜索:3");
  EXPECT_TRUE(copy.document.documentModified);
  EXPECT_EQ(Save("again.mvx"), Save());
  for (int scope = 0; scope < 8; ++scope) {
    window.Check(scope);
    Save("scope.mvx");
    test::DocumentRig reopened;
    LoadDocument(reopened.parts, false, sandbox.Path("scope.mvx"), reopened.document);
    EXPECT_EQ(SelectedScope(reopened.window), scope);
  }
}

TEST_F(DocumentTest, LineBreaksAndControlBytesInValuesBecomeBlanksSoLaterLinesStayInPlace) {
  results.AddResult("a@b.cn", "http://u/", "line one\r\nline two\nthree\rfour");
  results.AddResult("b@b.cn", "http://v/", std::string("nul\0end\x01\x1f\ttab", 13));
  results.AddResult("c@b.cn", "http://w/", "after");
  run.AddLevel1("http://x/", "t\r\nu");
  Save();
  test::DocumentRig copy;
  LoadDocument(copy.parts, false, sandbox.Path("doc.mvx"), copy.document);
  ASSERT_EQ(copy.results.Count(), 3);
  EXPECT_EQ(copy.results.ResultAt(0).title, "line one line two three four");
  EXPECT_EQ(copy.results.ResultAt(1).title, "nul end  \ttab");
  EXPECT_EQ(copy.results.ResultAt(2).email, "c@b.cn");
  EXPECT_EQ(copy.run.Level1Titles(), (Lines{"t u"}));
}

Lines Header() { return {"[qemosearchfile]", "", "", "", "", "", "", "", "", ""}; }

Lines Row(const std::string& email, const std::string& ignored = "x") {
  return {"0", "0", email, ignored, "http://" + email + "/", "title " + email, "", "", "", "", "", ""};
}

TEST_F(DocumentTest, RowsAreReadFromOffsetsTwoFourAndFiveOnlyInWholeGroups) {
  Lines file = Header();
  file.push_back("[BODY]");
  for (const auto& l : Row("a@x.cn", "edited by hand")) file.push_back(l);
  Lines second = Row("b@x.cn");
  second.pop_back();  // a group of 11
  file.insert(file.end(), second.begin(), second.end());
  file.push_back("[/body]");
  for (const auto& l : Row("c@x.cn")) file.push_back(l);  // after the marker: not a row
  Load(Text(file));
  ASSERT_EQ(results.Count(), 2);
  EXPECT_EQ(results.ResultAt(0).title, "title a@x.cn");
  EXPECT_EQ(results.ResultAt(1).email, "b@x.cn");

  Lines shortGroup = Header();
  shortGroup.push_back("[body]");
  for (const auto& l : Row("d@x.cn")) shortGroup.push_back(l);
  shortGroup.insert(shortGroup.end(), {"0", "0", "e@x.cn", "", "http://e/", "t"});
  shortGroup.push_back("[/body]");
  results.ClearResults();
  Load(Text(shortGroup));
  EXPECT_EQ(results.Count(), 1);
}

TEST_F(DocumentTest, UnrecognisedFilesLoadNothing) {
  Lines upper = Header();
  upper[0] = "[QEMOSEARCHFILE]";
  upper.insert(upper.end(), {"[body]", "0", "0", "a@b.cn", "", "u", "t", "", "", "", "", "", "", "[/body]"});
  Load(Text(upper));
  EXPECT_EQ(results.Count(), 0);
  Load("[qemosearchfile]\r\n[body]\r\n[/body]\r\n");
  EXPECT_EQ(results.Count(), 0);
  Load("");
  LoadDocument(parts, false, sandbox.Path("missing.mvx"), document);
  EXPECT_EQ(results.Count(), 0);
  Lines withNul = Header();
  withNul.insert(withNul.end(), {"[body]", "0", "0", "a@b.cn", "", "u", "t", "", "", "", "", "", "", "[/body]"});
  std::string text = Text(withNul);
  text.insert(text.find("[body]"), std::string("\0", 1));
  Load(text);
  EXPECT_EQ(results.Count(), 0);
}

TEST_F(DocumentTest, BrokenSectionsStayEmptyWhileTheOthersLoad) {
  Lines file = Header();
  file.insert(file.end(), {"[head]", "kw", "2", "abc", "3", "[/head]"});
  file.insert(file.end(), {"[/keywords]", "lost", "[keywords]"});
  file.push_back("[body]");
  for (const auto& l : Row("a@x.cn")) file.push_back(l);
  file.push_back("[/body]");
  file.insert(file.end(), {"[uncheck]", "[/uncheck]", "[scan]", "http://s/", "", "http://t/", "[/scan]", "[title]", "t"});
  Load(Text(file));
  EXPECT_EQ(window.keyword, "kw");
  EXPECT_EQ(SelectedScope(window), 2);
  EXPECT_EQ(run.Level1Cursor(), 0);
  EXPECT_EQ(run.Level2Cursor(), 2);  // the blank entry it had passed is gone
  EXPECT_EQ(run.PagesFetched(), 0);
  EXPECT_TRUE(window.batch.empty());
  EXPECT_EQ(results.Count(), 1);
  EXPECT_EQ(run.Level1().Count(), 0);
  EXPECT_EQ(run.Level2().DisplayOrder(), (Lines{"http://s/", "http://t/"}));
  EXPECT_TRUE(run.Level1Titles().empty());
}

// Blank parts hold nothing: they load as nothing (a run of blank keyword lines as one), so that
// a file of line breaks needs no memory. A blank pending URL goes with its title, and a cursor
// that had passed it moves back, so the run goes on at the same entry.
TEST_F(DocumentTest, BlankEntriesLoadAsNothingAndTheOthersKeepTheirTitlesAndPlaces) {
  const Lines breaks(5000, "");
  Lines file = Header();
  file.insert(file.end(), {"[head]", "", "0", "3", "1", "0", "[/head]", "[keywords]", "", "", "k", "", "", "[/keywords]"});
  file.push_back("[body]");
  file.insert(file.end(), breaks.begin(), breaks.begin() + 12 * 400);
  for (const auto& l : Row("a@x.cn")) file.push_back(l);
  file.push_back("[/body]");
  file.insert(file.end(), {"[uncheck]", "http://d/", "", "http://b/", "", "[/uncheck]"});
  file.insert(file.end(), {"[scan]", "http://s/", "", "[/scan]", "[title]", "t0", "t1", "t2", "t3"});
  file.insert(file.end(), breaks.begin(), breaks.end());
  file.push_back("[/title]");
  Load(Text(file));
  EXPECT_EQ(window.batch, (Lines{"", "k", ""}));
  EXPECT_EQ(results.Count(), 1);
  EXPECT_EQ(run.Level1().DisplayOrder(), (Lines{"http://d/", "http://b/"}));
  EXPECT_EQ(run.Level1Titles(), (Lines{"t1", "t3"}));
  EXPECT_EQ(run.Level1Cursor(), 1);
  EXPECT_EQ(run.Level2().DisplayOrder(), (Lines{"http://s/"}));
  EXPECT_EQ(run.Level2Cursor(), 0);
  int titleIndex = -1;
  EXPECT_EQ(run.TakeNextUrl(titleIndex, false), "http://d/");
  EXPECT_EQ(run.Level1Title(titleIndex), "t3");
}

// The memory of a large document's rows is given back while they are read, but not that of a
// list section, which may begin among them: rows and lists load whole.
TEST_F(DocumentTest, LargeDocumentsLoadWholeWhereverTheListsBegin) {
  constexpr int kRows = 30000;
  for (const bool listAmongRows : {false, true}) {
    Lines file = Header();
    file.push_back("[body]");
    for (int i = 0; i < kRows; ++i)
      for (const auto& l : Row("a" + std::to_string(i) + "@x.cn", i == 0 && listAmongRows ? "[uncheck]" : "x"))
        file.push_back(l);
    file.push_back("[/body]");
    if (!listAmongRows) file.push_back("[uncheck]");
    file.insert(file.end(), {"http://last/", "[/uncheck]"});
    test::DocumentRig doc;
    LoadDocumentBytes(doc.parts, false, Text(file), doc.document);
    ASSERT_EQ(doc.results.Count(), kRows) << listAmongRows;
    int wrong = 0;
    for (int i = 0; i < kRows; ++i) wrong += doc.results.ResultAt(i).email != "a" + std::to_string(i) + "@x.cn";
    EXPECT_EQ(wrong, 0) << listAmongRows;
    // Among the rows the list holds every line that is not blank: the URL and title of the first
    // row, six lines of each other row, "[/body]" and the last URL.
    EXPECT_EQ(doc.run.Level1().Count(), listAmongRows ? 2 + 6 * (kRows - 1) + 2 : 1);
    EXPECT_EQ(doc.run.Level1().AtDisplay(0), listAmongRows ? "http://a0@x.cn/" : "http://last/");
  }
}

// Each case: the three counters of the head, and what they load as over three level-1 and two
// level-2 entries. A continued run then takes the entries from the cursors on.
TEST_F(DocumentTest, CountersAreHeldToTheListsTheyCount) {
  const struct {
    const char* level1;
    const char* level2;
    const char* pages;
    int loaded1, loaded2, loadedPages;
  } kCases[] = {
      {"-16", "0", "0", 0, 0, 0},  {"-1", "-3", "-5", 0, 0, 0}, {"99", "99", "99", 3, 2, 5},
      {"2", "1", "3", 2, 1, 3},    {"3", "2", "6", 3, 2, 5},
  };
  for (const auto& c : kCases) {
    Lines file = Header();
    file.insert(file.end(), {"[head]", "", "0", c.level1, c.level2, c.pages, "[/head]", "[body]", "[/body]"});
    file.insert(file.end(), {"[uncheck]", "http://c/", "http://b/", "http://a/", "[/uncheck]"});
    file.insert(file.end(), {"[scan]", "http://e/", "http://d/", "[/scan]"});
    test::DocumentRig doc;
    sandbox.Write("counters.mvx", Text(file));
    LoadDocument(doc.parts, false, sandbox.Path("counters.mvx"), doc.document);
    EXPECT_EQ(doc.run.Level1Cursor(), c.loaded1) << c.level1;
    EXPECT_EQ(doc.run.Level2Cursor(), c.loaded2) << c.level2;
    EXPECT_EQ(doc.run.PagesFetched(), c.loadedPages) << c.pages;
    const Lines all = {"http://a/", "http://b/", "http://c/", "http://d/", "http://e/"};
    Lines expected(all.begin() + c.loaded1, all.begin() + 3);
    expected.insert(expected.end(), all.begin() + 3 + c.loaded2, all.end());
    Lines taken;
    int titleIndex = -1;
    for (std::string url; !(url = doc.run.TakeNextUrl(titleIndex, false)).empty();) taken.push_back(url);
    EXPECT_EQ(taken, expected) << c.level1 << " " << c.level2;
  }
}

TEST_F(DocumentTest, HeadNeedsItsClosingMarkerThreeLinesOn) {
  Lines file = Header();
  file.insert(file.end(), {"[head]", "kw", "5", "[/head]", "[body]", "[/body]"});
  Load(Text(file));
  EXPECT_EQ(window.keyword, "");
  EXPECT_EQ(SelectedScope(window), 0);
}

TEST_F(DocumentTest, MergeAppendsOnlyTheRows) {
  results.AddResult("mine@x.cn", "", "");
  window.keyword = "old";
  Lines file = Header();
  file.insert(file.end(), {"[head]", "new", "4", "9", "9", "9", "[/head]", "[keywords]", "k", "[/keywords]"});
  file.push_back("[body]");
  for (const auto& l : Row("Theirs@X.cn")) file.push_back(l);
  file.insert(file.end(), {"[/body]", "[uncheck]", "http://u/", "[/uncheck]"});
  Load(Text(file), true);
  ASSERT_EQ(results.Count(), 2);
  EXPECT_EQ(results.ResultAt(1).email, "Theirs@X.cn");
  EXPECT_EQ(window.keyword, "old");
  EXPECT_TRUE(window.batch.empty());
  EXPECT_EQ(run.Level1().Count(), 0);
  EXPECT_EQ(run.PagesFetched(), 0);
  EXPECT_TRUE(run.Seen().Holds("theirs@x.cn"));
  EXPECT_FALSE(document.documentModified);
}

TEST_F(DocumentTest, AFailedSaveKeepsTheOldDocument) {
  results.AddResult("a@b.cn", "", "");
  Save("keep.mvx");
  const std::string before = sandbox.Read("keep.mvx");
  sandbox.Write("blocker", "file");
  EXPECT_THROW(SaveDocument(parts, sandbox.Path("blocker/doc.mvx")), FileError);
  EXPECT_EQ(sandbox.Read("keep.mvx"), before);
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Each case: the umask, the mode of the file before the save (0 for none), its mode after.
TEST_F(DocumentTest, ARewrittenFileKeepsItsModeAndANewOneFollowsTheUmask) {
  const struct {
    mode_t umask, before, after;
  } kCases[] = {{022, 0, 0644}, {077, 0, 0600}, {022, 0600, 0600}, {022, 0640, 0640}, {077, 0664, 0664}};
  for (const auto& c : kCases) {
    const std::string path = sandbox.Path("mode.mvx");
    DeleteFileIfExists(path);
    if (c.before != 0) {
      sandbox.Write("mode.mvx", "old");
      ::chmod(path.c_str(), c.before);
    }
    const mode_t umaskBefore = ::umask(c.umask);
    SaveDocument(parts, path);
    ::umask(umaskBefore);
    EXPECT_EQ(ModeOf(path), c.after) << std::oct << c.umask << " " << c.before;
  }
}

TEST_F(DocumentTest, SavingOverASymbolicLinkWritesItsTarget) {
  results.AddResult("a@b.cn", "", "");
  sandbox.Write("real.mvx", "old");
  std::filesystem::create_symlink("real.mvx", sandbox.Path("link.mvx"));
  SaveDocument(parts, sandbox.Path("link.mvx"));
  EXPECT_TRUE(std::filesystem::is_symlink(sandbox.Path("link.mvx")));
  EXPECT_NE(sandbox.Read("real.mvx").find("a@b.cn"), std::string::npos);
}

TEST_F(DocumentTest, TemporariesThatAKilledSaveLeftAreRemovedAtTheNextSave) {
  sandbox.Write("doc.mvx.marvessa-Ab12Cd", "half a save");
  sandbox.Write("doc.mvx.marvessa-notmine", "a name of another pattern");
  sandbox.Write("doc.mvx.backup", "the user's own");
  sandbox.Write("other.mvx.marvessa-Xy34Zw", "another document's");
  sandbox.Write("doc.mvx.marvessa-Busy01", "another save, still writing");
  const int busy = ::open(sandbox.Path("doc.mvx.marvessa-Busy01").c_str(), O_RDONLY);
  ::flock(busy, LOCK_EX);
  Save();
  ::close(busy);
  EXPECT_FALSE(sandbox.Exists("doc.mvx.marvessa-Ab12Cd"));
  for (const char* kept :
       {"doc.mvx.marvessa-notmine", "doc.mvx.backup", "other.mvx.marvessa-Xy34Zw", "doc.mvx.marvessa-Busy01"})
    EXPECT_TRUE(sandbox.Exists(kept)) << kept;
}

TEST_F(DocumentTest, RowsAppendedWhileSavingAreNotWritten) {
  results.AddResult("a@b.cn", "", "");
  results.AddResult("b@b.cn", "", "");
  ui.Post([&] { results.AddResult("late@b.cn", "", ""); });
  const std::string text = Save();
  EXPECT_EQ(text.find("late@b.cn"), std::string::npos);
  EXPECT_EQ(results.Count(), 3);
}

}  // namespace
}  // namespace marvessa
