#include "net/tls.h"

#include <openssl/ssl.h>

#include <boost/system/error_code.hpp>

namespace corvane {

namespace {

std::unique_ptr<boost::asio::ssl::context> TlsOnly13(boost::asio::ssl::context::method method) {
  auto context = std::make_unique<boost::asio::ssl::context>(method);
  SSL_CTX* native = context->native_handle();
  SSL_CTX_set_min_proto_version(native, TLS1_3_VERSION);
  SSL_CTX_set_max_proto_version(native, TLS1_3_VERSION);
  SSL_CTX_set_options(native, SSL_OP_NO_COMPRESSION);
  return context;
}

}  // namespace

std::unique_ptr<boost::asio::ssl::context> MakeServerTls(const CertificatePair& pair,
                                                         std::string& error) {
  if (!CheckCertificatePair(pair, error)) return nullptr;
  auto context = TlsOnly13(boost::asio::ssl::context::tls_server);
  boost::system::error_code failure;
  context->set_password_callback([](std::size_t, auto) { return std::string(); }, failure);
  context->use_certificate_chain(boost::asio::buffer(pair.certificate), failure);
  if (!failure) {
    context->use_private_key(boost::asio::buffer(pair.key), boost::asio::ssl::context::pem,
                             failure);
  }
  if (failure) {
    error = failure.message();
    return nullptr;
  }
  return context;
}

std::unique_ptr<boost::asio::ssl::context> MakeClientTls() {
  auto context = TlsOnly13(boost::asio::ssl::context::tls_client);
  context->set_verify_mode(boost::asio::ssl::verify_none);
  return context;
}

}  // namespace corvane
