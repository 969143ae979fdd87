// JSON read into a small tree of its own, through the JSON library's event parser: numbers keep the
// digits they were written with (so that a whole number of any size reads as its digits), a name
// that appears twice in one object is refused, and every problem names its place.
#pragma once

#include <functional>
#include <istream>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

using JsonPointer = nlohmann::json::json_pointer;

struct JsonNode {
    enum class Kind { null, boolean, number, string, array, object };
    Kind kind = Kind::null;
    std::string text;              // a string's value, a number as written, "true" or "false"
    std::vector<std::string> keys; // an object's member names, in their order
    std::vector<JsonNode> items;   // an array's elements, or an object's member values

    // The value as a short phrase for messages: the number, the quoted text, "an object", ...
    std::string shown() const;
};

// Handles one element of a streamed array; returns a problem that stops the reading, or nothing.
using JsonItemHandler = std::function<std::string(const JsonNode&, const JsonPointer&)>;

struct JsonTree {
    JsonNode root;
    std::string error; // "source:line:column: invalid JSON: ..." or "source: /pointer: ..."; empty when read
};

// Reads the JSON text that in delivers, as a stream. The elements of the array that the top object's
// member streamedKey holds are handed to onItem as each is read, and not kept, so a long list never
// needs room for all of it at once; each of them, and each other member of the top object, may take
// at most kLongestJsonValue bytes of the text. A UTF-8 byte order mark at the start is skipped;
// UTF-16 text, and a second mark, are refused.
inline constexpr std::size_t kLongestJsonValue = 1 << 20;
JsonTree readJson(std::istream& in, const std::string& source, const std::string& streamedKey = {},
                  const JsonItemHandler& onItem = {});

// "source: /pointer: problem", the form of every problem about a place in a JSON text.
std::string jsonProblem(const std::string& source, const JsonPointer& at, const std::string& problem);
