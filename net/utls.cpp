#include "net/utls.h"

#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace marvessa {

namespace {

// The certificates of one PEM file, read once per process.
class CaCertificates {
 public:
  explicit CaCertificates(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return;
    while (X509* cert = PEM_read_X509(file, nullptr, nullptr, nullptr)) certs_.push_back(cert);
    std::fclose(file);
  }
  ~CaCertificates() {
    for (X509* cert : certs_) X509_free(cert);
  }
  CaCertificates(const CaCertificates&) = delete;
  CaCertificates& operator=(const CaCertificates&) = delete;

  bool Empty() const { return certs_.empty(); }
  void AddTo(X509_STORE* store) const {
    // A certificate the store holds already is passed over.
    for (X509* cert : certs_) X509_STORE_add_cert(store, cert);
  }

 private:
  std::vector<X509*> certs_;
};

const CaCertificates* ExtraCa() {
  const char* path = std::getenv(kExtraCaVariable);
  if (!path || !*path) return nullptr;
  static std::mutex mutex;
  static std::map<std::string, std::unique_ptr<CaCertificates>> loaded;
  std::lock_guard lock(mutex);
  auto& certs = loaded[path];
  if (!certs) certs = std::make_unique<CaCertificates>(path);
  return certs->Empty() ? nullptr : certs.get();
}

CURLcode AddCertificates(CURL*, void* sslContext, void* data) {
  static_cast<const CaCertificates*>(data)->AddTo(SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(sslContext)));
  return CURLE_OK;
}

}  // namespace

void TrustExtraCa(CURL* curl) {
  const CaCertificates* extra = ExtraCa();
  curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, extra ? AddCertificates : nullptr);
  curl_easy_setopt(curl, CURLOPT_SSL_CTX_DATA, extra);
}

}  // namespace marvessa
