// The TLS settings of both sides: TLS 1.3 and nothing older.
#pragma once

#include <boost/asio/ssl/context.hpp>
#include <memory>
#include <string>

#include "net/certificate.h"

namespace corvane {

// The host's side, with its certificate; nothing (and the reason in `error`) when the pair does
// not serve.
std::unique_ptr<boost::asio::ssl::context> MakeServerTls(const CertificatePair& pair,
                                                         std::string& error);

// The friend's side. It checks no certificate authority: the friend's program pins the host's
// certificate by its fingerprint instead.
std::unique_ptr<boost::asio::ssl::context> MakeClientTls();

}  // namespace corvane
