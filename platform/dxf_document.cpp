// The sections of a DXF file around its entities, written group by group.
#include "platform/dxf_document.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/cp932.h"
#include "platform/codec.h"

namespace rave::platform::dxf {

void Groups::Code(int code) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, code).ptr;
    out_.append(buffer, end);
    out_ += "\r\n";
}

void Groups::Str(int code, std::string_view value) {
    Code(code);
    out_ += value;
    out_ += "\r\n";
}

void Groups::Int(int code, long value) {
    Code(code);
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out_.append(buffer, end);
    out_ += "\r\n";
}

void Groups::Real(int code, double value) {
    Code(code);
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    char buffer[64];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4).ptr;
    while (end[-1] == '0') {
        --end;
    }
    if (end[-1] == '.') {
        --end;
    }
    std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    if (text == "-0") {
        text = "0";
    }
    out_ += text;
    out_ += "\r\n";
}

void Groups::Hex(int code, unsigned long handle) {
    Code(code);
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, handle, 16).ptr;
    for (char* p = buffer; p != end; ++p) {
        out_.push_back(*p >= 'a' ? static_cast<char>(*p - 'a' + 'A') : *p);
    }
    out_ += "\r\n";
}

namespace {

bool IsDoubleByteChar(unsigned char lead, unsigned char trail) {
    return IsCp932LeadByte(lead) && ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC));
}

// A single byte that prints: ASCII without controls, or a half-width katakana.
bool IsPrintableSingleByte(unsigned char byte) {
    return (byte >= 0x20 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xDF);
}

}  // namespace

std::string TextValue(std::string_view cp932) {
    const bool plain = std::all_of(cp932.begin(), cp932.end(),
                                   [](char c) { return c >= 0x20 && c <= 0x7E && c != '%' && c != '\\'; });
    if (plain) {
        return std::string(cp932);
    }
    // Double-byte codes that have no character in cp932 are found by converting the text once;
    // only a text that fails is looked at character by character.
    const bool convertible = Cp932ToUtf8(cp932).find("\xEF\xBF\xBD") == std::string::npos;
    std::string out;
    out.reserve(cp932.size() + 8);
    for (std::size_t i = 0; i < cp932.size();) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (i + 1 < cp932.size() && IsDoubleByteChar(byte, static_cast<unsigned char>(cp932[i + 1]))) {
            const std::string_view character = cp932.substr(i, 2);
            const bool known =
                convertible || Cp932ToUtf8(character).find("\xEF\xBF\xBD") == std::string::npos;
            out += known ? character : std::string_view("?");
            i += 2;
            continue;
        }
        if (!IsPrintableSingleByte(byte)) {
            out.push_back('?');
        } else if (byte == '%' &&
                   ((i + 1 < cp932.size() && cp932[i + 1] == '%') || (i > 0 && cp932[i - 1] == '%'))) {
            // In a run of two or more, each "%" is written as "%%%", which CAD prints as one "%".
            out += "%%%";
        } else if (byte == '\\' && i + 2 < cp932.size() && (cp932[i + 1] == 'U' || cp932[i + 1] == 'M') &&
                   cp932[i + 2] == '+') {
            // The backslash itself as a Unicode escape, so what follows is plain text.
            out += "\\U+005C";
        } else {
            out.push_back(static_cast<char>(byte));
        }
        ++i;
    }
    return out;
}

