#pragma once

#include <fstream>
#include <string>
#include <vector>

// The CSV dialect of data/refdb: commas, a header line, a field quoted only
// when it holds a comma or a quote, LF line endings. Fields never span lines.
namespace telareas {

inline std::vector<std::string> splitCsvLine(const std::string &line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    return fields;
}

inline std::vector<std::vector<std::string>> readCsv(const std::string &path, bool skipHeader)
{
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (skipHeader) {
            skipHeader = false;
            continue;
        }
        if (!line.empty())
            rows.push_back(splitCsvLine(line));
    }
    return rows;
}

inline std::string csvLine(const std::vector<std::string> &fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const std::string &f = fields[i];
        if (f.find_first_of(",\"") == std::string::npos) {
            line += f;
            continue;
        }
        line += '"';
        for (const char c : f)
            line += c == '"' ? std::string("\"\"") : std::string(1, c);
        line += '"';
    }
    return line + '\n';
}

} // namespace telareas
