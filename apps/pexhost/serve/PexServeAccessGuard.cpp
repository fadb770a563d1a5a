#include "PexServeAccessGuard.h"

#include <algorithm>
#include <cctype>

#include "PexServeToken.h"

namespace {
std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}
}  // namespace

PexServeAccessGuard::PexServeAccessGuard(std::string token, int port)
    : token_(std::move(token)), port_(port) {}

bool PexServeAccessGuard::IsOwnAuthority(std::string_view hostAndPort) const {
  const std::string authority = Lower(hostAndPort);
  const std::string port = ":" + std::to_string(port_);
  return authority == "127.0.0.1" + port || authority == "localhost" + port;
}

std::optional<PexServeResponse> PexServeAccessGuard::Refusal(const PexServeRequest& request,
                                                             bool api) const {
  if (!IsOwnAuthority(request.Header("host")))
    return PexServeResponse::Error(403, "this server answers only requests addressed to it");
  // Browsers send Origin with every cross-origin request and with same-origin
  // writes; a request without it comes from outside a browser.
  if (request.HasHeader("origin")) {
    const std::string origin = Lower(request.Header("origin"));
    const std::string prefix = "http://";
    if (origin.rfind(prefix, 0) != 0 || !IsOwnAuthority(std::string_view(origin).substr(prefix.size())))
      return PexServeResponse::Error(403, "requests from other origins are refused");
  }
  if (api && !PexServeToken::Matches(token_, request.Header(kTokenHeader)))
    return PexServeResponse::Error(401, "a valid token is required (open the address printed "
                                        "by pexhost serve)");
  return std::nullopt;
}
