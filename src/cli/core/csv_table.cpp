#include "cli/core/csv_table.hpp"

#include <csv.h>

#include <cstdio>

#include "shell/core/text.hpp"

namespace mc::cli {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool wellFormedUtf8(std::string_view bytes) {
    char32_t ignored = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8Sequence(bytes, at, ignored);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string codePointName(char32_t codePoint) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
    return name;
}

CsvCell latin1Cell(std::string_view raw, bool utf8) {
    CsvCell cell;
    if (!utf8) {
        cell.text = raw;
    } else {
        for (std::size_t at = 0; at < raw.size();) {
            char32_t codePoint = 0;
            const std::size_t length = utf8Sequence(raw, at, codePoint);
            if (length == 0) {
                if (cell.fault.empty()) cell.fault = "is not well-formed UTF-8";
                cell.text += '?';
                ++at;
                continue;
            }
            if (codePoint > 0xFF) {
                if (cell.fault.empty())
                    cell.fault = "holds the character " + codePointName(codePoint) +
                                 ", which Latin-1 cannot hold: macro files are Latin-1";
                cell.text += '?';
            } else {
                cell.text += static_cast<char>(codePoint);
            }
            at += length;
        }
    }
    for (const char c : cell.text) {
        const auto byte = static_cast<unsigned char>(c);
        if (cell.fault.empty() && (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)))
            cell.fault = "holds a line break or another control character, which no box of the page takes";
    }
    return cell;
}

// The separator that follows the first field of the first line.
char separatorOf(std::string_view bytes) {
    std::size_t at = 0;
    if (!bytes.empty() && bytes[0] == '"') {
        at = 1;
        while (at < bytes.size()) {
            if (bytes[at] == '"') {
                if (at + 1 < bytes.size() && bytes[at + 1] == '"') {
                    at += 2;
                    continue;
                }
                ++at;
                break;
            }
            ++at;
        }
    }
    while (at < bytes.size() && bytes[at] != ',' && bytes[at] != ';' && bytes[at] != '\r' && bytes[at] != '\n') ++at;
    return at < bytes.size() && bytes[at] == ';' ? ';' : ',';
}

struct Collected {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
};

void endOfField(void* field, std::size_t length, void* data) {
    auto& collected = *static_cast<Collected*>(data);
    collected.record.emplace_back(field ? static_cast<const char*>(field) : "", field ? length : 0);
}

void endOfRecord(int, void* data) {
    auto& collected = *static_cast<Collected*>(data);
    collected.records.push_back(std::move(collected.record));
    collected.record.clear();
}

// Blanks around a field are part of it: a name may begin with one.
int noSpace(unsigned char) { return 0; }

}  // namespace

CsvTable readCsv(std::string_view bytes) {
    CsvTable table;
    const bool marked = bytes.starts_with(ByteOrderMark);
    if (marked) bytes.remove_prefix(ByteOrderMark.size());
    table.utf8 = marked || wellFormedUtf8(bytes);
    table.separator = separatorOf(bytes);

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        table.error = "cannot be read: no memory left";
        return table;
    }
    csv_set_delim(&parser, static_cast<unsigned char>(table.separator));
    csv_set_space_func(&parser, noSpace);
    Collected collected;
    const bool parsed = csv_parse(&parser, bytes.data(), bytes.size(), endOfField, endOfRecord, &collected) ==
                            bytes.size() &&
                        csv_fini(&parser, endOfField, endOfRecord, &collected) == 0;
    if (!parsed)
        table.error = "is not a CSV file: " + std::string(csv_strerror(csv_error(&parser))) + " in row " +
                      std::to_string(collected.records.size() + 1);
    csv_free(&parser);
    if (!parsed) return table;

    for (const auto& record : collected.records) {
        std::vector<CsvCell> row;
        row.reserve(record.size());
        for (const std::string& raw : record) row.push_back(latin1Cell(raw, table.utf8));
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string writeCsv(const std::vector<std::vector<std::string>>& rows) {
    std::string bytes;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) bytes += ',';
            // Every quote doubled and two around: at most twice the field and two.
            std::string quoted(row[i].size() * 2 + 2, '\0');
            quoted.resize(csv_write(quoted.data(), quoted.size(), row[i].data(), row[i].size()));
            bytes += quoted;
        }
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace mc::cli
