// The text of a DXF file (AutoCAD 2000, AC1015): the group pairs, the escaping of TEXT values,
// and the sections around the entities (header, tables, blocks, objects), each object with its
// own handle and the handle of its owner, so CAD programs find nothing to repair.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rave::platform::dxf {

// Handles of the objects every file holds; the drawing's own start at kFirstFreeHandle.
inline constexpr unsigned long kBlockRecordTable = 0x1;
inline constexpr unsigned long kLayerTable = 0x2;
inline constexpr unsigned long kStyleTable = 0x3;
inline constexpr unsigned long kLinetypeTable = 0x5;
inline constexpr unsigned long kViewTable = 0x6;
inline constexpr unsigned long kUcsTable = 0x7;
inline constexpr unsigned long kVportTable = 0x8;
inline constexpr unsigned long kAppidTable = 0x9;
inline constexpr unsigned long kDimstyleTable = 0xA;
inline constexpr unsigned long kRootDictionary = 0xC;
inline constexpr unsigned long kGroupDictionary = 0xD;
inline constexpr unsigned long kModelSpaceRecord = 0x1F;
inline constexpr unsigned long kPaperSpaceRecord = 0x1B;
inline constexpr unsigned long kFirstFreeHandle = 0x100;

// Appends group pairs (code line, value line), each line ending in CR LF as Windows CAD
// programs expect.
class Groups {
public:
    explicit Groups(std::string& out) : out_(out) {}
    void Str(int code, std::string_view value);
    void Int(int code, long value);
    // Four decimals (a ten-thousandth of a millimetre, far below a 600-dpi pixel), trailing zeros
    // dropped.
    void Real(int code, double value);
    void Hex(int code, unsigned long handle);
    // Groups written elsewhere.
    void Raw(std::string_view groups) { out_ += groups; }

private:
    void Code(int code);
    std::string& out_;
};

// A cp932 text as the value of a TEXT entity: it prints literally in CAD. Runs of "%" that would
// start a control code (%%u underline, %%d degree, %%c diameter) and the backslash of "\U+" and
// "\M+" are escaped; bytes that are not cp932, and control characters, become "?".
std::string TextValue(std::string_view cp932);

struct Linetype {
    std::string name;
    std::string description;
    std::vector<double> pattern;  // dashes positive, gaps negative, dots 0
};

// A block definition: its record, BLOCK and ENDBLK handles and its entities (owned by the record).
struct Block {
    std::string name;
    unsigned long record = 0;
    unsigned long begin = 0;
    unsigned long end = 0;
    std::string entities;
};

struct Document {
    double widthMm = 0.0;
    double heightMm = 0.0;
    std::vector<std::string> layers;
    std::vector<Linetype> linetypes;  // besides ByBlock, ByLayer and Continuous
    std::string textStyle;            // besides Standard
    std::string textFont;
    const std::vector<Block>* blocks = nullptr;
    std::string_view modelSpace;  // the entities, owned by kModelSpaceRecord
    unsigned long nextHandle = kFirstFreeHandle;
};

// The whole file.
std::string WriteDocument(const Document& document);

}  // namespace rave::platform::dxf
