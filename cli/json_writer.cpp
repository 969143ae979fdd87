#include "cli/json_writer.h"

namespace {

constexpr std::string_view kEmptyArray = "[]";
// Where the array's elements stand: a member of the top object, two levels in.
constexpr std::string_view kItemIndent = "    ";

} // namespace

std::string jsonText(const nlohmann::ordered_json& value, int indent) {
    return value.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void writeJsonUpToArray(const nlohmann::ordered_json& head, std::ostream& out) {
    const std::string text = jsonText(head, 2);
    out << text.substr(0, text.rfind(kEmptyArray) + 1);
}

void writeJsonArrayItem(const nlohmann::ordered_json& item, int indent, bool first, std::ostream& out) {
    std::string text = jsonText(item, indent);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        text.insert(at + 1, kItemIndent);
    out << (first ? "\n" : ",\n") << kItemIndent << text;
}

void writeJsonFromArray(const nlohmann::ordered_json& tail, std::ostream& out) {
    const std::string text = jsonText(tail, 2);
    out << "\n  " << text.substr(text.find(kEmptyArray) + 1) << '\n';
}
