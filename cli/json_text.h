// JSON as the tool writes it.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

// value's text, laid out with indent spaces a level (-1: on one line). Paths and names need not be
// valid UTF-8; such bytes are written as U+FFFD.
std::string jsonText(const nlohmann::ordered_json& value, int indent);
