#include "PexServeMessage.h"

#include <nlohmann/json.hpp>

PexServeResponse PexServeResponse::Error(int status, const std::string& message) {
  PexServeResponse response;
  response.status = status;
  response.body = nlohmann::json{{"error", message}}.dump(-1, ' ', false,
                                                          nlohmann::json::error_handler_t::replace);
  return response;
}
