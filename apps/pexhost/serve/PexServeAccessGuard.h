#pragma once
// Who may talk to a served page: requests addressed to this server by its
// loopback name (a Host header naming another site is a DNS-rebinding
// attempt), from its own origin only (no cross-origin request is answered,
// so no other site can drive the host), and, for the API, carrying the
// server's token.
#include <optional>
#include <string>
#include <string_view>

#include "PexServeMessage.h"

class PexServeAccessGuard {
 public:
  PexServeAccessGuard(std::string token, int port);

  // Empty when the request may be answered, else the refusal to send.
  std::optional<PexServeResponse> Refusal(const PexServeRequest& request, bool api) const;

  // The header that carries the token.
  static constexpr const char* kTokenHeader = "x-pex-token";

 private:
  bool IsOwnAuthority(std::string_view hostAndPort) const;

  std::string token_;
  int port_;
};