namespace {

// Hands out the handles of the table entries and remembers the next free one.
struct HandleCounter {
    unsigned long next;
    unsigned long operator()() { return next++; }
};

void TableHead(Groups& g, std::string_view name, unsigned long handle, int count) {
    g.Str(0, "TABLE");
    g.Str(2, name);
    g.Hex(5, handle);
    g.Hex(330, 0);
    g.Str(100, "AcDbSymbolTable");
    g.Int(70, count);
}

void EntryHead(Groups& g, std::string_view kind, unsigned long handle, unsigned long table,
               std::string_view subclass, std::string_view name) {
    g.Str(0, kind);
    g.Hex(kind == "DIMSTYLE" ? 105 : 5, handle);
    g.Hex(330, table);
    g.Str(100, "AcDbSymbolTableRecord");
    g.Str(100, subclass);
    g.Str(2, name);
    g.Int(70, 0);
}

void WriteLinetype(Groups& g, HandleCounter& handles, const Linetype& type) {
    EntryHead(g, "LTYPE", handles(), kLinetypeTable, "AcDbLinetypeTableRecord", type.name);
    g.Str(3, type.description);
    g.Int(72, 65);
    g.Int(73, static_cast<long>(type.pattern.size()));
    double length = 0.0;
    for (double dash : type.pattern) {
        length += std::abs(dash);
    }
    g.Real(40, length);
    for (double dash : type.pattern) {
        g.Real(49, dash);
        g.Int(74, 0);
    }
}

void WriteTextStyle(Groups& g, HandleCounter& handles, std::string_view name, std::string_view font) {
    EntryHead(g, "STYLE", handles(), kStyleTable, "AcDbTextStyleTableRecord", name);
    g.Real(40, 0.0);
    g.Real(41, 1.0);
    g.Real(50, 0.0);
    g.Int(71, 0);
    g.Real(42, 2.5);
    g.Str(3, font);
    g.Str(4, "");
}

void WriteBlock(Groups& g, std::string_view name, unsigned long record, unsigned long begin,
                unsigned long end, std::string_view entities, bool paperSpace) {
    g.Str(0, "BLOCK");
    g.Hex(5, begin);
    g.Hex(330, record);
    g.Str(100, "AcDbEntity");
    if (paperSpace) {
        g.Int(67, 1);
    }
    g.Str(8, "0");
    g.Str(100, "AcDbBlockBegin");
    g.Str(2, name);
    g.Int(70, 0);
    g.Real(10, 0.0);
    g.Real(20, 0.0);
    g.Real(30, 0.0);
    g.Str(3, name);
    g.Str(1, "");
    g.Raw(entities);
    g.Str(0, "ENDBLK");
    g.Hex(5, end);
    g.Hex(330, record);
    g.Str(100, "AcDbEntity");
    if (paperSpace) {
        g.Int(67, 1);
    }
    g.Str(8, "0");
    g.Str(100, "AcDbBlockEnd");
}

}  // namespace

