// JSON as the tool writes it.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

// value's text, laid out with indent spaces a level (-1: on one line). Paths and names need not be
// valid UTF-8; such bytes are written as U+FFFD.
std::string jsonText(const nlohmann::ordered_json& value, int indent);

// An object laid out as jsonText(object, 2) lays it out, written a piece at a time so that the
// elements of its one array member (a league's teams, a check's files) are written as they are made:
// head holds the members up to that array, which it holds empty as its last member; each element
// follows the ones before it, laid out with its own indent; tail holds the array, empty, as its first
// member, and the members after it.
void writeJsonUpToArray(const nlohmann::ordered_json& head, std::ostream& out);
void writeJsonArrayItem(const nlohmann::ordered_json& item, int indent, bool first, std::ostream& out);
void writeJsonFromArray(const nlohmann::ordered_json& tail, std::ostream& out);
