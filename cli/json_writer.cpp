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
    const std::string text = jsonText(item, indent);
    const std::string_view lines(text);
    out << (first ? "\n" : ",\n") << kItemIndent;
    // Every line after the first one is indented as it is written.
    std::size_t start = 0;
    for (std::size_t end = lines.find('\n'); end != std::string_view::npos; end = lines.find('\n', start)) {
        out << lines.substr(start, end + 1 - start) << kItemIndent;
        start = end + 1;
    }
    out << lines.substr(start);
}

void writeJsonFromArray(const nlohmann::ordered_json& tail, std::ostream& out) {
    const std::string text = jsonText(tail, 2);
    out << "\n  " << text.substr(text.find(kEmptyArray) + 1) << '\n';
}
