#include "reports/TrueTypeSubset.h"

#include <algorithm>
#include <vector>

namespace pyrostat {

namespace {

// Big-endian fields, as every TrueType table stores them.
uint32_t U16(const std::string& b, size_t at) {
    if (at + 2 > b.size()) {
        return 0;
    }
    return (static_cast<uint32_t>(static_cast<uint8_t>(b[at])) << 8) |
           static_cast<uint8_t>(b[at + 1]);
}

int S16(const std::string& b, size_t at) {
    const uint32_t v = U16(b, at);
    return v >= 0x8000 ? static_cast<int>(v) - 0x10000 : static_cast<int>(v);
}

uint32_t U32(const std::string& b, size_t at) {
    return (U16(b, at) << 16) | U16(b, at + 2);
}

void Put16(std::string& b, uint32_t v) {
    b.push_back(static_cast<char>((v >> 8) & 0xFF));
    b.push_back(static_cast<char>(v & 0xFF));
}

void Put32(std::string& b, uint32_t v) {
    Put16(b, v >> 16);
    Put16(b, v & 0xFFFF);
}

void Set32(std::string& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + static_cast<size_t>(i)] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
    }
}

uint32_t Checksum(const std::string& bytes) {
    uint32_t sum = 0;
    for (size_t i = 0; i < bytes.size(); i += 4) {
        uint32_t word = 0;
        for (size_t j = 0; j < 4; ++j) {
            word = (word << 8) | (i + j < bytes.size() ? static_cast<uint8_t>(bytes[i + j]) : 0u);
        }
        sum += word;
    }
    return sum;
}

const std::string* Table(const FontTables& tables, const char* tag) {
    const auto found = tables.find(tag);
    return found == tables.end() || found->second.empty() ? nullptr : &found->second;
}

// Where each glyph's outline starts in "glyf", and where the last ends.
std::vector<uint32_t> GlyphOffsets(const FontTables& tables) {
    const std::string* head = Table(tables, "head");
    const std::string* maxp = Table(tables, "maxp");
    const std::string* loca = Table(tables, "loca");
    if (head == nullptr || maxp == nullptr || loca == nullptr) {
        return {};
    }
    const uint32_t count = U16(*maxp, 4);
    const bool longOffsets = S16(*head, 50) != 0;
    std::vector<uint32_t> offsets;
    offsets.reserve(count + 1);
    for (uint32_t i = 0; i <= count; ++i) {
        offsets.push_back(longOffsets ? U32(*loca, i * 4) : U16(*loca, i * 2) * 2);
    }
    return offsets;
}

} // namespace

FontMeasures ReadFontMeasures(const FontTables& tables) {
    FontMeasures m;
    const std::string* head = Table(tables, "head");
    const std::string* hhea = Table(tables, "hhea");
    if (head == nullptr || hhea == nullptr || head->size() < 54 || hhea->size() < 36) {
        return m;
    }
    m.valid = true;
    m.unitsPerEm = static_cast<int>(U16(*head, 18));
    if (m.unitsPerEm == 0) {
        m.unitsPerEm = 1000;
    }
    m.xMin = S16(*head, 36);
    m.yMin = S16(*head, 38);
    m.xMax = S16(*head, 40);
    m.yMax = S16(*head, 42);
    m.ascender = S16(*hhea, 4);
    m.descender = S16(*hhea, 6);
    return m;
}

int GlyphAdvance(const FontTables& tables, uint32_t glyph) {
    const std::string* hhea = Table(tables, "hhea");
    const std::string* hmtx = Table(tables, "hmtx");
    if (hhea == nullptr || hmtx == nullptr) {
        return 0;
    }
    const uint32_t metrics = U16(*hhea, 34);
    if (metrics == 0) {
        return 0;
    }
    return static_cast<int>(U16(*hmtx, 4 * std::min(glyph, metrics - 1)));
}

