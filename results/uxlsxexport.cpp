#include "results/uxlsxexport.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <filesystem>

#include "base/ufileio.h"
#include "results/uexportcaptions.h"

namespace marvessa {

namespace {

// Excel's longest text cell, in characters; cutting at this many bytes keeps within it.
constexpr std::size_t kMaxCellBytes = 32767;

// The UTF-8 text cut to the cell limit at a character boundary.
std::string CellText(std::string utf8) {
  if (utf8.size() <= kMaxCellBytes) return utf8;
  std::size_t end = kMaxCellBytes;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  utf8.resize(end);
  return utf8;
}

// libxlsxwriter writes to a file name: a private temporary file, read back and removed.
class TempFile {
 public:
  TempFile() : path_((std::filesystem::temp_directory_path() / "marvessa-export-XXXXXX").string()) {
    const int fd = ::mkstemp(path_.data());
    if (fd < 0) throw FileError("Cannot create file \"" + path_ + "\"");
    ::close(fd);
  }
  ~TempFile() { ::unlink(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class Workbook {
 public:
  explicit Workbook(const std::string& path) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;  // rows go to disk as they are written
    book_ = workbook_new_opt(path.c_str(), &options);
    if (!book_) throw FileError("Cannot create file \"" + path + "\"");
    bold_ = workbook_add_format(book_);
    format_set_bold(bold_);
  }
  ~Workbook() {
    if (book_) workbook_close(book_);
  }
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  void AddRow(const std::string& email, const std::string& url, const std::string& title) {
    if (!sheet_ || row_ == LXW_ROW_MAX) NewSheet();
    Write(0, email, nullptr);
    Write(1, url, nullptr);
    Write(2, title, nullptr);
    ++row_;
  }

  void Close(const std::string& path) {
    if (!sheet_) NewSheet();
    const lxw_error error = workbook_close(book_);
    book_ = nullptr;
    if (error != LXW_NO_ERROR) throw FileError("Cannot create file \"" + path + "\". " + lxw_strerror(error));
  }

 private:
  void NewSheet() {
    sheet_ = workbook_add_worksheet(book_, nullptr);
    worksheet_set_column(sheet_, 0, 0, 24, nullptr);
    worksheet_set_column(sheet_, 1, 1, 30, nullptr);
    worksheet_set_column(sheet_, 2, 2, 48, nullptr);
    row_ = 0;
    Write(0, GbkToUtf8(kEmailCaption), bold_);
    Write(1, GbkToUtf8(kUrlCaption), bold_);
    Write(2, GbkToUtf8(kTitleCaption), bold_);
    ++row_;
  }
  void Write(lxw_col_t column, const std::string& utf8, lxw_format* format) {
    worksheet_write_string(sheet_, row_, column, CellText(utf8).c_str(), format);
  }

  lxw_workbook* book_ = nullptr;
  lxw_worksheet* sheet_ = nullptr;
  lxw_format* bold_ = nullptr;
  lxw_row_t row_ = 0;
};

}  // namespace

std::string XlsxExporter::FileBytes(const ExportSource& source, UiThread& ui) {
  TempFile file;
  {
    Workbook book(file.path());
    ForEachExportRow(source.results, ui, [&](const ResultRecord& row) {
      book.AddRow(GbkToUtf8(Trim(row.email)), GbkToUtf8(Trim(row.url)), GbkToUtf8(Trim(row.title)));
    });
    book.Close(file.path());
  }
  auto bytes = ReadFileBytes(file.path());
  if (!bytes) throw FileError("Cannot open file \"" + file.path() + "\"");
  return *bytes;
}

}  // namespace marvessa
