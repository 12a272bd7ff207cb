#include "net/certificate.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <memory>

namespace corvane {

namespace {

constexpr long kSecondsPerDay = 24L * 60 * 60;
constexpr long kValidDays = 3653;  // ten years
// A day before it is made, so that a friend's clock a little behind the host's does not matter.
constexpr long kValidBeforeSeconds = kSecondsPerDay;
constexpr int kSerialBytes = 16;
constexpr const char* kSubject = "Corvane table";

template <typename T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const { Free(p); }
};
using Bio = std::unique_ptr<BIO, Deleter<BIO, BIO_free_all>>;
using Key = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using Certificate = std::unique_ptr<X509, Deleter<X509, X509_free>>;
using Number = std::unique_ptr<BIGNUM, Deleter<BIGNUM, BN_free>>;
using Extension = std::unique_ptr<X509_EXTENSION, Deleter<X509_EXTENSION, X509_EXTENSION_free>>;

std::string Text(const Bio& bio) {
  char* data = nullptr;
  const long size = BIO_get_mem_data(bio.get(), &data);
  return size > 0 ? std::string(data, static_cast<std::size_t>(size)) : std::string();
}

// A key protected by a pass phrase is refused rather than asked about on the terminal.
int NoPassPhrase(char*, int, int, void*) {
  return 0;
}

Bio Reader(const std::string& pem) {
  return Bio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
}

bool AddExtension(X509* certificate, int nid, const std::string& value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
  const Extension extension(X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str()));
  return extension && X509_add_ext(certificate, extension.get(), -1) == 1;
}

// The names a browser may reach the table by: this machine, and its name on the home network.
std::string AlternativeNames() {
  std::string names = "DNS:localhost";
  std::array<char, HOST_NAME_MAX + 1> host{};
  if (::gethostname(host.data(), host.size() - 1) == 0 && host[0] != 0) {
    const std::string name(host.data());
    // Only a plain host name goes into the certificate.
    if (name.find_first_not_of(
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-.") ==
        std::string::npos) {
      names += ",DNS:" + name;
      if (name.find('.') == std::string::npos) names += ",DNS:" + name + ".local";
    }
  }
  return names;
}

bool RandomSerial(X509* certificate) {
  std::array<unsigned char, kSerialBytes> bytes{};
  if (RAND_bytes(bytes.data(), kSerialBytes) != 1) return false;
  bytes[0] &= 0x7f;  // a positive number
  const Number serial(BN_bin2bn(bytes.data(), kSerialBytes, nullptr));
  return serial && BN_to_ASN1_INTEGER(serial.get(), X509_get_serialNumber(certificate)) != nullptr;
}

}  // namespace

std::string OpenSslError() {
  const unsigned long code = ERR_get_error();
  ERR_clear_error();
  if (code == 0) return "unknown error";
  std::array<char, 256> text{};
  ERR_error_string_n(code, text.data(), text.size());
  return text.data();
}

std::optional<CertificatePair> MakeHostCertificate(std::string& error) {
  const Key key(EVP_EC_gen("P-256"));
  const Certificate certificate(X509_new());
  bool made = key && certificate && X509_set_version(certificate.get(), 2) == 1 &&
              RandomSerial(certificate.get()) &&
              X509_gmtime_adj(X509_getm_notBefore(certificate.get()), -kValidBeforeSeconds) &&
              X509_gmtime_adj(X509_getm_notAfter(certificate.get()), kValidDays * kSecondsPerDay) &&
              X509_set_pubkey(certificate.get(), key.get()) == 1;
  if (made) {
    X509_NAME* name = X509_get_subject_name(certificate.get());
    made = X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                      reinterpret_cast<const unsigned char*>(kSubject), -1, -1,
                                      0) == 1 &&
           X509_set_issuer_name(certificate.get(), name) == 1 &&
           AddExtension(certificate.get(), NID_basic_constraints, "critical,CA:FALSE") &&
           AddExtension(certificate.get(), NID_key_usage, "critical,digitalSignature") &&
           AddExtension(certificate.get(), NID_ext_key_usage, "serverAuth") &&
           AddExtension(certificate.get(), NID_subject_alt_name, AlternativeNames()) &&
           X509_sign(certificate.get(), key.get(), EVP_sha256()) > 0;
  }
  const Bio certificateText(BIO_new(BIO_s_mem()));
  const Bio keyText(BIO_new(BIO_s_mem()));
  made = made && certificateText && keyText &&
         PEM_write_bio_X509(certificateText.get(), certificate.get()) == 1 &&
         PEM_write_bio_PrivateKey(keyText.get(), key.get(), nullptr, nullptr, 0, nullptr,
                                  nullptr) == 1;
  if (!made) {
    error = OpenSslError();
    return std::nullopt;
  }
  return CertificatePair{Text(certificateText), Text(keyText)};
}

bool CheckCertificatePair(const CertificatePair& pair, std::string& error) {
  const Bio certificateText = Reader(pair.certificate);
  const Bio keyText = Reader(pair.key);
  const Certificate certificate(
      certificateText ? PEM_read_bio_X509(certificateText.get(), nullptr, &NoPassPhrase, nullptr)
                      : nullptr);
  if (!certificate) {
    error = "no certificate (" + OpenSslError() + ")";
    return false;
  }
  const Key key(keyText ? PEM_read_bio_PrivateKey(keyText.get(), nullptr, &NoPassPhrase, nullptr)
                        : nullptr);
  if (!key) {
    error = "no private key (" + OpenSslError() + ")";
    return false;
  }
  if (X509_check_private_key(certificate.get(), key.get()) != 1) {
    error = "the key does not belong to the certificate";
    ERR_clear_error();
    return false;
  }
  return true;
}

}  // namespace corvane