std::string SubsetTrueType(const FontTables& tables, const std::set<uint32_t>& glyphs) {
    const std::string* glyf = Table(tables, "glyf");
    const std::vector<uint32_t> offsets = GlyphOffsets(tables);
    if (glyf == nullptr || offsets.size() < 2 || Table(tables, "hhea") == nullptr ||
        Table(tables, "hmtx") == nullptr) {
        return {};
    }
    const uint32_t count = static_cast<uint32_t>(offsets.size() - 1);
    auto outline = [&](uint32_t g) {
        const uint32_t from = std::min<uint32_t>(offsets[g], static_cast<uint32_t>(glyf->size()));
        const uint32_t to = std::min<uint32_t>(offsets[g + 1], static_cast<uint32_t>(glyf->size()));
        return to > from ? glyf->substr(from, to - from) : std::string();
    };

    // The glyphs kept: those asked for, glyph 0, and the parts of every
    // composite glyph kept.
    std::set<uint32_t> kept;
    std::vector<uint32_t> pending(glyphs.begin(), glyphs.end());
    pending.push_back(0);
    while (!pending.empty()) {
        const uint32_t g = pending.back();
        pending.pop_back();
        if (g >= count || !kept.insert(g).second) {
            continue;
        }
        const std::string bytes = outline(g);
        if (bytes.size() < 10 || S16(bytes, 0) >= 0) {
            continue;
        }
        size_t at = 10;
        for (;;) {
            const uint32_t flags = U16(bytes, at);
            pending.push_back(U16(bytes, at + 2));
            at += 4 + ((flags & 0x0001) ? 4 : 2);
            if (flags & 0x0008) {
                at += 2;
            } else if (flags & 0x0040) {
                at += 4;
            } else if (flags & 0x0080) {
                at += 8;
            }
            if (!(flags & 0x0020) || at + 4 > bytes.size()) {
                break;
            }
        }
    }
    std::string newGlyf;
    std::string newLoca;
    for (uint32_t g = 0; g < count; ++g) {
        Put32(newLoca, static_cast<uint32_t>(newGlyf.size()));
        if (kept.count(g) != 0) {
            newGlyf += outline(g);
            while (newGlyf.size() % 4 != 0) {
                newGlyf.push_back('\0');
            }
        }
    }
    Put32(newLoca, static_cast<uint32_t>(newGlyf.size()));

    std::string head = *Table(tables, "head");
    if (head.size() < 54) {
        return {};
    }
    Set32(head, 8, 0); // checkSumAdjustment, set below
    head[50] = 0;
    head[51] = 1; // long offsets in "loca"

    FontTables out;
    out["head"] = head;
    out["glyf"] = newGlyf;
    out["loca"] = newLoca;
    for (const char* tag : {"hhea", "hmtx", "maxp", "cvt ", "fpgm", "prep"}) {
        if (const std::string* t = Table(tables, tag)) {
            out[tag] = *t;
        }
    }

    // The file: its header, the table directory (tags in order), the tables
    // each padded to four bytes.
    const uint32_t n = static_cast<uint32_t>(out.size());
    uint32_t power = 1;
    uint32_t log2 = 0;
    while (power * 2 <= n) {
        power *= 2;
        ++log2;
    }
    std::string file;
    Put32(file, 0x00010000);
    Put16(file, n);
    Put16(file, power * 16);
    Put16(file, log2);
    Put16(file, n * 16 - power * 16);
    uint32_t offset = 12 + 16 * n;
    std::string body;
    size_t headAt = 0;
    for (const auto& [tag, bytes] : out) {
        file += tag;
        Put32(file, Checksum(bytes));
        Put32(file, offset);
        Put32(file, static_cast<uint32_t>(bytes.size()));
        if (tag == "head") {
            headAt = 12 + 16 * n + body.size();
        }
        body += bytes;
        while (body.size() % 4 != 0) {
            body.push_back('\0');
        }
        offset = 12 + 16 * n + static_cast<uint32_t>(body.size());
    }
    file += body;
    Set32(file, headAt + 8, 0xB1B0AFBAu - Checksum(file));
    return file;
}

} // namespace pyrostat
