#include "sandbox/testca.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace marvessa::sandbox {

namespace {

using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Cert = std::unique_ptr<X509, decltype(&X509_free)>;

Key NewKey() {
  Key key(EVP_EC_gen("P-256"), EVP_PKEY_free);
  if (!key) throw std::runtime_error("cannot make a test key");
  return key;
}

void AddExtension(X509* cert, X509* issuer, int nid, const std::string& value) {
  X509V3_CTX context;
  X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str());
  if (!extension) throw std::runtime_error("cannot make a certificate extension");
  X509_add_ext(cert, extension, -1);
  X509_EXTENSION_free(extension);
}

// A certificate for key, named commonName, signed by issuerKey (itself when issuer is null).
Cert NewCert(EVP_PKEY* key, const char* commonName, X509* issuer, EVP_PKEY* issuerKey, long serial) {
  Cert cert(X509_new(), X509_free);
  X509_set_version(cert.get(), 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial);
  X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
  X509_gmtime_adj(X509_getm_notAfter(cert.get()), 30L * 24 * 3600);
  X509_set_pubkey(cert.get(), key);
  X509_NAME* name = X509_get_subject_name(cert.get());
  X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("Marvessa sandbox"), -1,
                             -1, 0);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
  X509_set_issuer_name(cert.get(), issuer ? X509_get_subject_name(issuer) : name);
  return cert;
}

void Sign(X509* cert, EVP_PKEY* key) {
  if (X509_sign(cert, key, EVP_sha256()) == 0) throw std::runtime_error("cannot sign a test certificate");
}

template <typename Write>
void WritePem(const std::string& path, Write write) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) throw std::runtime_error("cannot write " + path);
  const bool ok = write(file) == 1;
  std::fclose(file);
  if (!ok) throw std::runtime_error("cannot write " + path);
}

}  // namespace

TestCa::TestCa(const std::vector<std::string>& addresses) {
  std::string pattern = (std::filesystem::temp_directory_path() / "marvessa-ca-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder for the test CA");
  folder_ = pattern;
  caFile_ = folder_ + "/ca.pem";
  certFile_ = folder_ + "/server.pem";
  keyFile_ = folder_ + "/server.key";

  const Key caKey = NewKey();
  // Each CA has a name of its own, so that one never passes for another.
  const std::string caName = "Marvessa sandbox CA " + folder_.substr(folder_.size() - 6);
  const Cert ca = NewCert(caKey.get(), caName.c_str(), nullptr, nullptr, 1);
  AddExtension(ca.get(), ca.get(), NID_basic_constraints, "critical,CA:TRUE");
  AddExtension(ca.get(), ca.get(), NID_key_usage, "critical,keyCertSign,cRLSign");
  AddExtension(ca.get(), ca.get(), NID_subject_key_identifier, "hash");
  Sign(ca.get(), caKey.get());

  const Key key = NewKey();
  const Cert server = NewCert(key.get(), addresses.empty() ? "127.0.0.1" : addresses[0].c_str(), ca.get(),
                              caKey.get(), 2);
  std::string names;
  for (const std::string& address : addresses) names += (names.empty() ? "IP:" : ",IP:") + address;
  AddExtension(server.get(), ca.get(), NID_basic_constraints, "critical,CA:FALSE");
  AddExtension(server.get(), ca.get(), NID_ext_key_usage, "serverAuth");
  if (!names.empty()) AddExtension(server.get(), ca.get(), NID_subject_alt_name, names);
  Sign(server.get(), caKey.get());

  WritePem(caFile_, [&](std::FILE* f) { return PEM_write_X509(f, ca.get()); });
  WritePem(certFile_, [&](std::FILE* f) { return PEM_write_X509(f, server.get()); });
  WritePem(keyFile_, [&](std::FILE* f) {
    return PEM_write_PrivateKey(f, key.get(), nullptr, nullptr, 0, nullptr, nullptr);
  });
}

TestCa::~TestCa() {
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

}  // namespace marvessa::sandbox
