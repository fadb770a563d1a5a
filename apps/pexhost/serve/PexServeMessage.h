#pragma once
// An HTTP request and response as the serve verb's handlers see them, apart
// from the transport: the handlers and their tests need no socket.
#include <map>
#include <string>
#include <utility>
#include <vector>

struct PexServeRequest {
  std::string method;  // "GET", "POST", ...
  std::string path;    // decoded, without the query
  std::map<std::string, std::string> query;
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;

  // The header's value, or "" when it is missing.
  std::string Header(const std::string& lowerCaseName) const {
    const auto found = headers.find(lowerCaseName);
    return found == headers.end() ? std::string() : found->second;
  }
  bool HasHeader(const std::string& lowerCaseName) const {
    return headers.count(lowerCaseName) != 0;
  }
};

struct PexServeResponse {
  int status = 200;
  // A charset parameter keeps cpp-httplib from compressing (see PexServeHttp.h).
  std::string contentType = "application/json; charset=utf-8";
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;

  // A JSON error body {"error": "..."} with the status.
  static PexServeResponse Error(int status, const std::string& message);
};