std::string WriteDocument(const Document& document) {
    static const std::vector<Block> kNoBlocks;
    const std::vector<Block>& blocks = document.blocks != nullptr ? *document.blocks : kNoBlocks;
    HandleCounter handles{document.nextHandle};
    const unsigned long modelBegin = handles();
    const unsigned long modelEnd = handles();
    const unsigned long paperBegin = handles();
    const unsigned long paperEnd = handles();

    std::string body;
    std::size_t blockBytes = 0;
    for (const Block& block : blocks) {
        blockBytes += block.entities.size() + 256;
    }
    body.reserve(8192 + blockBytes + document.modelSpace.size());
    Groups g(body);
    g.Str(0, "SECTION");
    g.Str(2, "CLASSES");
    g.Str(0, "ENDSEC");

    g.Str(0, "SECTION");
    g.Str(2, "TABLES");
    TableHead(g, "VPORT", kVportTable, 1);
    EntryHead(g, "VPORT", handles(), kVportTable, "AcDbViewportTableRecord", "*Active");
    g.Real(10, 0.0);
    g.Real(20, 0.0);
    g.Real(11, 1.0);
    g.Real(21, 1.0);
    g.Real(12, document.widthMm / 2.0);
    g.Real(22, document.heightMm / 2.0);
    g.Real(40, document.heightMm);
    g.Real(41, document.heightMm > 0.0 ? document.widthMm / document.heightMm : 1.0);
    g.Str(0, "ENDTAB");

    TableHead(g, "LTYPE", kLinetypeTable, static_cast<int>(3 + document.linetypes.size()));
    for (const char* name : {"ByBlock", "ByLayer"}) {
        WriteLinetype(g, handles, Linetype{name, "", {}});
    }
    WriteLinetype(g, handles, Linetype{"Continuous", "Solid line", {}});
    for (const Linetype& type : document.linetypes) {
        WriteLinetype(g, handles, type);
    }
    g.Str(0, "ENDTAB");

    TableHead(g, "LAYER", kLayerTable, static_cast<int>(document.layers.size()));
    for (const std::string& layer : document.layers) {
        EntryHead(g, "LAYER", handles(), kLayerTable, "AcDbLayerTableRecord", layer);
        g.Int(62, 7);
        g.Str(6, "Continuous");
        g.Int(370, 25);
    }
    g.Str(0, "ENDTAB");

    TableHead(g, "STYLE", kStyleTable, 2);
    WriteTextStyle(g, handles, "Standard", "txt");
    WriteTextStyle(g, handles, document.textStyle, document.textFont);
    g.Str(0, "ENDTAB");

    TableHead(g, "VIEW", kViewTable, 0);
    g.Str(0, "ENDTAB");
    TableHead(g, "UCS", kUcsTable, 0);
    g.Str(0, "ENDTAB");
    TableHead(g, "APPID", kAppidTable, 1);
    EntryHead(g, "APPID", handles(), kAppidTable, "AcDbRegAppTableRecord", "ACAD");
    g.Str(0, "ENDTAB");

    TableHead(g, "DIMSTYLE", kDimstyleTable, 1);
    g.Str(100, "AcDbDimStyleTable");
    EntryHead(g, "DIMSTYLE", handles(), kDimstyleTable, "AcDbDimStyleTableRecord", "Standard");
    g.Str(0, "ENDTAB");

    TableHead(g, "BLOCK_RECORD", kBlockRecordTable, static_cast<int>(2 + blocks.size()));
    EntryHead(g, "BLOCK_RECORD", kModelSpaceRecord, kBlockRecordTable, "AcDbBlockTableRecord",
              "*Model_Space");
    EntryHead(g, "BLOCK_RECORD", kPaperSpaceRecord, kBlockRecordTable, "AcDbBlockTableRecord",
              "*Paper_Space");
    for (const Block& block : blocks) {
        EntryHead(g, "BLOCK_RECORD", block.record, kBlockRecordTable, "AcDbBlockTableRecord", block.name);
    }
    g.Str(0, "ENDTAB");
    g.Str(0, "ENDSEC");

    g.Str(0, "SECTION");
    g.Str(2, "BLOCKS");
    WriteBlock(g, "*Model_Space", kModelSpaceRecord, modelBegin, modelEnd, {}, false);
    WriteBlock(g, "*Paper_Space", kPaperSpaceRecord, paperBegin, paperEnd, {}, true);
    for (const Block& block : blocks) {
        WriteBlock(g, block.name, block.record, block.begin, block.end, block.entities, false);
    }
    g.Str(0, "ENDSEC");

    g.Str(0, "SECTION");
    g.Str(2, "ENTITIES");
    g.Raw(document.modelSpace);
    g.Str(0, "ENDSEC");

    g.Str(0, "SECTION");
    g.Str(2, "OBJECTS");
    g.Str(0, "DICTIONARY");
    g.Hex(5, kRootDictionary);
    g.Hex(330, 0);
    g.Str(100, "AcDbDictionary");
    g.Int(281, 1);
    g.Str(3, "ACAD_GROUP");
    g.Hex(350, kGroupDictionary);
    g.Str(0, "DICTIONARY");
    g.Hex(5, kGroupDictionary);
    g.Hex(330, kRootDictionary);
    g.Str(100, "AcDbDictionary");
    g.Int(281, 1);
    g.Str(0, "ENDSEC");
    g.Str(0, "EOF");

    // The header comes last, when the next free handle is known.
    std::string out;
    out.reserve(body.size() + 1024);
    Groups h(out);
    h.Str(0, "SECTION");
    h.Str(2, "HEADER");
    h.Str(9, "$ACADVER");
    h.Str(1, "AC1015");
    h.Str(9, "$DWGCODEPAGE");
    h.Str(3, "ANSI_932");
    h.Str(9, "$HANDSEED");
    h.Hex(5, handles.next);
    h.Str(9, "$INSUNITS");
    h.Int(70, 4);  // millimetres
    h.Str(9, "$MEASUREMENT");
    h.Int(70, 1);
    h.Str(9, "$LWDISPLAY");
    h.Int(290, 1);
    for (const char* name : {"$EXTMIN", "$EXTMAX"}) {
        const bool max = name[4] == 'M' && name[5] == 'A';
        h.Str(9, name);
        h.Real(10, max ? document.widthMm : 0.0);
        h.Real(20, max ? document.heightMm : 0.0);
        h.Real(30, 0.0);
    }
    for (const char* name : {"$LIMMIN", "$LIMMAX"}) {
        const bool max = name[4] == 'M' && name[5] == 'A';
        h.Str(9, name);
        h.Real(10, max ? document.widthMm : 0.0);
        h.Real(20, max ? document.heightMm : 0.0);
    }
    h.Str(0, "ENDSEC");
    out += body;
    return out;
}

}  // namespace rave::platform::dxf
