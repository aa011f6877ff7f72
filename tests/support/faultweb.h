// A server of the faults a crawler meets, one path each. Responses that carry a Content-Length
// keep the connection alive; the others close it.
//
//   /silent            reads the request and never answers
//   /drip              announces 100 bytes of text/html and sends one byte a second
//   /endless           text/html without Content-Length whose body never ends
//   /sized/N           N bytes of text/html with Content-Length N
//   /unsized/N         N bytes of text/html without Content-Length, then the connection closes
//   /short-length      announces 10 bytes and sends 100,000
//   /gzip/N            N bytes of text/html sent gzip-encoded (a bomb for N far above the cap)
//   /no-type           a body without Content-Type
//   /binary            a body of type application/octet-stream
//   /redirect/N        N redirects with absolute Location values, then a page "final"
//   /relative-redirect a redirect with the relative Location "redirect/0"
//   /loop              redirects to itself
//   /ftp-redirect      redirects to an ftp URL
//   /reset             announces 10,000 bytes, sends 100, then resets the connection
//   /empty             closes the connection without a reply
//   /status/N          status N with a short text/html body
//   /echo...           text/plain: the request head exactly as received (any path that
//                      begins with /echo)
// Any other path is answered 404.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "tests/support/rawserver.h"

namespace marvessa::test {

class FaultWeb {
 public:
  explicit FaultWeb(const std::string& host = "127.0.0.1");

  std::string Url(const std::string& path) const { return server_.Origin() + path; }
  const std::string& Host() const { return server_.Host(); }
  int Port() const { return server_.Port(); }
  // Connections accepted so far.
  int Connections() const { return server_.Connections(); }
  // Ends every connection at once; the destructor does it too.
  void Stop() { server_.Stop(); }
  // Every request head received, in order, byte for byte.
  std::vector<std::string> Requests() const;

 private:
  void Serve(RawConnection& connection);
  // False when the connection must be closed after the reply.
  bool Answer(RawConnection& connection, const std::string& request);

  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  RawServer server_;  // last: it stops before the members its handlers use go away
};

// The path of a request head ("/a?b" of "GET /a?b HTTP/1.1"), empty when there is none.
std::string RequestTarget(const std::string& requestHead);
// The value of a header in a request head: first match, name compared without letter case, the
// blanks after the colon dropped and trailing blanks kept, so that it shows the bytes sent.
// Empty when the header is missing.
std::string HeaderValue(const std::string& requestHead, const std::string& name);

}  // namespace marvessa::test
