#include "Calibration.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::optional<RawTable> ReadRawTable(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream content;
    content << file.rdbuf();
    return ParseRawTable(content.str());
}

RawTable ParseRawTable(const std::string& content)
{
    RawTable table{};
    const std::size_t headerEnd = content.find('\n');
    if (headerEnd == std::string::npos)
        return table;
    std::size_t filled = 0;
    const char* cursor = content.c_str() + headerEnd + 1;
    while (*cursor != '\0' && filled < table.size()) {
        char* end = nullptr;
        const long value = std::strtol(cursor, &end, 10);
        if (end == cursor) {
            ++cursor;   // a separator or a stray character
            continue;
        }
        table[filled++] = value;
        cursor = end;
    }
    return table;
}

unsigned char NearestByte(const RawTable& table, double value)
{
    std::size_t best = 0;
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (std::fabs(table[i] - value) < std::fabs(table[best] - value))
            best = i;
    }
    return static_cast<unsigned char>(best);
}
