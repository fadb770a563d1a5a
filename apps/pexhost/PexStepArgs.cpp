#include "PexStepArgs.h"

#include <cmath>
#include <sstream>

bool PexToNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  std::size_t used = 0;
  try {
    value = std::stod(text, &used);
  } catch (...) {
    return false;
  }
  return used == text.size() && std::isfinite(value);
}

bool PexToInteger(const std::string& text, int& value) {
  double d = 0;
  if (!PexToNumber(text, d) || d != std::floor(d) || std::fabs(d) > 1e9) return false;
  value = static_cast<int>(d);
  return true;
}

std::string PexQuoted(const std::string& text) { return "\"" + text + "\""; }

std::string PexFormat(double value) {
  std::ostringstream s;
  s << value;
  return s.str();
}

KivStepResult PexNumbers(const std::vector<std::string>& args, std::size_t first, std::size_t count,
                         std::vector<double>& values) {
  values.clear();
  for (std::size_t i = first; i < first + count; ++i) {
    double v = 0;
    if (!PexToNumber(args[i], v))
      return KivStepResult::Fail(PexQuoted(args[i]) + " is not a number");
    values.push_back(v);
  }
  return KivStepResult::Ok();
}
