#include "tests/support/faultweb.h"

#include <zlib.h>

#include "base/utext.h"

namespace marvessa::test {

namespace {

using std::chrono::milliseconds;

std::string Head(int status, const std::string& extraHeaders) {
  return "HTTP/1.1 " + std::to_string(status) + " Test\r\n" + extraHeaders + "\r\n";
}

std::string WithLength(int status, const std::string& type, const std::string& body) {
  std::string headers = "Content-Length: " + std::to_string(body.size()) + "\r\n";
  if (!type.empty()) headers += "Content-Type: " + type + "\r\n";
  return Head(status, headers) + body;
}

std::string Redirect(const std::string& location) {
  return Head(302, "Location: " + location + "\r\nContent-Length: 9\r\nContent-Type: text/html\r\n") + "redirect.";
}

// N bytes of page text.
std::string Filler(std::size_t n) {
  std::string text;
  text.reserve(n);
  while (text.size() < n) text += "<p>fill</p>";
  text.resize(n);
  return text;
}

// The gzip form of data.
std::string Gzip(const std::string& data) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, data.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

int NumberAfter(const std::string& path, const std::string& prefix) {
  return ParseDecimal(path.substr(prefix.size())).value_or(0);
}

}  // namespace

std::string RequestTarget(const std::string& requestHead) {
  const std::size_t a = requestHead.find(' ');
  const std::size_t b = requestHead.find(' ', a + 1);
  if (a == std::string::npos || b == std::string::npos) return "";
  return requestHead.substr(a + 1, b - a - 1);
}

std::string HeaderValue(const std::string& requestHead, const std::string& name) {
  for (std::size_t start = requestHead.find("\r\n"); start != std::string::npos;) {
    start += 2;
    const std::size_t end = requestHead.find("\r\n", start);
    const std::string line = requestHead.substr(start, end - start);
    const std::size_t colon = line.find(':');
    if (colon != std::string::npos && EqualsNoCase(line.substr(0, colon), name)) {
      const std::size_t value = line.find_first_not_of(' ', colon + 1);
      return value == std::string::npos ? "" : line.substr(value);
    }
    start = end;
  }
  return "";
}

FaultWeb::FaultWeb(const std::string& host)
    : server_(host, [this](RawConnection& connection) { Serve(connection); }) {}

std::vector<std::string> FaultWeb::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void FaultWeb::Serve(RawConnection& connection) {
  while (auto request = connection.ReadRequest()) {
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(*request);
    }
    if (!Answer(connection, *request)) return;
  }
}

bool FaultWeb::Answer(RawConnection& c, const std::string& request) {
  const std::string path = RequestTarget(request);
  if (path == "/silent") {
    c.WaitUntilStopping();
    return false;
  }
  if (path == "/drip") {
    if (!c.Send(Head(200, "Content-Length: 100\r\nContent-Type: text/html\r\n"))) return false;
    for (int i = 0; i < 100 && c.Wait(milliseconds(1000)); ++i)
      if (!c.Send("x")) return false;
    return false;
  }
  if (path == "/endless") {
    const std::string chunk = Filler(16384);
    if (!c.Send(Head(200, "Content-Type: text/html\r\nConnection: close\r\n"))) return false;
    while (c.Send(chunk)) {
    }
    return false;
  }
  if (StartsWith(path, "/sized/")) return c.Send(WithLength(200, "text/html", Filler(NumberAfter(path, "/sized/"))));
  if (StartsWith(path, "/unsized/")) {
    c.Send(Head(200, "Content-Type: text/html\r\nConnection: close\r\n") + Filler(NumberAfter(path, "/unsized/")));
    return false;
  }
  if (path == "/short-length") {
    c.Send(Head(200, "Content-Length: 10\r\nContent-Type: text/html\r\n") + Filler(100000));
    return false;
  }
  if (StartsWith(path, "/gzip/")) {
    const std::string body = Gzip(Filler(NumberAfter(path, "/gzip/")));
    return c.Send(Head(200, "Content-Encoding: gzip\r\nContent-Type: text/html\r\nContent-Length: " +
                                std::to_string(body.size()) + "\r\n") + body);
  }
  if (path == "/no-type") return c.Send(WithLength(200, "", "<html>no type</html>"));
  if (path == "/binary") return c.Send(WithLength(200, "application/octet-stream", std::string("\x89PNG\0\1\2", 7)));
  if (StartsWith(path, "/redirect/")) {
    const int hops = NumberAfter(path, "/redirect/");
    if (hops <= 0) return c.Send(WithLength(200, "text/html", "final"));
    return c.Send(Redirect(server_.Origin() + "/redirect/" + std::to_string(hops - 1)));
  }
  if (path == "/relative-redirect") return c.Send(Redirect("redirect/0"));
  if (path == "/loop") return c.Send(Redirect("/loop"));
  if (path == "/ftp-redirect") return c.Send(Redirect("ftp://127.0.0.1/file"));
  if (path == "/reset") {
    if (c.Send(Head(200, "Content-Length: 10000\r\nContent-Type: text/html\r\n") + Filler(100))) c.Wait(milliseconds(50));
    c.Reset();
    return false;
  }
  if (path == "/empty") return false;
  if (StartsWith(path, "/status/")) return c.Send(WithLength(NumberAfter(path, "/status/"), "text/html", "status page"));
  if (StartsWith(path, "/echo")) return c.Send(WithLength(200, "text/plain", request));
  return c.Send(WithLength(404, "text/html", "not found"));
}

}  // namespace marvessa::test
