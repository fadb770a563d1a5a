#pragma once
// Reading the arguments of session-script steps: numbers, whole numbers and
// the messages that name an argument that is not one.
#include <cstddef>
#include <string>
#include <vector>

#include "KivInteraction.h"

// A finite number written in full ("1.5", "-2e3"); false for anything else.
bool PexToNumber(const std::string& text, double& value);
// A whole number within +-1e9.
bool PexToInteger(const std::string& text, int& value);
// The text in double quotes, as messages show an argument.
std::string PexQuoted(const std::string& text);
// The shortest form of a number ("212.5", "3").
std::string PexFormat(double value);
// `count` numbers from the arguments starting at `first`; a failure names
// the argument that is not a number.
KivStepResult PexNumbers(const std::vector<std::string>& args, std::size_t first, std::size_t count,
                         std::vector<double>& values);
